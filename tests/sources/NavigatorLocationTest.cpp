#include "sources/NavigatorLocation.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Paths.h"
#include "platform/RegistryFile.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteFile;

constexpr char kUsers[] = "Software\\Netscape\\Netscape Navigator\\Users";

// A path as a Windows installation writes it into the registry or prefs.js.
std::string WithBackslashes(std::string path) {
  for (char& c : path) {
    if (c == '/')
      c = '\\';
  }
  return path;
}

// A fake Navigator installation: a registry file and folders in a temporary folder.
class FakeNavigator {
 public:
  FakeNavigator() : registry_(root_.Child("registry.reg")) {}

  std::string Folder(std::string_view relative) const { return root_.Child(relative); }
  const Registry& registry() const { return registry_; }

  void SetProfile(std::string_view name, std::string_view dirRoot) {
    registry_.WriteString(RegistryRoot::LocalMachine, kUsers, "CurrentUser", name);
    registry_.WriteString(RegistryRoot::LocalMachine,
                          std::string(kUsers) + "\\" + std::string(name), "DirRoot", dirRoot);
  }
  void SetCacheDir(std::string_view folder) {
    registry_.WriteString(RegistryRoot::CurrentUser,
                          "Software\\Netscape\\Netscape Navigator\\Cache", "Cache Dir", folder);
  }
  // A profile "me" whose folder is profile/ and whose prefs.js holds the text.
  void SetPrefs(std::string_view text) {
    SetProfile("me", WithBackslashes(Folder("profile")));
    WriteFile(Folder("profile/prefs.js"), text);
  }
  std::string Touch(std::string_view relative) const {
    WriteFile(Folder(relative), "index");
    return Folder(relative);
  }

 private:
  TempFolder root_;
  RegistryFile registry_;
};

TEST(NavigatorLocationTest, PreferenceValuesComeFromUserPrefLines) {
  struct Case {
    std::string line;
    std::string name;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"user_pref(\"browser.cache.directory\", \"D:/cache\");", "browser.cache.directory",
       "D:/cache"},
      {"USER_PREF(\"Browser.Cache.Directory\", \"D:\\Cache\");", "browser.cache.directory",
       "D:\\Cache"},
      {"user_pref(\"browser.cache.disk_cache_size\", 7680);", "browser.cache.disk_cache_size",
       "7680"},
      {"user_pref(\"x\", \"C:\\\\Program Files\\\\Cache\");", "x",
       "C:\\\\Program Files\\\\Cache"},  // escapes are not undone
      {"user_pref(\"x\",,\" \"value\"\"));", "x", "value"},
      {"user_pref(\"x\", \"a)b\");", "x", "a)b"},
      {"user_pref(\"x\", \"\");", "x", ""},
      {"user_pref(\"x\" \"no comma\");", "x", ""},
      {"user_pref(\"x\", \"no parenthesis\";", "x", ""},
      {"user_pref(\"x\", 1", "x", ""},
      {"user_pref(\"x\",1)", "x", "1"},
      {"user_pref(\"x\", \"v\");", "X", "v"},
      {"user_pref(\"browser.cache.directory\", \"D:/cache\");", "browser.cache.dir", ""},
      {"// browser.cache.directory\", \"D:/cache\");", "browser.cache.directory", ""},
      {"", "x", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PrefValueInLine(c.line, "user_pref(\"" + c.name + "\""), c.expected) << c.line;
  }
}

TEST(NavigatorLocationTest, LinesEndAtTheFirstLineEndCharacterMet) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      // The line feed after the last carriage return is read as one more, empty, line.
      {"a\r\nb\r\n", {"a", "b", ""}},   {"a\nb", {"a", "b"}},
      {"a\n\rb\n", {"a", "b"}},    // line feeds end lines; carriage returns are dropped
      {"a\rb\nc\r", {"a", "bc"}},  // carriage returns end lines; line feeds are dropped
      {"a\r\rb", {"a", "", "b"}},       {"\r\na\r\n\r\nb", {"", "a", "", "b"}},
      {"no line end", {"no line end"}}, {"", {}},
  };
  for (const Case& c : cases) {
    FakeNavigator navigator;
    navigator.SetPrefs(c.text);
    TNavigator4 prefs(navigator.registry());
    ASSERT_TRUE(prefs.LoadPrefs());
    std::vector<std::string> lines;
    std::string line;
    while (!prefs.ReadPrefsLine(line))
      lines.push_back(line);
    EXPECT_EQ(lines, c.lines) << ::testing::PrintToString(c.text);
    EXPECT_TRUE(prefs.ReadPrefsLine(line)) << "stays at the end";
  }
}

TEST(NavigatorLocationTest, TheProfileFolderIsTidied) {
  struct Case {
    std::string dirRoot;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"C:\\Nav\\Users\\me ;", "C:\\Nav\\Users\\me\\"},
      {"C:\\Nav\\Users\\me; ;; ", "C:\\Nav\\Users\\me\\"},
      {"C:\\Nav\\Users\\me\\", "C:\\Nav\\Users\\me\\"},
      {"/home/me/.netscape", "/home/me/.netscape/"},
      {" ; ", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    FakeNavigator navigator;
    navigator.SetProfile("Me", c.dirRoot);
    const TNavigator4 prefs(navigator.registry());
    EXPECT_EQ(prefs.ProfileName(), "Me");
    EXPECT_EQ(prefs.UserDirectory(), NativeSeparators(c.expected)) << c.dirRoot;
  }
}

TEST(NavigatorLocationTest, NoProfileMeansNoFolderAndNoPrefs) {
  FakeNavigator navigator;
  TNavigator4 prefs(navigator.registry());
  EXPECT_EQ(prefs.ProfileName(), "");
  EXPECT_EQ(prefs.UserDirectory(), "");
  std::string value = "stale";
  EXPECT_FALSE(prefs.FindPref("browser.cache.directory", value));
  EXPECT_EQ(value, "");
}

TEST(NavigatorLocationTest, FindPrefTakesTheFirstNonEmptyValueFromTextLoadedOnce) {
  FakeNavigator navigator;
  navigator.SetPrefs(
      "// Navigator preferences\r\n"
      "user_pref(\"browser.cache.directory\", \"\");\r\n"
      "user_pref(\"browser.cache.directory\", \"first\");\r\n"
      "user_pref(\"browser.cache.directory\", \"second\");\r\n"
      "user_pref(\"other\", \"x\");");
  TNavigator4 prefs(navigator.registry());
  std::string value;
  ASSERT_TRUE(prefs.FindPref("Browser.Cache.Directory", value));
  EXPECT_EQ(value, "first");

  fs::remove(navigator.Folder("profile/prefs.js"));  // the loaded text is kept
  ASSERT_TRUE(prefs.FindPref("other", value));
  EXPECT_EQ(value, "x");
  EXPECT_FALSE(prefs.FindPref("missing", value));
  EXPECT_EQ(value, "");
}

TEST(NavigatorLocationTest, CacheIndexInFolderPrefersFatDbAndIgnoresFolders) {
  TempFolder root;
  EXPECT_EQ(CacheIndexInFolder(root.Child("none")), "");
  EXPECT_EQ(CacheIndexInFolder(""), "");  // never the current folder
  EXPECT_FALSE(FolderHasCacheIndex(""));

  fs::create_directories(root.Child("dirs/Fat.db"));
  EXPECT_FALSE(FolderHasCacheIndex(root.Child("dirs")));

  WriteFile(root.Child("both/Fat"), "text index");
  EXPECT_EQ(CacheIndexInFolder(root.Child("both")), root.Child("both/Fat"));
  WriteFile(root.Child("both/Fat.db"), "paged index");
  EXPECT_EQ(CacheIndexInFolder(root.Child("both")), root.Child("both/Fat.db"));
  EXPECT_EQ(CacheIndexInFolder(WithBackslashes(root.Child("both/"))), root.Child("both/Fat.db"));
  EXPECT_TRUE(FolderHasCacheIndex(root.Child("both")));
}

TEST(NavigatorLocationTest, IndexNamesMatchWithoutLetterCase) {
  TempFolder root;
  WriteFile(root.Child("copied/FAT.DB"), "paged index");
  EXPECT_EQ(CacheIndexInFolder(root.Child("copied")), root.Child("copied/FAT.DB"));
}

TEST(NavigatorLocationTest, NothingInstalledFindsNothing) {
  FakeNavigator navigator;
  EXPECT_EQ(FindNavigatorCacheIndex(navigator.registry()), "");
}

TEST(NavigatorLocationTest, ThePreferenceFolderIsUsedWhenItHoldsAnIndex) {
  for (const bool backslashes : {false, true}) {
    FakeNavigator navigator;
    const std::string cache = navigator.Folder("D/cache");
    const std::string written = backslashes ? WithBackslashes(cache) : cache;
    navigator.SetPrefs("user_pref(\"browser.cache.directory\", \"" + written + "\");\n");
    navigator.Touch("D/cache/Fat.db");
    navigator.Touch("profile/Cache/Fat.db");
    TNavigator4Paths paths(navigator.registry());
    EXPECT_EQ(paths.CacheDirectory(), cache);
    EXPECT_EQ(FindNavigatorCacheIndex(navigator.registry()), navigator.Folder("D/cache/Fat.db"));
  }
}

TEST(NavigatorLocationTest, APreferenceFolderWithoutAnIndexFallsBackToTheProfileCache) {
  FakeNavigator navigator;
  navigator.SetPrefs("user_pref(\"browser.cache.directory\", \"" + navigator.Folder("empty") +
                     "\");\n");
  fs::create_directories(navigator.Folder("empty"));
  navigator.Touch("profile/Cache/Fat");
  TNavigator4Paths paths(navigator.registry());
  EXPECT_EQ(paths.CacheDirectory(), navigator.Folder("profile/Cache"));
  EXPECT_EQ(FindNavigatorCacheIndex(navigator.registry()), navigator.Folder("profile/Cache/Fat"));
}

TEST(NavigatorLocationTest, AProfileWithoutPrefsStillHasItsCacheFolder) {
  FakeNavigator navigator;
  navigator.SetProfile("me", WithBackslashes(navigator.Folder("profile")) + " ;");
  navigator.Touch("profile/Cache/Fat.db");
  EXPECT_EQ(FindNavigatorCacheIndex(navigator.registry()),
            navigator.Folder("profile/Cache/Fat.db"));
}

TEST(NavigatorLocationTest, TheOlderCacheDirSettingIsUsedAlone) {
  FakeNavigator navigator;
  navigator.SetCacheDir(WithBackslashes(navigator.Folder("old cache")));
  navigator.Touch("old cache/Fat");
  EXPECT_EQ(FindNavigatorCacheIndex(navigator.registry()), navigator.Folder("old cache/Fat"));
}

TEST(NavigatorLocationTest, TheLaterWrittenIndexWinsAndATieGoesToTheProfile) {
  struct Case {
    int profileAge;  // seconds before now
    int cacheDirAge;
    bool profileWins;
  };
  const std::vector<Case> cases = {{100, 10, false}, {10, 100, true}, {50, 50, true}};
  for (const Case& c : cases) {
    FakeNavigator navigator;
    navigator.SetProfile("me", navigator.Folder("profile"));
    navigator.SetCacheDir(navigator.Folder("old"));
    const std::string profileIndex = navigator.Touch("profile/Cache/Fat.db");
    const std::string cacheDirIndex = navigator.Touch("old/Fat.db");
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(profileIndex, now - std::chrono::seconds(c.profileAge));
    fs::last_write_time(cacheDirIndex, now - std::chrono::seconds(c.cacheDirAge));
    EXPECT_EQ(FindNavigatorCacheIndex(navigator.registry()),
              c.profileWins ? profileIndex : cacheDirIndex)
        << c.profileAge << " / " << c.cacheDirAge;
  }
}

}  // namespace
}  // namespace pagehold
