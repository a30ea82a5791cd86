#include "prefs/SettingsStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/Paths.h"
#include "platform/RegistryFile.h"
#include "prefs/Settings.h"
#include "prefs/SettingsKeys.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

namespace keys = settings_keys;

TEST(SettingsStoreTest, StoredIntegersAreDecimalOrZeroXHexadecimal) {
  struct Case {
    std::string text;
    std::optional<int> expected;
  };
  const std::vector<Case> cases = {
      {"0", 0},
      {"258", 258},
      {"-5", -5},
      {"+7", 7},
      {"0x2", 2},
      {"0X1f", 31},
      {"0x0000000A", 10},
      {"0xFFFFFFFF", -1},
      {"0x", std::nullopt},  // two characters: not hexadecimal, and not decimal either
      {"0x123456789", std::nullopt},
      {"0x2g", std::nullopt},
      {"x2", std::nullopt},
      {"abc", std::nullopt},
      {"", std::nullopt},
      {" 1", std::nullopt},
      {"1 ", std::nullopt},
      {"2147483648", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseStoredInteger(c.text), c.expected) << "\"" << c.text << "\"";
}

class SettingsStoreFixture : public ::testing::Test {
 protected:
  std::string RegistryPath() const { return folder_.Child("registry.reg"); }

  // Stores the text exactly as another program (or a user) would have written it.
  void StoreRaw(std::string_view section, std::string_view name, std::string_view text) {
    ASSERT_TRUE(registry_.WriteString(RegistryRoot::CurrentUser,
                                      std::string(kSettingsKey) + "\\" + std::string(section), name,
                                      text));
  }

  testing::TempFolder folder_;
  RegistryFile registry_{RegistryPath()};
  SettingsStore store_{registry_};
};

TEST_F(SettingsStoreFixture, UsedModulo256AndOutOfRangeCountsAsTheFirstChoice) {
  struct Case {
    std::optional<std::string> stored;
    EmphasisStyle style;
    bool secondaryFolder;
  };
  const std::vector<Case> cases = {
      {std::nullopt, EmphasisStyle::BoldFace, false},
      {"0x2", EmphasisStyle::LargerText, false},
      {"258", EmphasisStyle::LargerText, false},
      {"-254", EmphasisStyle::LargerText, false},
      {"1", EmphasisStyle::Italicized, true},
      {"257", EmphasisStyle::Italicized, true},
      {"3", EmphasisStyle::Custom, false},
      {"9", EmphasisStyle::BoldFace, false},
      {"abc", EmphasisStyle::BoldFace, false},
      {"", EmphasisStyle::BoldFace, false},
  };
  for (const Case& c : cases) {
    testing::TempFolder folder;
    RegistryFile registry(folder.Child("registry.reg"));
    SettingsStore store(registry);
    if (c.stored) {
      store.WriteString(keys::kExport, keys::kEmphasizeType, *c.stored);
      store.WriteString(keys::kExport, keys::kExportDirectory, *c.stored);
    }
    const std::string label = c.stored.value_or("(absent)");
    EXPECT_EQ(EmphasisStyleFromStored(store.ReadInteger(keys::kExport, keys::kEmphasizeType, 0)),
              c.style)
        << label;
    EXPECT_EQ(SecondaryFolderChosen(store.ReadInteger(keys::kExport, keys::kExportDirectory, 0)),
              c.secondaryFolder)
        << label;
  }
}

TEST_F(SettingsStoreFixture, BooleansAreAnyNonZeroIntegerWithTheDefaultForTheRest) {
  struct Case {
    std::string stored;
    bool defaultValue;
    bool expected;
  };
  const std::vector<Case> cases = {
      {"1", false, true}, {"2", false, true},     {"-1", false, true}, {"0x10", false, true},
      {"0", true, false}, {"0x0", true, false},   {"yes", true, true}, {"yes", false, false},
      {"", true, true},   {"true", false, false},
  };
  for (const Case& c : cases) {
    StoreRaw(keys::kExport, keys::kShowOriginalUrls, c.stored);
    EXPECT_EQ(store_.ReadBool(keys::kExport, keys::kShowOriginalUrls, c.defaultValue), c.expected)
        << "\"" << c.stored << "\" with default " << c.defaultValue;
  }
  EXPECT_TRUE(store_.ReadBool(keys::kExport, "Absent", true));
  EXPECT_FALSE(store_.ReadBool(keys::kExport, "Absent", false));
}

TEST_F(SettingsStoreFixture, AnEmptyStringStaysEmptyAndOnlyAnAbsentOneGivesTheDefault) {
  EXPECT_EQ(store_.ReadString(keys::kExport, keys::kEmphasizeTag, "default"), "default");
  StoreRaw(keys::kExport, keys::kEmphasizeTag, "");
  EXPECT_EQ(store_.ReadString(keys::kExport, keys::kEmphasizeTag, "default"), "");
  EXPECT_EQ(store_.ReadInteger(keys::kExport, keys::kEmphasizeTag, 7), 7);
}

TEST_F(SettingsStoreFixture, ReadingNeverWrites) {
  EXPECT_EQ(store_.ReadString(keys::kGeneral, keys::kReindexDirectory, "x"), "x");
  EXPECT_EQ(store_.ReadInteger(keys::kExport, keys::kEmphasizeType, 0), 0);
  EXPECT_TRUE(store_.ReadBool(keys::kExport, keys::kDetailedIndex, true));
  EXPECT_FALSE(std::filesystem::exists(RegistryPath()));
}

TEST_F(SettingsStoreFixture, WritesAreTextInTheSectionSubkeyAndSeenByAnotherStore) {
  ASSERT_TRUE(store_.WriteBool(keys::kExport, keys::kEmphasizeLinks, true));
  ASSERT_TRUE(store_.WriteBool(keys::kExport, keys::kStrikeoutLinks, false));
  ASSERT_TRUE(store_.WriteInteger(keys::kExport, keys::kEmphasizeType, -3));
  ASSERT_TRUE(store_.WriteString(keys::kGeneral, keys::kReindexDirectory, "D:\\Old \"x\"\\"));

  const std::string exportKey = "Software\\Corvane\\Pagehold\\Export to disk properties";
  EXPECT_EQ(registry_.ReadString(RegistryRoot::CurrentUser, exportKey, "Emphasize links"), "1");
  EXPECT_EQ(registry_.ReadString(RegistryRoot::CurrentUser, exportKey, "Strikeout links"), "0");
  EXPECT_EQ(registry_.ReadString(RegistryRoot::CurrentUser, exportKey, "Emphasize Type"), "-3");

  RegistryFile otherRegistry(RegistryPath());
  const SettingsStore other(otherRegistry);
  EXPECT_TRUE(other.ReadBool(keys::kExport, "EMPHASIZE LINKS", false));
  EXPECT_FALSE(other.ReadBool(keys::kExport, keys::kStrikeoutLinks, true));
  EXPECT_EQ(other.ReadInteger(keys::kExport, keys::kEmphasizeType, 0), -3);
  EXPECT_EQ(other.ReadString(keys::kGeneral, keys::kReindexDirectory, ""), "D:\\Old \"x\"\\");
}

TEST_F(SettingsStoreFixture, FolderSettingsFallBackToTheDefaultDirectory) {
  const std::string programFolder = folder_.Child("program/");
  const std::string archive = programFolder + "ARCHIVE" + std::string(1, kPathSeparator);
  EXPECT_EQ(DefaultArchiveFolder(programFolder), archive);
  EXPECT_EQ(DefaultArchiveFolder(folder_.Child("program")), archive);
  EXPECT_EQ(ReadSearchDirectory(store_, programFolder), archive);
  EXPECT_EQ(ReadReindexDirectory(store_, programFolder), archive);

  StoreRaw(keys::kExport, keys::kDefaultDirectory, "/archives/main/");
  EXPECT_EQ(ReadSearchDirectory(store_, programFolder), "/archives/main/");
  EXPECT_EQ(ReadReindexDirectory(store_, programFolder), "/archives/main/");

  ASSERT_TRUE(WriteSearchDirectory(store_, "/searched/"));
  ASSERT_TRUE(WriteReindexDirectory(store_, ""));
  EXPECT_EQ(ReadSearchDirectory(store_, programFolder), "/searched/");
  EXPECT_EQ(ReadReindexDirectory(store_, programFolder), "");
}

}  // namespace
}  // namespace pagehold
