#include "search/StoredFolders.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/Paths.h"
#include "platform/RegistryFile.h"
#include "prefs/SettingsStore.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

const std::string kSearchSection = "Search properties";
const std::string kGeneralSection = "General";
const std::string kExportSection = "Export to disk properties";

class StoredFoldersTest : public ::testing::Test {
 protected:
  std::optional<std::string> Stored(const std::string& section, const std::string& name) const {
    return store_.Read(section, name);
  }

  testing::TempFolder folder_;
  RegistryFile registry_{folder_.Child("registry.reg")};
  SettingsStore store_{registry_};
  const std::string program_ = "/opt/pagehold/";
};

TEST_F(StoredFoldersTest, RemembersEachFolderInItsOwnValueAsTyped) {
  StoredFolderMemory memory(store_);
  memory.Remember(RememberedFolder::Search, "/data/archive");
  memory.Remember(RememberedFolder::Reindex, "/data/other/");
  EXPECT_EQ(Stored(kSearchSection, "Search directory"), "/data/archive");
  EXPECT_EQ(Stored(kGeneralSection, "Reindex directory"), "/data/other/");
}

TEST_F(StoredFoldersTest, FieldsFallBackFromTheRememberedFolderToTheDefaultFolder) {
  const std::string archiveDefault = program_ + "ARCHIVE" + kPathSeparator;
  EXPECT_EQ(FolderFieldAtStart(RememberedFolder::Search, store_, program_), archiveDefault);
  EXPECT_EQ(FolderFieldAtStart(RememberedFolder::Reindex, store_, program_), archiveDefault);
  EXPECT_EQ(DefaultLocationField(store_, program_), archiveDefault);
  EXPECT_EQ(SecondaryLocationField(store_), "");
  // Nothing is written by reading.
  EXPECT_FALSE(std::filesystem::exists(registry_.Path()));

  store_.WriteString(kExportSection, "Default directory", "/archives/main/");
  store_.WriteString(kExportSection, "export directory name", "/archives/second/");
  EXPECT_EQ(FolderFieldAtStart(RememberedFolder::Search, store_, program_), "/archives/main/");
  EXPECT_EQ(DefaultLocationField(store_, program_), "/archives/main/");
  EXPECT_EQ(SecondaryLocationField(store_), "/archives/second/");

  store_.WriteString(kSearchSection, "Search directory", "/searched");
  store_.WriteString(kGeneralSection, "Reindex directory", "");
  EXPECT_EQ(FolderFieldAtStart(RememberedFolder::Search, store_, program_), "/searched");
  // Present but empty stays empty.
  EXPECT_EQ(FolderFieldAtStart(RememberedFolder::Reindex, store_, program_), "");
}

TEST_F(StoredFoldersTest, FieldAtStartIsCutTo255Characters) {
  const std::string longFolder = "/" + std::string(300, 'f');
  store_.WriteString(kSearchSection, "Search directory", longFolder);
  EXPECT_EQ(FolderFieldAtStart(RememberedFolder::Search, store_, program_),
            longFolder.substr(0, 255));
}

}  // namespace
}  // namespace pagehold
