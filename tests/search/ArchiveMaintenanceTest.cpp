#include "search/ArchiveMaintenance.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Shell.h"
#include "search/ArchiveMaker.h"
#include "search/RecordingFolderMemory.h"
#include "support/RecordingShell.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testing::RecordingFolderMemory;
using testing::RecordingShell;
using testing::ScriptedInteraction;
using testing::TempFolder;

const std::string kNoInfoFile =
    "Couldn't find an archive info file\r\n(archive.dat) in this folder.";

class ArchiveMaintenanceTest : public ::testing::Test {
 protected:
  ArchiveMaintenanceTest() {
    testing::WriteFile(archiveFolder_.Child("archive.dat"), std::string(28, '\0'));
  }

  std::string Typed() const { return testing::AsTyped(archiveFolder_.path()); }

  TempFolder archiveFolder_;
  TempFolder emptyFolder_;
  ScriptedInteraction ui_;
  RecordingFolderMemory memory_;
  RecordingShell shell_;
};

TEST_F(ArchiveMaintenanceTest, FolderRuleAppendsTheSeparatorAndRequiresTheInfoFile) {
  const struct {
    const char* name;
    std::string typed;
    bool accepted;
  } cases[] = {
      {"typed without separator", Typed(), true},
      {"typed with separator", archiveFolder_.path(), true},
      {"no archive.dat", emptyFolder_.path(), false},
      {"missing folder", archiveFolder_.Child("gone"), false},
      {"empty field", "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ui_.messages.clear();
    const std::optional<std::string> folder = MaintenanceFolder(c.typed, ui_);
    EXPECT_EQ(folder.has_value(), c.accepted);
    if (c.accepted) {
      EXPECT_EQ(*folder, archiveFolder_.path());
      EXPECT_TRUE(ui_.messages.empty());
    } else {
      ASSERT_EQ(ui_.messages.size(), 1u);
      EXPECT_EQ(ui_.messages[0].text, kNoInfoFile);
      EXPECT_EQ(ui_.messages[0].buttons, MessageButtons::Ok);
    }
  }
}

TEST_F(ArchiveMaintenanceTest, ExploreOpensTheFolderWithTheExploreVerbAndRemembersItAsTyped) {
  shell_.answer = ShellResult::PathNotFound;  // not examined
  EXPECT_TRUE(ExploreArchive(Typed(), shell_, ui_, memory_));
  ASSERT_EQ(shell_.calls.size(), 1u);
  EXPECT_EQ(shell_.calls[0].target, archiveFolder_.path());
  EXPECT_EQ(shell_.calls[0].verb, "explore");
  EXPECT_TRUE(ui_.messages.empty());
  ASSERT_EQ(memory_.remembered.size(), 1u);
  EXPECT_EQ(memory_.remembered[0].first, RememberedFolder::Reindex);
  EXPECT_EQ(memory_.remembered[0].second, Typed());
}

TEST_F(ArchiveMaintenanceTest, RefusedFolderIsNeitherExploredNorReindexedNorRemembered) {
  bool ran = false;
  EXPECT_FALSE(ExploreArchive(emptyFolder_.path(), shell_, ui_, memory_));
  EXPECT_FALSE(ReindexArchive("", ui_, memory_, [&ran](const std::string&) { ran = true; }));
  EXPECT_TRUE(shell_.calls.empty());
  EXPECT_FALSE(ran);
  EXPECT_TRUE(memory_.remembered.empty());
  EXPECT_EQ(ui_.messages.size(), 2u);
}

TEST_F(ArchiveMaintenanceTest, ReindexRunsOnTheFolderAndRemembersItAsTyped) {
  std::string seen;
  EXPECT_TRUE(
      ReindexArchive(Typed(), ui_, memory_, [&](const std::string& folder) { seen = folder; }));
  EXPECT_EQ(seen, archiveFolder_.path());
  ASSERT_EQ(memory_.remembered.size(), 1u);
  EXPECT_EQ(memory_.remembered[0].second, Typed());
}

TEST_F(ArchiveMaintenanceTest, FailingRunStillRemembersTheField) {
  EXPECT_THROW(ReindexArchive(Typed(), ui_, memory_,
                              [](const std::string&) { throw std::runtime_error("disk full"); }),
               std::runtime_error);
  ASSERT_EQ(memory_.remembered.size(), 1u);
  EXPECT_EQ(memory_.remembered[0].second, Typed());
}

TEST_F(ArchiveMaintenanceTest, FolderOfTheReindexIsCutTo255Characters) {
  // A folder path longer than 255 characters that holds an archive.
  std::string deep = archiveFolder_.path();
  while (deep.size() < 300)
    deep = deep + std::string(40, 'd') + "/";
  testing::WriteFile(deep + "archive.dat", "");
  std::string seen;
  EXPECT_TRUE(
      ReindexArchive(deep, ui_, memory_, [&](const std::string& folder) { seen = folder; }));
  EXPECT_EQ(seen, deep.substr(0, 255));
}

}  // namespace
}  // namespace pagehold
