#include "search/FindInArchive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/ArchiveMaker.h"
#include "search/RecordingFolderMemory.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testing::ArchiveMaker;
using testing::RecordingFolderMemory;
using testing::ScriptedInteraction;
using testing::TempFolder;
namespace Row = testing::Row;

const std::string kNoInfoFile =
    "Couldn't find an archive info file\r\n(archive.dat) in this folder.";

class FindInArchiveTest : public ::testing::Test {
 protected:
  FindInArchiveTest()
      : mimeTable_(programFolder_.path()), archive_(archiveFolder_.path(), mimeTable_) {
    archive_.Add("http://www.example.com:80/index.html", Row::Html, "index.htm", "Welcome aboard");
    archive_.Add("http://www.example.com:80/logo.gif", Row::Gif, "logo.gif");
    archive_.Save();
  }

  FindOutcome Find(const std::string& url, const std::string& html, const std::string& folder) {
    rows_.clear();
    return FindInArchive({url, html, folder}, mimeTable_, ui_, memory_,
                         [this](SearchResult row) { rows_.push_back(std::move(row)); });
  }

  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const Message& message : ui_.messages) {
      EXPECT_EQ(message.icon, MessageIcon::Information);
      EXPECT_EQ(message.buttons, MessageButtons::Ok);
      texts.push_back(message.text);
    }
    return texts;
  }

  // The archive folder as a user would type it: without the final separator.
  std::string TypedFolder() const { return testing::AsTyped(archive_.folder()); }

  // An archive folder whose path is longer than 255 characters.
  std::string DeepArchive() const {
    std::string deep = emptyFolder_.path();
    while (deep.size() < 300)
      deep += std::string(40, 'd') + "/";
    testing::WriteFile(deep + "archive.dat", archive_.records());
    return deep;
  }

  TempFolder programFolder_;
  TempFolder archiveFolder_;
  TempFolder emptyFolder_;
  TMimeTable mimeTable_;
  ArchiveMaker archive_;
  ScriptedInteraction ui_;
  RecordingFolderMemory memory_;
  std::vector<SearchResult> rows_;
};

TEST_F(FindInArchiveTest, ChecksRefuseWithTheirMessageAndFocus) {
  const std::string missing = archiveFolder_.Child("no such folder");
  const struct {
    const char* name;
    std::string url, html, folder;
    std::string message;
    FindFocus focus;
  } cases[] = {
      {"no pattern", "", "", TypedFolder(), "Enter some search text.", FindFocus::Url},
      {"no pattern and no folder", "", "", missing, "Enter some search text.", FindFocus::Url},
      {"missing folder", "x", "", missing, "Couldn't find folder\r\n\r\n" + missing,
       FindFocus::Folder},
      {"empty folder field", "", "x", "", "Couldn't find folder\r\n\r\n", FindFocus::Folder},
      {"folder without info file", "x", "", emptyFolder_.path(), kNoInfoFile, FindFocus::Folder},
      // The folder is cut to 255 characters before the separator is added, so a long path to
      // an archive is looked for in a folder of the cut name.
      {"folder cut to 255", "x", "", DeepArchive(), kNoInfoFile, FindFocus::Folder},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ui_.messages.clear();
    const FindOutcome outcome = Find(c.url, c.html, c.folder);
    EXPECT_FALSE(outcome.searched);
    EXPECT_EQ(outcome.focus, c.focus);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{c.message});
    EXPECT_TRUE(rows_.empty());
  }
  EXPECT_TRUE(memory_.remembered.empty());
}

TEST_F(FindInArchiveTest, FolderWithoutFinalSeparatorIsSearchedAndRememberedAsTyped) {
  const FindOutcome outcome = Find("INDEX", "", TypedFolder());
  EXPECT_TRUE(outcome.searched);
  ASSERT_EQ(rows_.size(), 1u);
  EXPECT_EQ(rows_[0].Url, "http://www.example.com/index.html");
  EXPECT_EQ(rows_[0].ArchiveFile,
            archive_.CopyPath("http://www.example.com:80/", Row::Html, "index.htm"));
  EXPECT_TRUE(ui_.messages.empty());
  ASSERT_EQ(memory_.remembered.size(), 1u);
  EXPECT_EQ(memory_.remembered[0].first, RememberedFolder::Search);
  EXPECT_EQ(memory_.remembered[0].second, TypedFolder());
}

TEST_F(FindInArchiveTest, NothingFoundIsReportedAndTheFolderStillRemembered) {
  const FindOutcome outcome = Find("", "not in any page", archive_.folder());
  EXPECT_TRUE(outcome.searched);
  EXPECT_TRUE(rows_.empty());
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"No files found."});
  ASSERT_EQ(memory_.remembered.size(), 1u);
  EXPECT_EQ(memory_.remembered[0].second, archive_.folder());
}

TEST_F(FindInArchiveTest, StopAfterARowFoundShowsNoEmptyResultMessage) {
  ui_.CancelAfterEvents(1);
  const FindOutcome outcome = Find("example", "", archive_.folder());
  EXPECT_TRUE(outcome.summary.stopped);
  EXPECT_EQ(rows_.size(), 1u);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(memory_.remembered.size(), 1u);
}

TEST_F(FindInArchiveTest, PatternsAreCutTo255Characters) {
  // An address of exactly 255 characters (a port other than 80 keeps it as stored), and a
  // pattern of that address plus more text.
  const std::string address = "http://www.example.com:8080/" + std::string(227, 'q');
  archive_.Add(address, Row::Html, "q.htm");
  archive_.Save();
  Find(address + std::string(45, 'z'), "", archive_.folder());
  EXPECT_EQ(rows_.size(), 1u);
}

}  // namespace
}  // namespace pagehold
