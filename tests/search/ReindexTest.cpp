#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "archive/ArchiveFile.h"
#include "archive/ArchiveFileReader.h"
#include "platform/RegistryFile.h"
#include "prefs/AppContext.h"
#include "search/ArchiveMaintenance.h"
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
namespace fs = std::filesystem;

const char* const kPrevious = "/previous/archive/";

// An archive of two domains, indexed once, as the archive run leaves it.
class ReindexTest : public ::testing::Test {
 protected:
  ReindexTest()
      : context_(Product::Navigator, programFolder_.path(),
                 std::make_unique<RegistryFile>(programFolder_.Child("registry.reg"))),
        archive_(archiveFolder_.path(), context_.mimeTable) {
    context_.settings.CurrentArchiveFolder = kPrevious;
    archive_.Add("http://alpha.example:80/index.html", Row::Html, "index.htm",
                 "<HTML><TITLE>Alpha home</TITLE>welcome</HTML>");
    // A 16 by 16 GIF head, enough for the thumbnail page to show the picture.
    logo_ = archive_.Add("http://alpha.example:80/logo.gif", Row::Gif, "logo.gif",
                         std::string("GIF89a\x10\0\x10\0\x80\0\0", 13));
    archive_.Add("http://alpha.example:80/notes.txt", Row::PlainText, "notes.txt", "notes");
    archive_.Add("http://beta.example:80/page.html", Row::Html, "page.htm",
                 "<HTML><TITLE>Beta page</TITLE></HTML>");
    archive_.Add("http://beta.example:80/song.wav", Row::Wav, "song.wav", "RIFF");
    archive_.Save();
    Reindex();
    ui_.messages.clear();
    memory_.remembered.clear();
  }

  std::optional<ArchiveRunReport> Reindex(bool ask = false) {
    ArchiveRunOptions options;
    options.askToOpenIndex = ask;
    return ReindexWithArchiveRun(Typed(), context_, ui_, memory_, options);
  }

  std::string Typed() const { return testing::AsTyped(archiveFolder_.path()); }
  std::string Page(const std::string& relative) const {
    return testing::ReadFile(archiveFolder_.Child(relative));
  }
  bool Exists(const std::string& relative) const {
    return fs::exists(archiveFolder_.Child(relative));
  }
  std::vector<std::string> RecordedUrls() const {
    std::vector<std::string> urls;
    const ArchiveList archive = std::move(ReadArchiveFile(archiveFolder_.path()).value().records);
    for (const auto& record : archive.Items())
      urls.push_back(record->Url);
    return urls;
  }
  bool Mentions(const std::string& relative, const std::string& text) const {
    return Page(relative).find(text) != std::string::npos;
  }

  TempFolder programFolder_;
  TempFolder archiveFolder_;
  AppContext context_;
  ArchiveMaker archive_;
  std::string logo_;
  ScriptedInteraction ui_;
  RecordingFolderMemory memory_;
};

TEST_F(ReindexTest, DeletedDomainFolderLeavesTheInfoFileAndTheDomainList) {
  ASSERT_TRUE(Mentions("indlist.htm", "beta.example"));
  const std::string alphaText = Page("alpha.example/text_index.htm");
  fs::remove_all(archiveFolder_.Child("beta.example"));

  const std::optional<ArchiveRunReport> report = Reindex();
  ASSERT_TRUE(report.has_value());
  EXPECT_EQ(report->outcome, ArchiveRunOutcome::Completed);
  EXPECT_EQ(RecordedUrls(), (std::vector<std::string>{"http://alpha.example:80/index.html",
                                                      "http://alpha.example:80/logo.gif",
                                                      "http://alpha.example:80/notes.txt"}));
  EXPECT_FALSE(Mentions("indlist.htm", "beta.example"));
  EXPECT_TRUE(Mentions("indlist.htm", "alpha.example"));
  EXPECT_EQ(Page("alpha.example/text_index.htm"), alphaText);
  EXPECT_EQ(context_.settings.CurrentArchiveFolder, kPrevious);
  ASSERT_EQ(memory_.remembered.size(), 1u);
  EXPECT_EQ(memory_.remembered[0].second, Typed());
}

TEST_F(ReindexTest, DeletedOnlyImageOfADomainEmptiesItsThumbnailPage) {
  ASSERT_TRUE(Mentions("alpha.example/image_index.htm", "logo.gif"));
  ASSERT_TRUE(Mentions("alpha.example/thumbnail_index.htm", "logo.gif"));
  fs::remove(logo_);

  ASSERT_TRUE(Reindex().has_value());
  EXPECT_EQ(RecordedUrls(),
            (std::vector<std::string>{
                "http://alpha.example:80/index.html", "http://alpha.example:80/notes.txt",
                "http://beta.example:80/page.html", "http://beta.example:80/song.wav"}));
  EXPECT_FALSE(Mentions("alpha.example/image_index.htm", "logo.gif"));
  EXPECT_EQ(Page("alpha.example/thumbnail_index.htm"), "");
  EXPECT_TRUE(Mentions("indlist.htm", "alpha.example"));
}

TEST_F(ReindexTest, DeletingEveryFileRemovesTheInfoFileAndTheEntryPage) {
  ASSERT_TRUE(Exists("1st_page.htm"));
  fs::remove_all(archiveFolder_.Child("alpha.example"));
  fs::remove_all(archiveFolder_.Child("beta.example"));

  const std::optional<ArchiveRunReport> report = Reindex(/*ask=*/true);
  ASSERT_TRUE(report.has_value());
  EXPECT_EQ(report->result, ArchiveRunResult::Cancel);
  EXPECT_FALSE(Exists("archive.dat"));
  EXPECT_FALSE(Exists("1st_page.htm"));
  EXPECT_TRUE(ui_.messages.empty()) << "no question about an index page that is gone";
  EXPECT_EQ(context_.settings.CurrentArchiveFolder, kPrevious);

  // The folder is no archive any more.
  EXPECT_FALSE(Reindex().has_value());
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            "Couldn't find an archive info file\r\n(archive.dat) in this folder.");
}

TEST_F(ReindexTest, NothingDeletedRewritesTheSameInfoFileAndAsksAboutTheIndex) {
  const std::string before = testing::ReadFile(archive_.InfoFile());
  const std::string domains = Page("indlist.htm");

  const std::optional<ArchiveRunReport> report = Reindex(/*ask=*/true);
  ASSERT_TRUE(report.has_value());
  EXPECT_EQ(testing::ReadFile(archive_.InfoFile()), before);
  EXPECT_EQ(Page("indlist.htm"), domains);
  EXPECT_EQ(report->indexPage, archiveFolder_.path() + "1st_page.htm");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text.rfind("Re-indexing completed.", 0), 0u);
}

}  // namespace
}  // namespace pagehold
