// The IE cache source: content types from header text, file times as day counts, the items
// made from a cache, the retry while the cache service starts, and entries too large for the
// usual buffer.
#include <gtest/gtest.h>

#include <deque>

#include "archive/ArchiveFileReader.h"
#include "cache/Dates.h"
#include "iecache/IeCacheWriter.h"
#include "platform/Paths.h"
#include "platform/UrlCacheIndexDat.h"
#include "sources/UrlCacheSource.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testgen::IeCacheEntry;
using testgen::MakeFileTime;

TEST(ContentTypeFromHeaders, TakesTheLowerCasedContentTypeLine) {
  const struct {
    std::string headers;
    std::string expected;
  } kCases[] = {
      {"HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\n\r\n", "image/gif"},
      {"HTTP/1.1 200 OK\r\nCONTENT-TYPE: Text/HTML; Charset=ISO-8859-1\r\n",
       "text/html; charset=iso-8859-1"},
      {"HTTP/1.1 200 OK\r\nContent-Type:image/gif\r\n", "text/html"},  // no space
      {"HTTP/1.1 200 OK\r\nContent-Type: \r\n", "text/html"},          // empty value
      {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n", "text/html"},       // no such line
      {"", "text/html"},
      {"Content-Type: application/pdf", "application/pdf"},  // ends the text
      {"Content-Type: image/png\nX: y", "image/png"},        // line feed alone
      {"X-Content-Type: image/png\r\nContent-Type: text/plain\r\n", "image/png"},  // first one
      {std::string("Content-Type: image/png\0Content-Type: x/y", 40), "image/png"},
      {std::string("X: y\0Content-Type: image/png\r\n", 30), "text/html"},  // after the zero
      {"Content-Type: " + std::string(300, 'a'), std::string(241, 'a')},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(ContentTypeFromHeaders(c.headers), c.expected) << c.headers;
}

// A key long enough for the Url to be cut inside its host: the domain the item is archived
// under is the one the archive finds again from the stored Url, so that the record keeps its
// file.
TEST(ItemAddressFromKey, AUrlCutInsideItsHostKeepsTheDomainOfTheStoredUrl) {
  const ItemAddress address =
      ItemAddressFromKey("http://a" + std::string(9000, '\xde') + "b.example/page.htm");
  EXPECT_EQ(address.url.size(), 8192u);
  TCacheItem item;
  item.Url = address.url;
  item.FileName = "page.htm";
  std::string stored;
  WriteRecord(item, stored);
  const ArchiveFileReading reading = ParseArchiveBytes(stored);
  ASSERT_EQ(reading.records.Size(), 1u);
  EXPECT_EQ(reading.records[0].Domain, address.domain);
  EXPECT_EQ(address.domain, "a");
}

TEST(CacheFileTimeToDate, GoesThroughTheTwoSecondFatForm) {
  const auto day = [](int year, int month, int dayOfMonth, int hour, int minute, int second) {
    return EncodeDate({year, month, dayOfMonth, hour, minute, second, 0});
  };
  const struct {
    FileTime time;
    double expected;
  } kCases[] = {
      {MakeFileTime(2003, 5, 17, 9, 30, 40), day(2003, 5, 17, 9, 30, 40)},
      {MakeFileTime(2003, 5, 17, 9, 30, 41, 900), day(2003, 5, 17, 9, 30, 40)},
      {MakeFileTime(1980, 1, 1, 0, 0, 0), day(1980, 1, 1, 0, 0, 0)},
      {MakeFileTime(2043, 12, 31, 23, 59, 59), day(2043, 12, 31, 23, 59, 58)},
      {MakeFileTime(2044, 1, 1, 0, 0, 0), 0},  // negative as a signed 32-bit value
      {MakeFileTime(2107, 6, 1, 0, 0, 0), 0},
      {MakeFileTime(2108, 1, 1, 0, 0, 0), 0},  // beyond the FAT form
      {MakeFileTime(1979, 12, 31, 23, 59, 59), 0},
      {0, 0},
      {~FileTime{0}, 0},
  };
  for (const auto& c : kCases)
    EXPECT_DOUBLE_EQ(CacheFileTimeToDate(c.time), c.expected) << c.time;
}

IeCacheEntry Entry(std::string url, std::string fileName, std::string headers) {
  IeCacheEntry entry;
  entry.url = std::move(url);
  entry.fileName = std::move(fileName);
  entry.body = "cached " + entry.fileName;
  entry.headers = std::move(headers);
  entry.lastAccess = MakeFileTime(2003, 5, 17, 9, 30, 40);
  entry.lastSync = testgen::MakeFat(MakeFileTime(2003, 5, 17, 9, 0, 0));
  return entry;
}

class UrlCacheSourceTest : public ::testing::Test {
 protected:
  // Reads a generated cache through the source and returns the items by URL.
  std::map<std::string, const TCacheItem*> Read(const std::vector<IeCacheEntry>& entries) {
    testgen::IeCache cache;
    cache.entries = entries;
    testgen::WriteIeCache(cacheFolder_, cache);
    UrlCacheSource source(cacheFolder_, mimeTable_);
    ui_.progress.clear();
    CacheReading reading = source.ReadCache(ui_);
    list_ = std::move(reading.items);
    report_ = reading.report;
    std::map<std::string, const TCacheItem*> items;
    for (const auto& item : list_)
      items[item->Url] = item.get();
    return items;
  }

  testing::TempFolder folder_;
  std::string cacheFolder_ = folder_.Child("Content.IE5");
  TMimeTable mimeTable_{folder_.path()};
  testing::ScriptedInteraction ui_;
  CacheList list_;
  ReadingReport report_;
};

TEST_F(UrlCacheSourceTest, MakesItemsFromUsableEntriesOnly) {
  const std::string gif = testgen::HttpHeaders({"Content-Type: image/gif"});
  IeCacheEntry gone = Entry("http://www.example-garden.test/gone.htm", "gone[1].htm", "");
  gone.body.reset();
  IeCacheEntry later = Entry("http://www.example-garden.test:8080/later.gif", "later[1].gif", gif);
  later.lastSync = testgen::MakeFat(MakeFileTime(2003, 5, 18, 7, 0, 0));
  auto items = Read({
      Entry("http://www.example-garden.test/", "index[1].htm",
            testgen::HttpHeaders({"Content-Length: 10"})),
      Entry("http://WWW.Example-Garden.test/rose.gif", "rose[1].gif", gif),
      Entry("Cookie:visitor@www.example-garden.test/", "visitor@example-garden[1].txt", ""),
      Entry("Visited: visitor@http://www.example-garden.test/", "visited[1].txt", ""),
      Entry("ftp://ftp.example-garden.test/file.zip", "file[1].zip", ""),
      gone,
      later,
  });
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(report_.itemsKept, 3u);
  EXPECT_EQ(report_.Skipped(SkipReason::NotHttp), 3u);  // cookie, visited page, FTP
  EXPECT_EQ(report_.Skipped(SkipReason::NoCachedFile), 1u);
  EXPECT_EQ(report_.entriesRead, 7u);

  const TCacheItem* page = items["http://www.example-garden.test:80/"];
  ASSERT_TRUE(page);
  EXPECT_EQ(page->MimeIndex, 1);  // no content type: text/html
  EXPECT_EQ(page->ContentKind, Text);
  EXPECT_EQ(page->Domain, "www.example-garden.test");
  EXPECT_EQ(page->CacheKey, "http://www.example-garden.test/");
  EXPECT_EQ(page->CacheFile, JoinPath(JoinPath(cacheFolder_, "A1B2C3D4"), "index[1].htm"));
  EXPECT_EQ(page->Title, "");
  EXPECT_EQ(page->FileName, "");
  // The access time is later than the synchronisation time here.
  EXPECT_DOUBLE_EQ(page->Date, EncodeDate({2003, 5, 17, 9, 30, 40, 0}));

  const TCacheItem* rose = items["http://www.example-garden.test:80/rose.gif"];
  ASSERT_TRUE(rose);
  EXPECT_EQ(rose->MimeIndex, 2);  // image/gif
  EXPECT_EQ(rose->ContentKind, Media);

  const TCacheItem* laterItem = items["http://www.example-garden.test:8080/later.gif"];
  ASSERT_TRUE(laterItem);
  EXPECT_DOUBLE_EQ(laterItem->Date, EncodeDate({2003, 5, 18, 7, 0, 0, 0}));
}

TEST_F(UrlCacheSourceTest, AnEmptyCacheIsReadAndGivesNothing) {
  EXPECT_TRUE(Read({}).empty());
  EXPECT_EQ(report_.outcome, ReadingOutcome::Read);
  EXPECT_EQ(report_.entriesRead, 0u);
  EXPECT_TRUE(Read({Entry("Cookie:visitor@www.example-garden.test/", "v[1].txt", "")}).empty());
  EXPECT_EQ(report_.entriesRead, 1u);
}

// An entry of 20,000 header bytes in the middle of the cache: with a fixed 8192-byte buffer it
// would end the enumeration and hide the entries after it.
TEST_F(UrlCacheSourceTest, AnEntryLargerThanTheBufferHidesNothing) {
  std::vector<IeCacheEntry> entries;
  for (int i = 0; i < 40; ++i) {
    std::string headers = testgen::HttpHeaders({"Content-Type: text/html"});
    if (i == 20)
      headers =
          testgen::HttpHeaders({"Content-Type: text/html", "X-Big: " + std::string(20000, 'b')});
    entries.push_back(Entry("http://www.example-garden.test/p" + std::to_string(i) + ".htm",
                            "p" + std::to_string(i) + "[1].htm", headers));
  }
  // The big entry really does not fit the usual buffer.
  UrlCacheEntry bigEntry;
  bigEntry.sourceUrlName = entries[20].url;
  bigEntry.headerInfoSize = static_cast<std::uint32_t>(entries[20].headers.size());
  ASSERT_GT(bigEntry.headerInfoSize, 20000u);
  ASSERT_GT(RequiredEntrySize(bigEntry), kDefaultEntryBufferSize);

  const auto items = Read(entries);
  EXPECT_EQ(items.size(), 40u);
  EXPECT_TRUE(items.count("http://www.example-garden.test:80/p20.htm"));
  EXPECT_EQ(ui_.progress.back(), 100);

  // A stop asked for ends the reading after the entry in hand; what was read stays.
  ui_.RequestCancel();
  EXPECT_EQ(Read(entries).size(), 1u);
  EXPECT_EQ(report_.outcome, ReadingOutcome::Stopped);
}

TEST_F(UrlCacheSourceTest, RemovingAnItemDropsItFromTheNextReading) {
  Read({Entry("http://www.example-garden.test/a.htm", "a[1].htm", ""),
        Entry("http://www.example-garden.test/b.htm", "b[1].htm", "")});
  ASSERT_EQ(list_.size(), 2u);
  UrlCacheSource source(cacheFolder_, mimeTable_);
  testing::ScriptedInteraction ui;
  TCacheItem noKey;
  RemovalReport report;
  source.RemoveFromCache({list_[0].get(), list_[0].get(), &noKey}, ui, report);
  EXPECT_EQ(report.states,
            (std::vector<RemovalState>{RemovalState::Removed, RemovalState::AlreadyGone,
                                       RemovalState::Failed}));
  const std::string kept = list_[1]->Url;
  const CacheList again = source.ReadCache(ui).items;
  ASSERT_EQ(again.size(), 1u);
  EXPECT_EQ(again[0]->Url, kept);
}

TEST(UrlCacheSource, AgesAndNaming) {
  TMimeTable mimeTable{testing::TempFolder().path()};
  UrlCacheSource source("", mimeTable);
  EXPECT_EQ(source.AgeNumbers(AgeUnit::Hours), (std::vector<int>{1, 2, 3, 6, 12, 18}));
  EXPECT_EQ(source.AgeNumbers(AgeUnit::Days), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(source.AgeNumbers(AgeUnit::Weeks), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(source.FileNamingRule(), NamingRule::FromCacheFile);
}

// A cache whose first calls fail with the given errors before it answers with its entries.
class ScriptedUrlCache : public UrlCache {
 public:
  ScriptedUrlCache(std::deque<UrlCacheError> firstCallErrors, std::vector<UrlCacheEntry> entries)
      : firstCallErrors_(std::move(firstCallErrors)), entries_(std::move(entries)) {}

  UrlCacheFindHandle FindFirstEntry(const std::string& pattern, UrlCacheEntry& entry,
                                    std::uint32_t& bufferSize) override {
    ++firstCalls;
    EXPECT_EQ(pattern, "*.*");
    EXPECT_EQ(bufferSize, kDefaultEntryBufferSize);
    if (!firstCallErrors_.empty()) {
      error_ = firstCallErrors_.front();
      firstCallErrors_.pop_front();
      return nullptr;
    }
    next_ = 0;
    return FindNextEntry(this, entry, bufferSize) ? this : nullptr;
  }
  bool FindNextEntry(UrlCacheFindHandle, UrlCacheEntry& entry, std::uint32_t&) override {
    if (next_ >= entries_.size()) {
      error_ = UrlCacheError::NoMoreItems;
      return false;
    }
    entry = entries_[next_++];
    return true;
  }
  bool FindClose(UrlCacheFindHandle) override {
    ++closes;
    return true;
  }
  bool DeleteEntry(const std::string&) override { return false; }
  UrlCacheError LastError() const override { return error_; }
  std::string LastErrorMessage() const override { return {}; }

  int firstCalls = 0;
  int closes = 0;

 private:
  std::deque<UrlCacheError> firstCallErrors_;
  std::vector<UrlCacheEntry> entries_;
  std::size_t next_ = 0;
  UrlCacheError error_ = UrlCacheError::None;
};

TEST(ReadUrlCache, WaitsForTheCacheServiceUpToTwentyAttempts) {
  testing::TempFolder folder;
  testing::WriteFile(folder.Child("page.htm"), "<html>");
  const UrlCacheEntry entry{
      "http://www.example-garden.test/", folder.Child("page.htm"), 0, 0, "", 0};
  const auto service = UrlCacheError::ServiceNotActive;
  const struct {
    const char* what;
    std::deque<UrlCacheError> errors;
    int attempts;
    int waits;
    std::size_t items;
  } kCases[] = {
      {"active at once", {}, 1, 0, 1},
      {"active at the third attempt", {service, service}, 3, 2, 1},
      {"active at the twentieth attempt", std::deque<UrlCacheError>(19, service), 20, 19, 1},
      {"never active", std::deque<UrlCacheError>(20, service), 20, 20, 0},
      {"another error ends the attempts", {UrlCacheError::Other}, 1, 0, 0},
      {"an empty cache", {UrlCacheError::NoMoreItems}, 1, 0, 0},
  };
  for (const auto& c : kCases) {
    ScriptedUrlCache cache(c.errors, {entry});
    TMimeTable mimeTable{folder.path()};
    std::vector<int> waits;
    testing::ScriptedInteraction ui;
    const CacheReading reading = ReadUrlCache(
        cache, mimeTable, ui, [&](int milliseconds) { waits.push_back(milliseconds); });
    EXPECT_EQ(cache.firstCalls, c.attempts) << c.what;
    EXPECT_EQ(waits, std::vector<int>(c.waits, 1000)) << c.what;
    EXPECT_EQ(reading.items.size(), c.items) << c.what;
    EXPECT_EQ(cache.closes, c.items > 0 ? 1 : 0) << c.what;
  }
}

}  // namespace
}  // namespace pagehold
