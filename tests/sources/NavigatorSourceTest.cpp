#include "sources/NavigatorSource.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "cache/Dates.h"
#include "files/FolderCopy.h"
#include "platform/Paths.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testing::ScriptedInteraction;
using testing::TempFolder;

// The bundled sample, copied so that deleting from it leaves the repository alone.
class NavigatorSampleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string sample = JoinPath(testing::SamplesDir(), "nav");
    if (!FileExists(JoinPath(sample, "fat.db")))
      GTEST_SKIP() << "the bundled sample " << sample << " is missing";
    testgen::CopyFolderContents(sample, cache_.path());
  }

  TempFolder program_;
  TempFolder cache_;
  TMimeTable mimeTable_{program_.path()};
  ScriptedInteraction ui_;
};

TEST_F(NavigatorSampleTest, ReadsTheSampleSitesAndDropsWhatNamesNoCachedHttpFile) {
  NavigatorSource source(cache_.Child("fat.db"), mimeTable_);
  CacheReading reading = source.ReadCache(ui_);
  const CacheList& list = reading.items;
  std::vector<std::string> urls;
  for (const auto& item : list) {
    urls.push_back(item->Url);
    EXPECT_TRUE(FileExists(item->CacheFile)) << item->CacheFile;
    // Visited on 15 June 1998, a few minutes apart.
    EXPECT_EQ(DecodeDate(item->Date).year, 1998) << item->Url;
    EXPECT_EQ(DecodeDate(item->Date).month, 6) << item->Url;
  }
  const ReadingReport& report = reading.report;
  EXPECT_EQ(report.itemsKept, 12u);
  EXPECT_EQ(report.Skipped(SkipReason::NotHttp), 2u);  // the secure page and the FTP file
  EXPECT_EQ(report.Skipped(SkipReason::NoCachedFile), 1u);
  EXPECT_FALSE(report.Partial());
  std::sort(urls.begin(), urls.end());
  const std::vector<std::string> expected = {
      "http://www.example-bikes.test:80/",
      "http://www.example-bikes.test:80/img/bike.gif",
      "http://www.example-bikes.test:80/img/trail.jpg",
      "http://www.example-bikes.test:80/tour.html",
      "http://www.example-bikes.test:8080/status.html",
      "http://www.example-garden.test:80/docs/guide.pdf",
      "http://www.example-garden.test:80/files/seeds.zip",
      "http://www.example-garden.test:80/images/rose.gif",
      "http://www.example-garden.test:80/images/tulip.jpg",
      "http://www.example-garden.test:80/index.html",
      "http://www.example-garden.test:80/notes.txt",
      "http://www.example-garden.test:80/roses.html",
  };
  EXPECT_EQ(urls, expected);
  const auto rose = std::find_if(list.begin(), list.end(),
                                 [](const auto& item) { return item->Url.ends_with("/rose.gif"); });
  ASSERT_NE(rose, list.end());
  EXPECT_EQ((*rose)->CacheFile, cache_.Child("M0G1A2B5.GIF"));  // the file's case on disk
  EXPECT_EQ((*rose)->Domain, "www.example-garden.test");
  EXPECT_EQ((*rose)->ContentKind, Media);
  EXPECT_EQ(mimeTable_.MimeTypeName((*rose)->MimeIndex), "image/gif");
}

TEST_F(NavigatorSampleTest, RemovingAnItemDeletesItsFileAndTheNextReadingDropsIt) {
  NavigatorSource source(cache_.Child("fat.db"), mimeTable_);
  const CacheList list = source.ReadCache(ui_).items;
  const size_t before = list.size();
  ASSERT_GT(before, 0u);
  const std::string index = testing::ReadFile(cache_.Child("fat.db"));
  RemovalReport report;
  source.RemoveFromCache({list[0].get(), list[0].get()}, ui_, report);
  EXPECT_EQ(report.states,
            (std::vector<RemovalState>{RemovalState::Removed, RemovalState::AlreadyGone}));
  EXPECT_FALSE(FileExists(list[0]->CacheFile));
  EXPECT_EQ(testing::ReadFile(cache_.Child("fat.db")), index);

  EXPECT_EQ(source.ReadCache(ui_).items.size(), before - 1);
}

// Items naming the index (also through a linked folder) are refused;
// a link to the index is removed as a link.
TEST(NavigatorSourceTest, RemovalNeverDeletesTheIndex) {
  if (const std::string& why = testing::WhyNoSymbolicLinks(); !why.empty())
    GTEST_SKIP() << why;
  TempFolder folder;
  testing::WriteFile(folder.Child("fat.db"), "the index");
  std::filesystem::create_directory_symlink(folder.path(), folder.Child("same"));
  std::filesystem::create_symlink(folder.Child("fat.db"), folder.Child("link.db"));
  TMimeTable mimeTable(folder.path());
  NavigatorSource source(folder.Child("fat.db"), mimeTable);
  TCacheItem index, throughFolder, link;
  index.CacheFile = folder.Child("fat.db");
  throughFolder.CacheFile = folder.Child("same/fat.db");
  link.CacheFile = folder.Child("link.db");
  RemovalReport report;
  ScriptedInteraction ui;
  source.RemoveFromCache({&index, &throughFolder, &link}, ui, report);
  EXPECT_EQ(report.states, (std::vector<RemovalState>{RemovalState::Failed, RemovalState::Failed,
                                                      RemovalState::Removed}));
  EXPECT_EQ(testing::ReadFile(folder.Child("fat.db")), "the index");
  EXPECT_FALSE(std::filesystem::is_symlink(folder.Child("link.db")));
}

TEST(NavigatorSourceTest, AMissingIndexIsReportedAndReadsNothing) {
  TempFolder folder;
  TMimeTable mimeTable(folder.path());
  NavigatorSource source(folder.Child("Fat.db"), mimeTable);
  ScriptedInteraction ui;
  const CacheReading reading = source.ReadCache(ui);
  EXPECT_EQ(reading.report.outcome, ReadingOutcome::Unopened);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Please close down Netscape\r\nbefore continuing.");
  EXPECT_TRUE(reading.items.empty());
}

TEST(NavigatorSourceTest, AgesAndNaming) {
  TempFolder folder;
  TMimeTable mimeTable(folder.path());
  const NavigatorSource source(folder.Child("Fat.db"), mimeTable);
  EXPECT_EQ(source.AgeNumbers(AgeUnit::Hours), (std::vector<int>{6, 12, 18}));
  EXPECT_EQ(source.AgeNumbers(AgeUnit::Days), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(source.AgeNumbers(AgeUnit::Weeks), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(source.FileNamingRule(), NamingRule::FromUrl);
  EXPECT_EQ(source.IndexPath(), folder.Child("Fat.db"));
}

}  // namespace
}  // namespace pagehold
