#include "prefs/PropertiesValues.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Paths.h"
#include "platform/RegistryFile.h"
#include "prefs/SettingsKeys.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

namespace keys = settings_keys;

class PropertiesValuesTest : public ::testing::Test {
 protected:
  std::string RegistryPath() const { return folder_.Child("registry.reg"); }
  std::string ProgramFolder() const { return folder_.Child("program/"); }

  // Loads with a discovery that counts its calls and finds "found.db".
  PropertiesValues Load(Product product) {
    PropertiesValues values;
    FillInText(store_, product, ProgramFolder(), settings_, values, [this] {
      ++discoveries_;
      return std::string("found.db");
    });
    return values;
  }

  testing::TempFolder folder_;
  RegistryFile registry_{RegistryPath()};
  SettingsStore store_{registry_};
  CurrentSettings settings_;
  int discoveries_ = 0;
};

TEST_F(PropertiesValuesTest, AFreshUserGetsEveryDefaultAndNothingIsWritten) {
  settings_.EmphasisOpenTag = "stale";
  const PropertiesValues values = Load(Product::Navigator);

  const std::string archive = ProgramFolder() + "ARCHIVE" + std::string(1, kPathSeparator);
  EXPECT_EQ(values.NavigatorIndexPath, "found.db");
  EXPECT_EQ(values.DefaultFolder, archive);
  EXPECT_EQ(values.SecondaryFolder, "");
  EXPECT_FALSE(values.UseSecondaryFolder);
  EXPECT_TRUE(values.ShowOriginalUrls);
  EXPECT_FALSE(values.EmphasizeLinks);
  EXPECT_TRUE(values.StrikeoutLinks);
  EXPECT_TRUE(values.DetailedIndex);
  EXPECT_EQ(values.Emphasis, EmphasisStyle::BoldFace);
  EXPECT_EQ(values.CustomOpenTag, "FONT FACE=\"Arial\"");
  EXPECT_EQ(values.CustomCloseTag, "/FONT");

  EXPECT_EQ(settings_.NavigatorIndexPath, "found.db");
  EXPECT_EQ(settings_.CurrentArchiveFolder, archive);
  EXPECT_EQ(settings_.EmphasisOpenTag, "B");
  EXPECT_EQ(settings_.EmphasisCloseTag, "/B");
  EXPECT_TRUE(settings_.DetailedIndexFlag);
  EXPECT_TRUE(settings_.ShowOriginalUrls);
  EXPECT_FALSE(settings_.EmphasizeLinks);
  EXPECT_TRUE(settings_.StrikeoutLinks);

  EXPECT_EQ(discoveries_, 1);
  EXPECT_FALSE(std::filesystem::exists(RegistryPath()));
}

TEST_F(PropertiesValuesTest, TheInternetExplorerProgramLeavesTheNavigatorSettingAlone) {
  store_.WriteString(keys::kBrowserOptions, keys::kFatPath, "stored.db");
  settings_.NavigatorIndexPath = "untouched";
  const PropertiesValues values = Load(Product::InternetExplorer);
  EXPECT_EQ(values.NavigatorIndexPath, "");
  EXPECT_EQ(settings_.NavigatorIndexPath, "untouched");
  EXPECT_EQ(discoveries_, 0);
}

TEST_F(PropertiesValuesTest, AStoredIndexPathIsUsedEvenWhenEmpty) {
  store_.WriteString(keys::kBrowserOptions, "fat path", "");
  EXPECT_EQ(Load(Product::Navigator).NavigatorIndexPath, "");
  EXPECT_EQ(settings_.NavigatorIndexPath, "");
  EXPECT_EQ(discoveries_, 0);
}

TEST_F(PropertiesValuesTest, EmphasisTagsFollowTheStoredStyle) {
  struct Case {
    std::string stored;
    std::string open;
    std::string close;
  };
  const std::vector<Case> cases = {
      {"0", "B", "/B"},
      {"1", "I", "/I"},
      {"0x2", "FONT SIZE=+1", "/FONT"},
      {"258", "FONT SIZE=+1", "/FONT"},
      {"3", "SPAN CLASS=hit", "/SPAN"},
      {"9", "B", "/B"},
      {"abc", "B", "/B"},
  };
  store_.WriteString(keys::kExport, keys::kEmphasizeTag, "SPAN CLASS=hit");
  store_.WriteString(keys::kExport, keys::kDeEmphasizeTag, "/SPAN");
  for (const Case& c : cases) {
    store_.WriteString(keys::kExport, keys::kEmphasizeType, c.stored);
    const PropertiesValues values = Load(Product::InternetExplorer);
    EXPECT_EQ(settings_.EmphasisOpenTag, c.open) << c.stored;
    EXPECT_EQ(settings_.EmphasisCloseTag, c.close) << c.stored;
    // The custom fields hold the stored tags whatever the style.
    EXPECT_EQ(values.CustomOpenTag, "SPAN CLASS=hit");
  }
}

TEST_F(PropertiesValuesTest, ALongCustomTagIsCutTo255Characters) {
  store_.WriteString(keys::kExport, keys::kEmphasizeType, "3");
  store_.WriteString(keys::kExport, keys::kEmphasizeTag, std::string(300, 'x'));
  const PropertiesValues values = Load(Product::InternetExplorer);
  EXPECT_EQ(values.CustomOpenTag.size(), 300u);
  EXPECT_EQ(settings_.EmphasisOpenTag, std::string(255, 'x'));
}

TEST_F(PropertiesValuesTest, TheArchiveFolderFollowsTheExportDirectoryChoice) {
  struct Case {
    std::optional<std::string> choice;
    std::optional<std::string> secondary;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"1", "/second/", "/second/"},
      {"1", "", ""},  // present but empty: no fallback to the default folder
      {"257", "/second/", "/second/"},
      {"0", "/second/", "/first/"},
      {"2", "/second/", "/first/"},
      {"one", "/second/", "/first/"},
      {"1", std::nullopt, ""},
  };
  for (const Case& c : cases) {
    testing::TempFolder folder;
    RegistryFile registry(folder.Child("registry.reg"));
    SettingsStore store(registry);
    store.WriteString(keys::kExport, keys::kDefaultDirectory, "/first/");
    if (c.choice)
      store.WriteString(keys::kExport, keys::kExportDirectory, *c.choice);
    if (c.secondary)
      store.WriteString(keys::kExport, keys::kSecondaryDirectory, *c.secondary);
    PropertiesValues values;
    FillInText(store, Product::InternetExplorer, ProgramFolder(), settings_, values, {});
    EXPECT_EQ(settings_.CurrentArchiveFolder, c.expected) << c.choice.value_or("(absent)");
  }
}

PropertiesValues ChangedValues() {
  PropertiesValues values;
  values.NavigatorIndexPath = "/nav/cache/Fat.db";
  values.DefaultFolder = "/first/";
  values.SecondaryFolder = "/second/";
  values.UseSecondaryFolder = true;
  values.ShowOriginalUrls = false;
  values.EmphasizeLinks = true;
  values.StrikeoutLinks = false;
  values.DetailedIndex = false;
  values.Emphasis = EmphasisStyle::Italicized;
  values.CustomOpenTag = "EM";
  values.CustomCloseTag = "/EM";
  return values;
}

// The value names in the order they appear in the file, which is the order they were first
// written in.
std::vector<std::string> NamesInFileOrder(const std::string& path) {
  std::vector<std::string> names;
  const std::string text = testing::ReadFile(path);
  size_t line = 0;
  while (line < text.size()) {
    const size_t end = text.find("\r\n", line);
    if (text[line] == '"')
      names.push_back(text.substr(line + 1, text.find('"', line + 1) - line - 1));
    line = end + 2;
  }
  return names;
}

TEST_F(PropertiesValuesTest, TheNavigatorProgramStoresEveryValueInOrderAndFollowsIt) {
  ASSERT_TRUE(WriteSettingsToIni(store_, Product::Navigator, settings_, ChangedValues()));

  EXPECT_EQ(NamesInFileOrder(RegistryPath()),
            (std::vector<std::string>{"FAT Path", "Default directory", "Show original URLS",
                                      "Emphasize links", "Strikeout links", "Detailed index",
                                      "EmphasizeTag", "DeEmphasizeTag", "Emphasize Type",
                                      "Export directory", "export directory name"}));
  EXPECT_EQ(settings_.NavigatorIndexPath, "/nav/cache/Fat.db");
  EXPECT_EQ(settings_.CurrentArchiveFolder, "/second/");
  EXPECT_EQ(store_.Read(keys::kExport, keys::kExportDirectory), "1");
  EXPECT_EQ(store_.Read(keys::kExport, keys::kEmphasizeType), "1");
  EXPECT_EQ(store_.Read(keys::kExport, keys::kShowOriginalUrls), "0");

  // Another program (or the next start) loads exactly what was stored.
  RegistryFile otherRegistry(RegistryPath());
  const SettingsStore other(otherRegistry);
  CurrentSettings otherSettings;
  PropertiesValues loaded;
  FillInText(other, Product::Navigator, ProgramFolder(), otherSettings, loaded, {});
  const PropertiesValues expected = ChangedValues();
  EXPECT_EQ(loaded.NavigatorIndexPath, expected.NavigatorIndexPath);
  EXPECT_EQ(loaded.DefaultFolder, expected.DefaultFolder);
  EXPECT_EQ(loaded.SecondaryFolder, expected.SecondaryFolder);
  EXPECT_EQ(loaded.UseSecondaryFolder, expected.UseSecondaryFolder);
  EXPECT_EQ(loaded.ShowOriginalUrls, expected.ShowOriginalUrls);
  EXPECT_EQ(loaded.EmphasizeLinks, expected.EmphasizeLinks);
  EXPECT_EQ(loaded.StrikeoutLinks, expected.StrikeoutLinks);
  EXPECT_EQ(loaded.DetailedIndex, expected.DetailedIndex);
  EXPECT_EQ(loaded.Emphasis, expected.Emphasis);
  EXPECT_EQ(loaded.CustomOpenTag, expected.CustomOpenTag);
  EXPECT_EQ(loaded.CustomCloseTag, expected.CustomCloseTag);
  EXPECT_EQ(otherSettings.EmphasisOpenTag, "I");
  EXPECT_FALSE(otherSettings.DetailedIndexFlag);
  EXPECT_TRUE(otherSettings.EmphasizeLinks);
}

TEST_F(PropertiesValuesTest, TheInternetExplorerProgramStoresTheExportSectionOnly) {
  settings_.CurrentArchiveFolder = "/being/reindexed/";
  settings_.NavigatorIndexPath = "untouched";
  ASSERT_TRUE(WriteSettingsToIni(store_, Product::InternetExplorer, settings_, ChangedValues()));
  EXPECT_EQ(store_.Read(keys::kBrowserOptions, keys::kFatPath), std::nullopt);
  EXPECT_EQ(store_.Read(keys::kExport, keys::kSecondaryDirectory), "/second/");
  EXPECT_EQ(settings_.CurrentArchiveFolder, "/being/reindexed/");
  EXPECT_EQ(settings_.NavigatorIndexPath, "untouched");
}

TEST_F(PropertiesValuesTest, ReloadingDropsChangesThatWereNotStored) {
  ASSERT_TRUE(WriteSettingsToIni(store_, Product::Navigator, settings_, ChangedValues()));
  const std::string before = testing::ReadFile(RegistryPath());
  PropertiesValues values = Load(Product::Navigator);
  values.DefaultFolder = "/edited/";
  values.UseSecondaryFolder = false;
  values.Emphasis = EmphasisStyle::LargerText;
  settings_.CurrentArchiveFolder = "/edited/";  // the window lets some settings follow at once
  settings_.EmphasisOpenTag = "FONT SIZE=+1";

  values = Load(Product::Navigator);  // the window closes with Cancel
  EXPECT_EQ(values.DefaultFolder, "/first/");
  EXPECT_EQ(values.Emphasis, EmphasisStyle::Italicized);
  EXPECT_EQ(settings_.CurrentArchiveFolder, "/second/");
  EXPECT_EQ(settings_.EmphasisOpenTag, "I");
  EXPECT_EQ(testing::ReadFile(RegistryPath()), before);
}

TEST_F(PropertiesValuesTest, AFailedWriteIsReported) {
  std::filesystem::create_directories(RegistryPath());  // a folder cannot be replaced by a file
  EXPECT_FALSE(WriteSettingsToIni(store_, Product::Navigator, settings_, ChangedValues()));
}

}  // namespace
}  // namespace pagehold
