#include "platform/RegistryText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pagehold {
namespace {

constexpr char kKey[] = "HKEY_CURRENT_USER\\Software\\Corvane\\Pagehold\\General";

TEST(RegistryTextTest, ValuesRoundTripExactly) {
  const std::vector<std::string> values = {
      "",
      "plain",
      "C:\\Archive\\",
      "\\\\server\\share",
      "FONT FACE=\"Arial\"",
      "\"",
      "ends in a backslash\\",
      "\\\"mixed\\\"",
      "caf\xe9 \xff\x80 bytes",
      "tab\there",
      "two\r\nlines",
      "lone\rcarriage",
      std::string("zero\0byte", 9),
      "  spaces around  ",
      "=\"looks\"=\"like a line\"",
  };
  for (const std::string& value : values) {
    RegistryText text;
    ASSERT_TRUE(text.Set(kKey, "Name \"quoted\" \\ \xe9", value));
    const std::string file = text.Format();
    const RegistryText reread = RegistryText::Parse(file);
    EXPECT_EQ(reread.Find(kKey, "Name \"quoted\" \\ \xe9"), value) << file;
  }
}

TEST(RegistryTextTest, WritesTheRegedit4Form) {
  RegistryText text;
  text.Set(kKey, "Reindex directory", "C:\\A \"B\"\\");
  text.Set(kKey, "", "unnamed");
  text.Set(kKey, "Lines", "a\nb");
  EXPECT_EQ(text.Format(),
            "REGEDIT4\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software\\Corvane\\Pagehold\\General]\r\n"
            "\"Reindex directory\"=\"C:\\\\A \\\"B\\\"\\\\\"\r\n"
            "@=\"unnamed\"\r\n"
            "\"Lines\"=hex(1):61,0a,62,00\r\n");
}

TEST(RegistryTextTest, KeysAndNamesMatchWithoutLetterCase) {
  const RegistryText text = RegistryText::Parse(
      "REGEDIT4\n\n"
      "[hkey_current_user\\SOFTWARE\\corvane\\PAGEHOLD\\general\\]\n"
      "\"REINDEX Directory\"=\"x\"\n");
  EXPECT_EQ(text.Find(kKey, "reindex directory"), "x");
  EXPECT_EQ(text.Find(std::string(kKey) + "\\", "Reindex Directory"), "x");
  // Only A-Z fold: other bytes must match exactly.
  EXPECT_EQ(text.Find(kKey, "reindex directory\xe9"), std::nullopt);
}

// A key path ending in spaces and backslashes names one key, however often it is normalised:
// what is stored under "General \\" is found under it, under "General", and after a new parse.
TEST(RegistryTextTest, TrailingSpacesAndBackslashesNameOneKey) {
  for (const std::string& typed : {std::string("R\\General \\"), std::string("R\\General\\ \\ ")}) {
    RegistryText text;
    ASSERT_TRUE(text.Set(typed, "v", "1")) << typed;
    EXPECT_EQ(text.Find(typed, "v"), "1") << typed;
    EXPECT_EQ(text.Find("R\\General", "v"), "1") << typed;
    EXPECT_EQ(RegistryText::Parse(text.Format()).Find(typed, "v"), "1") << typed;
    EXPECT_NE(text.Format().find("[R\\General]\r\n"), std::string::npos) << text.Format();
  }
  // An existing key in other letter case takes the value, and the lookup finds it there.
  RegistryText existing = RegistryText::Parse("REGEDIT4\r\n\r\n[R]\r\n");
  ASSERT_TRUE(existing.Set("r \\", "v", "2"));
  EXPECT_EQ(existing.Find("r \\", "v"), "2");
  EXPECT_EQ(existing.Format(), "REGEDIT4\r\n\r\n[R]\r\n\"v\"=\"2\"\r\n");
}

TEST(RegistryTextTest, FindsOnlyStringValuesOfTheRightKey) {
  const RegistryText text = RegistryText::Parse(
      "REGEDIT4\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Corvane\\Pagehold]\r\n"
      "\"Name\"=\"parent\"\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Corvane\\Pagehold\\General]\r\n"
      "\"Name\"=\"first\"\r\n"
      "\"Count\"=dword:00000002\r\n"
      "\"Blob\"=hex:01,02,\\\r\n"
      "  03,04\r\n"
      "@=\"default\"\r\n"
      "\"Wide\"=hex(1):41,42,00\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Corvane\\Pagehold\\General]\r\n"
      "\"Name\"=\"machine\"\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Corvane\\Pagehold\\General]\r\n"
      "\"name\"=\"second\"\r\n");
  struct Case {
    std::string key;
    std::string name;
    std::optional<std::string> expected;
  };
  const std::vector<Case> cases = {
      {kKey, "Name", "second"},  // a later section of the same key wins, as on import
      {"HKEY_CURRENT_USER\\Software\\Corvane\\Pagehold", "Name", "parent"},
      {"HKEY_LOCAL_MACHINE\\Software\\Corvane\\Pagehold\\General", "Name", "machine"},
      {kKey, "Count", std::nullopt},  // not a string
      {kKey, "Blob", std::nullopt},
      {kKey, "", "default"},
      {kKey, "Wide", "AB"},
      {kKey, "Missing", std::nullopt},
      {"HKEY_CURRENT_USER\\Software\\Corvane", "Name", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(text.Find(c.key, c.name), c.expected) << c.key << " / " << c.name;
}

TEST(RegistryTextTest, HandWrittenSingleBackslashesStayAsWritten) {
  const RegistryText text = RegistryText::Parse(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Nav]\n\"DirRoot\"=\"C:\\Nav\\Users\\me\"\n");
  EXPECT_EQ(text.Find("HKEY_LOCAL_MACHINE\\Software\\Nav", "DirRoot"), "C:\\Nav\\Users\\me");
}

// Writing one value changes one line and keeps every other line, understood or not.
TEST(RegistryTextTest, WritingChangesOnlyItsOwnLine) {
  struct Case {
    const char* what;
    std::string before;
    std::string name;
    std::string value;
    std::string after;
  };
  const std::string head = "REGEDIT4\r\n\r\n";
  const std::string section = "[HKEY_CURRENT_USER\\Software\\Corvane\\Pagehold\\General]\r\n";
  const std::vector<Case> cases = {
      {"replaces the value in place, keeping its first spelling",
       head + section + "; a comment\r\n\"A\"=\"1\"\r\n\"B\"=\"2\"\r\n", "a", "new",
       head + section + "; a comment\r\n\"A\"=\"new\"\r\n\"B\"=\"2\"\r\n"},
      {"adds a new value after the key's last line, before the blank line",
       head + section + "\"A\"=\"1\"\r\n\r\n[HKEY_CURRENT_USER\\Other]\r\n\"X\"=\"y\"\r\n", "B",
       "2",
       head + section +
           "\"A\"=\"1\"\r\n\"B\"=\"2\"\r\n\r\n[HKEY_CURRENT_USER\\Other]\r\n\"X\"=\"y\"\r\n"},
      {"adds a missing key at the end",
       head + "[HKEY_CURRENT_USER\\Other]\r\n\"X\"=\"dword:1\"\r\n", "A", "1",
       head + "[HKEY_CURRENT_USER\\Other]\r\n\"X\"=\"dword:1\"\r\n\r\n" + section +
           "\"A\"=\"1\"\r\n"},
      {"replaces a typed value and its continuation lines",
       head + section + "\"A\"=hex:01,\\\r\n  02\r\n\"B\"=\"2\"\r\n", "A", "s",
       head + section + "\"A\"=\"s\"\r\n\"B\"=\"2\"\r\n"},
      {"turns line feeds into CR LF and ends the last line",
       "REGEDIT4\n\n[HKEY_CURRENT_USER\\Other]\n\"X\"=\"y\"", "A", "1",
       head + "[HKEY_CURRENT_USER\\Other]\r\n\"X\"=\"y\"\r\n\r\n" + section + "\"A\"=\"1\"\r\n"},
  };
  for (const Case& c : cases) {
    RegistryText text = RegistryText::Parse(c.before);
    ASSERT_TRUE(text.Set(kKey, c.name, c.value)) << c.what;
    EXPECT_EQ(text.Format(), c.after) << c.what;
  }
}

TEST(RegistryTextTest, DamagedFilesKeepWhatCanBeRead) {
  const std::string damaged =
      "garbage before the header\n"
      "[HKEY_CURRENT_USER\\Software\\Corvane\\Pagehold\\General]\n"
      "\"A\"=\"1\"\n"
      "this line is noise \"B\"=\"x\"\n"
      "\"B\"=\"2\"junk\n"
      "\"C\"=\n"
      "\"\xff\xfe\"\n"
      "\"D\"=\"4\"\n"
      "[HKEY_CURRENT_USER\\Software\\Corvane\\Pagehold\\Gen\n"  // cut key line
      "\"E\"=\"5\"\n"
      "[HKEY_CURRENT_USER\\Software\\Corvane\\Pagehold\\General]\n"
      "\"F\"=\"cut off in the midd";  // half-written last line
  RegistryText text = RegistryText::Parse(damaged);
  EXPECT_EQ(text.Find(kKey, "A"), "1");
  EXPECT_EQ(text.Find(kKey, "B"), std::nullopt);
  EXPECT_EQ(text.Find(kKey, "C"), std::nullopt);
  EXPECT_EQ(text.Find(kKey, "D"), "4");
  // Values under a cut key line belong to no key, not to the key above it.
  EXPECT_EQ(text.Find(kKey, "E"), std::nullopt);
  EXPECT_EQ(text.Find(kKey, "F"), std::nullopt);

  ASSERT_TRUE(text.Set(kKey, "F", "6"));
  const std::string written = text.Format();
  EXPECT_EQ(written.rfind("REGEDIT4\r\n", 0), 0u) << "a missing header is added";
  // Every damaged line is still there, so nothing a user wrote is lost.
  size_t from = 0;
  for (const char* line :
       {"garbage before the header", "this line is noise \"B\"=\"x\"", "\"B\"=\"2\"junk",
        "\"C\"=", "[HKEY_CURRENT_USER\\Software\\Corvane\\Pagehold\\Gen\r\n", "\"E\"=\"5\"",
        "\"F\"=\"cut off in the midd\r\n\"F\"=\"6\"\r\n"}) {
    const size_t at = written.find(line, from);
    ASSERT_NE(at, std::string::npos) << line << "\n" << written;
    from = at;
  }
  const RegistryText reread = RegistryText::Parse(written);
  EXPECT_EQ(reread.Find(kKey, "A"), "1");
  EXPECT_EQ(reread.Find(kKey, "D"), "4");
  EXPECT_EQ(reread.Find(kKey, "F"), "6");
}

TEST(RegistryTextTest, ALineEndInAKeyOrNameIsRefused) {
  RegistryText text;
  EXPECT_FALSE(text.Set(kKey, "two\nlines", "x"));
  EXPECT_FALSE(text.Set("HKEY_CURRENT_USER\\A\r\n[HKEY_CURRENT_USER\\B", "x", "x"));
  EXPECT_FALSE(text.Set("", "x", "x"));
  EXPECT_EQ(text.Format(), "REGEDIT4\r\n\r\n");
}

}  // namespace
}  // namespace pagehold
