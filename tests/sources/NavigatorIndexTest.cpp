#include "sources/NavigatorIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <random>

#include "NavigatorTestCaches.h"
#include "cache/Dates.h"
#include "navcache/NavCacheWriter.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testing::ScriptedInteraction;
using testing::TempFolder;

// A reader over a temporary cache folder with its own MIME table.
class ReaderFixture : public ::testing::Test {
 protected:
  ReaderFixture() : mimeTable_(program_.path()), reader_(mimeTable_, list_, ui_) {
    reader_.SetCacheFolder(cache_.path());
  }

  std::vector<std::string> Urls() const {
    std::vector<std::string> urls;
    for (const auto& item : list_)
      urls.push_back(item->Url);
    return urls;
  }

  TempFolder program_;
  TempFolder cache_;
  TMimeTable mimeTable_;
  CacheList list_;
  ScriptedInteraction ui_;
  NavigatorIndexReader reader_;
};

using NavigatorIndexTest = ReaderFixture;

TEST_F(NavigatorIndexTest, AnIndexThatCannotBeOpenedAsksToCloseTheBrowser) {
  for (const std::string& path : {cache_.Child("absent.db"), cache_.path()}) {
    ui_.messages.clear();
    EXPECT_EQ(reader_.ReadCacheIndex(path).outcome, ReadingOutcome::Unopened) << path;
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].text, "Please close down Netscape\r\nbefore continuing.");
    EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(ui_.messages[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(list_.empty());
  }
}

TEST_F(NavigatorIndexTest, ThePathSplitsIntoCacheFolderAndIndexName) {
  testing::WriteFile(cache_.Child("Fat.db"), "MCOM-CACHE\n");
  EXPECT_EQ(reader_.ReadCacheIndex(cache_.Child("Fat.db")).outcome, ReadingOutcome::Read);
  EXPECT_EQ(reader_.CacheFolder(), cache_.path());
  EXPECT_EQ(reader_.IndexFileName(), "Fat.db");
}

// Empty indexes are read and give nothing; a hash file too short for its header is refused
// (the commands' tests refuse the rest).
TEST_F(NavigatorIndexTest, EmptyIndexesAreReadAndAHeaderCutShortIsRefused) {
  std::string headerOnly(4096, '\0');
  headerOnly.replace(0, 4, std::string("\x00\x06\x15\x61", 4));
  for (const std::string& bytes : {headerOnly, std::string("MCOM-CACHE-only-a-header\n"),
                                   std::string("MOSAIC-COM"), headerOnly.substr(0, 100)}) {
    testing::WriteFile(cache_.Child("fat.db"), bytes);
    const ReadingReport report = reader_.ReadCacheIndex(cache_.Child("fat.db"));
    EXPECT_EQ(report.outcome, bytes.size() == 100 ? ReadingOutcome::Refused : ReadingOutcome::Read);
    EXPECT_EQ(report.entriesRead, 0u);
    EXPECT_TRUE(list_.empty() && ui_.messages.empty());
  }
}

TEST(NavigatorIndexProbeTest, PageSizeFromTheSecondRecord) {
  std::string twoRecords(8192, '\0');
  struct Case {
    std::string bytes;
    int pageSize;
  } cases[] = {
      {twoRecords, 16384},                  // 51 zero bytes: the header page goes on
      {twoRecords.substr(0, 8191), 16384},  // the second record could not be read whole
      {"", 16384},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ProbePageSize(c.bytes), c.pageSize) << c.bytes.size();
  for (size_t at : {4096u, 4096u + 50u}) {
    std::string bytes = twoRecords;
    bytes[at] = 1;
    EXPECT_EQ(ProbePageSize(bytes), 4096) << at;
  }
  std::string late = twoRecords;
  late[4096 + 51] = 1;  // beyond the 51 bytes that count
  EXPECT_EQ(ProbePageSize(late), 16384);
}

TEST(NavigatorIndexTimeTest, RealDatesAreKeptAndImpossibleOnesFallBack) {
  const double now = Now();
  const std::int32_t nowSeconds = static_cast<std::int32_t>(std::time(nullptr));
  const std::int32_t june1998 = 897900000;  // 1998-06-15
  const std::int32_t before1990 = 631152000 - 86400 * 2;
  struct Case {
    std::int32_t seconds;
    double expected;
  } cases[] = {
      {nowSeconds + 86400 * 3, now},  // in the future
      {0, now - 5000},                // 1970, and the text index's "not a number"
      {-100000, now - 5000},          // before 1970
      {before1990, now - 5000},
      {june1998, DateFromUnixSeconds(june1998)},
      {nowSeconds - 86400 * 5001, DateFromUnixSeconds(nowSeconds - 86400 * 5001)},
      {nowSeconds - 86400 * 10, DateFromUnixSeconds(nowSeconds - 86400 * 10)},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(CacheTimeToDate(c.seconds, now), c.expected) << c.seconds;
  EXPECT_NEAR(CacheTimeToDate(nowSeconds - 3600), DateFromUnixSeconds(nowSeconds - 3600), 1e-6);
}

struct EntryCase {
  const char* url;
  const char* name;
  std::optional<SkipReason> dropped;
};

class AddCacheEntryTest : public ReaderFixture {
 protected:
  // Adds each entry alone: it gives one item, or none and is counted under its reason.
  void ExpectEntries(std::initializer_list<EntryCase> cases) {
    for (const EntryCase& c : cases) {
      list_.clear();
      const ReadingReport before = reader_.Report();
      reader_.AddCacheEntry(c.url, c.name, "text/html", 900000000);
      EXPECT_EQ(list_.size(), c.dropped ? 0u : 1u) << c.url << " " << c.name;
      EXPECT_EQ(reader_.Report().entriesRead, before.entriesRead + 1);
      if (c.dropped) {
        EXPECT_EQ(reader_.Report().Skipped(*c.dropped), before.Skipped(*c.dropped) + 1) << c.name;
      }
    }
  }
};

TEST_F(AddCacheEntryTest, KeepsOnlyHttpEntriesWithTheirFiles) {
  testing::WriteFile(cache_.Child("m1.htm"), "<html>");
  testing::WriteFile(cache_.Child("m2.gif"), "GIF89a");
  std::filesystem::create_directories(cache_.Child("sub"));
  using R = SkipReason;
  ExpectEntries({
      {"http://www.Example.test/a.html", "m1.htm", std::nullopt},
      {"www.example.test:8080/b", "m2.gif", std::nullopt},
      {"https://www.example.test/c", "m1.htm", R::NotHttp},  // secure
      {"ftp://ftp.example.test/d", "m1.htm", R::NotHttp},
      {"mailto:someone@example.test", "m1.htm", R::NotHttp},
      {"http://www.example.test/e", "", R::NoCachedFile},  // no cache file name
      {"http://www.example.test/f", "gone.htm", R::NoCachedFile},
      {"http://www.example.test/g", "sub", R::NoCachedFile},  // a folder is not a cached file
      {"http://www.example.test/h", "../outside.htm", R::UnsafeName},
      {"http://www.example.test/i", "/etc/passwd", R::UnsafeName},
      {"", "m1.htm", R::NotHttp},
  });
}

TEST_F(AddCacheEntryTest, FollowsLinksOnlyWithinTheCache) {
  if (const std::string& why = testing::WhyNoSymbolicLinks(); !why.empty())
    GTEST_SKIP() << why;
  testing::WriteFile(cache_.Child("m1.htm"), "<html>");
  testing::WriteFile(program_.Child("outside.htm"), "not in the cache");
  namespace fs = std::filesystem;
  fs::create_symlink(program_.Child("outside.htm"), cache_.Child("out-link.htm"));
  fs::create_directory_symlink(program_.path(), cache_.Child("out-folder"));
  fs::create_symlink(cache_.Child("m1.htm"), cache_.Child("in-link.htm"));
  ExpectEntries({
      {"http://www.example.test/j", "out-link.htm", SkipReason::LinkOutside},
      {"http://www.example.test/k", "out-folder/outside.htm", SkipReason::LinkOutside},
      {"http://www.example.test/l", "in-link.htm", std::nullopt},
      // Found in another letter case through the listing of the folder.
      {"http://www.example.test/m", "IN-LINK.HTM", std::nullopt},
  });
  ASSERT_EQ(list_.size(), 1u);
  EXPECT_EQ(list_[0]->CacheFile, cache_.Child("in-link.htm"));  // the link, not its target
}

TEST_F(NavigatorIndexTest, AddCacheEntryBuildsTheItem) {
  testing::WriteFile(cache_.Child("m1.htm"), "<html>");
  const std::int32_t seconds = static_cast<std::int32_t>(std::time(nullptr)) - 86400;
  reader_.AddCacheEntry("http://WWW.Example.TEST:8080/Dir/Page.html?x=1", "m1.htm", "Image/GIF",
                        seconds);
  reader_.AddCacheEntry("http://www.example.test", "m1.htm", "text/plain", seconds);
  ASSERT_EQ(list_.size(), 2u);
  const TCacheItem& item = *list_[0];
  EXPECT_EQ(item.Url, "http://www.example.test:8080/Dir/Page.html?x=1");
  EXPECT_EQ(item.Domain, "www.example.test");
  EXPECT_EQ(item.CacheFile, cache_.Child("m1.htm"));
  EXPECT_EQ(item.MimeIndex, mimeTable_.MimeIndexOf("image/gif") & 0xFF);
  EXPECT_EQ(item.ContentKind, Media);
  EXPECT_NEAR(item.Date, DateFromUnixSeconds(seconds), 1e-9);
  EXPECT_TRUE(item.Title.empty());
  EXPECT_TRUE(item.FileName.empty());
  EXPECT_FALSE(item.CacheKey.has_value());
  EXPECT_EQ(list_[1]->Url, "http://www.example.test:80/");
  EXPECT_EQ(list_[1]->ContentKind, Text);
}

TEST_F(NavigatorIndexTest, DroppedEntriesAddNoMimeRows) {
  const int rows = mimeTable_.Size();
  reader_.AddCacheEntry("http://www.example.test/x", "missing.bin", "application/x-dropped", 1);
  reader_.AddCacheEntry("https://www.example.test/y", "missing.bin", "application/x-secure", 1);
  EXPECT_EQ(mimeTable_.Size(), rows);
}

// A cache copied from Windows keeps its files' letter case while the index names them in any
// case (and the paged index's names are read lower-cased).
TEST_F(NavigatorIndexTest, CachedFilesAreFoundInAnotherLetterCase) {
  std::filesystem::create_directories(cache_.Child("Sub"));
  testing::WriteFile(cache_.Child("M0ABCDEF.GIF"), "GIF89a");
  testing::WriteFile(cache_.Child("Sub/PAGE.HTM"), "<html>");
  testing::WriteFile(cache_.Child("exact.htm"), "<html>");
  std::filesystem::create_directories(cache_.Child("folder.htm"));
  struct Case {
    const char* name;
    const char* onDisk;  // nullptr: dropped
  } cases[] = {
      {"m0abcdef.gif", "M0ABCDEF.GIF"},
      {"M0AbCdEf.Gif", "M0ABCDEF.GIF"},
      {"sub/page.htm", "Sub/PAGE.HTM"},
      {"SUB\\page.HTM", "Sub/PAGE.HTM"},
      {"exact.htm", "exact.htm"},
      {"m0abcdef.gi", nullptr},
      {"sub/../m0abcdef.gif", nullptr},
      {"folder.htm", nullptr},
      {"sub", nullptr},
  };
  for (const Case& c : cases) {
    list_.clear();
    reader_.AddCacheEntry("http://a.test/", c.name, "text/html", 1);
    if (c.onDisk == nullptr) {
      EXPECT_TRUE(list_.empty()) << c.name;
      continue;
    }
    ASSERT_EQ(list_.size(), 1u) << c.name;
    EXPECT_EQ(list_[0]->CacheFile, cache_.Child(c.onDisk)) << c.name;
  }
}

TEST_F(NavigatorIndexTest, DuplicateEntriesGiveTwoItemsInFileOrder) {
  testing::WriteFile(cache_.Child("m1.htm"), "1");
  testing::WriteFile(cache_.Child("m2.htm"), "2");
  const std::string text =
      "MCOM-Cache-file-allocation-table-format-1\n"
      "1\t1\t900000000\tC:\\CACHE\\M1.HTM\thttp://a.test/same\ttext/html\t0\t\n"
      "2\t1\t900000001\tC:\\CACHE\\m2.htm\thttp://a.test/same\ttext/html\t0\t\n"
      "3\t1\t900000002\tC:\\CACHE\\m2.htm\thttp://a.test/ignored\ttext/html\t0\n";
  testing::WriteFile(cache_.Child("index"), text);
  ASSERT_EQ(reader_.ReadCacheIndex(cache_.Child("index")).outcome, ReadingOutcome::Read);
  ASSERT_EQ(list_.size(), 2u);
  EXPECT_EQ(list_[0]->Url, "http://a.test:80/same");
  EXPECT_EQ(list_[0]->CacheFile, cache_.Child("m1.htm"));
  EXPECT_EQ(list_[1]->CacheFile, cache_.Child("m2.htm"));
}

TEST_F(NavigatorIndexTest, ShowsProgressAndStopsWhenAsked) {
  std::string text = "MCOM-CACHE\n";
  testing::WriteFile(cache_.Child("m.htm"), "<html>");
  for (int i = 0; i < 100; ++i)
    text += "1\t1\t900000000\tm.htm\thttp://a.test/" + std::to_string(i) + "\ttext/html\t0\t\n";
  testing::WriteFile(cache_.Child("index"), text);
  EXPECT_EQ(reader_.ReadCacheIndex(cache_.Child("index")).itemsKept, 100u);
  EXPECT_TRUE(std::is_sorted(ui_.progress.begin(), ui_.progress.end()));
  EXPECT_EQ(ui_.progress.back(), 100);

  list_.clear();
  ui_.CancelAfterEvents(ui_.eventRounds + 4);  // pending events run before every fifth line
  EXPECT_EQ(reader_.ReadCacheIndex(cache_.Child("index")).outcome, ReadingOutcome::Stopped);
  EXPECT_EQ(list_.size(), 15u);
}

// Whole index files that are cut short or overwritten: the pass takes what it can read and
// never fails.
TEST_F(NavigatorIndexTest, TruncatedAndDamagedIndexFilesYieldWhatCanBeRead) {
  if (!testgen::Db185HashFile::Available())
    GTEST_SKIP() << "libdb.so.2 (libdb1-compat) is not installed";
  testgen::SyntheticOptions options;
  options.firstTime = static_cast<std::int32_t>(std::time(nullptr)) - 86400 * 30;
  const auto entries = testgen::SyntheticEntries(300, options);
  testgen::WritePagedIndex(cache_.Child("whole.db"), entries, {});
  testgen::WriteCachedFiles(cache_.path(), entries);
  const std::string whole = testing::ReadFile(cache_.Child("whole.db"));
  const ReadingReport complete = reader_.ReadCacheIndex(cache_.Child("whole.db"));
  EXPECT_FALSE(complete.Partial()) << DescribeReading(complete);
  const size_t all = list_.size();
  ASSERT_GT(all, 200u);
  EXPECT_GE(ui_.eventRounds, static_cast<int>(whole.size() / 4096) - 1);

  std::mt19937 random(7);
  for (int round = 0; round < 30; ++round) {
    std::string bytes = whole.substr(0, 8192 + random() % (whole.size() - 8192));
    if (round % 2) {
      for (int i = 0; i < 200; ++i)
        bytes[8192 + random() % (bytes.size() - 8192)] = static_cast<char>(random());
    }
    testing::WriteFile(cache_.Child("cut.db"), bytes);
    list_.clear();
    const ReadingReport report = reader_.ReadCacheIndex(cache_.Child("cut.db"));
    EXPECT_EQ(report.outcome, ReadingOutcome::Read);
    EXPECT_EQ(report.endedEarly.has_value(), bytes.size() % 4096 != 0) << bytes.size();
    if (report.endedEarly) {
      EXPECT_EQ(report.endedEarly->at, bytes.size());
      EXPECT_EQ(report.endedEarly->expected, (bytes.size() / 4096 + 1) * 4096);
    }
    if (round % 2 == 0) {  // cut only: no entry is made up of the missing bytes
      EXPECT_LE(list_.size(), all);
      EXPECT_LE(report.Skipped(SkipReason::NotHttp), complete.Skipped(SkipReason::NotHttp))
          << DescribeReading(report);
    }
  }
  EXPECT_TRUE(ui_.messages.empty());
}

}  // namespace
}  // namespace pagehold
