// The IE source on the system's URL cache: entries committed through WinINet's own calls, read
// back through the program's WinINet path and deleted through it. One test also leaves the
// cache for the index.dat reader on Linux (WineCacheAgreementTest).
#include <windows.h>
// wininet.h needs the types of windows.h.
#include <wininet.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "cache/MimeTable.h"
#include "platform/Paths.h"
#include "platform/UrlCacheTimes.h"
#include "sources/UrlCacheSource.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"
#include "wininet/WinInetCache.h"

namespace pagehold {
namespace {

using testgen::WinInetEntry;

FileTime SystemNow() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return (FileTime{now.dwHighDateTime} << 32) | now.dwLowDateTime;
}

// Later than any commit of these tests.
const FileTime kLaterAccess = FileTimeFromCalendar({2030, 1, 2, 3, 4, 6});
constexpr char kHtml[] = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";

class WinInetCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testgen::ClearWinInetCache();
    ASSERT_TRUE(testgen::WinInetKeys().empty());
  }

  // Commits the entries of a browsing session, noting the time around the commits, and removes
  // one cached file behind the cache's back.
  void CommitSession() {
    before_ = SystemNow();
    for (WinInetEntry& entry : entries_)
      testgen::CommitToWinInet(entry);
    after_ = SystemNow();
    ASSERT_TRUE(DeleteFileA(FileOf("http://www.wine.test/gone.html").c_str()));
  }

  std::string FileOf(const std::string& key) const {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const WinInetEntry& entry) { return entry.url == key; })
        ->localFile;
  }

  std::vector<WinInetEntry> entries_ = {
      {"http://www.wine.test/index.html", kHtml},
      {"http://www.wine.test:8080/img/logo.gif",
       "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\nContent-Length: 18\r\n\r\n",
       testgen::kNormalEntry, kLaterAccess},
      {"http://www.wine.test/notes.txt", ""},
      {"http://www.wine.test/photo.png", "HTTP/1.1 200 OK\r\nContent-Type:image/png\r\n\r\n"},
      {"http://www.wine.test/gone.html", kHtml},
      {"ftp://files.wine.test/seeds.zip", ""},
      {"Cookie:visitor@www.wine.test/", "", testgen::kCookieEntry},
  };
  FileTime before_ = 0;
  FileTime after_ = 0;
  testing::TempFolder program_;
  TMimeTable mimeTable_{program_.path()};
  testing::ScriptedInteraction ui_;
  // An empty folder: the system's cache, through WinINet.
  UrlCacheSource source_{"", mimeTable_};
};

TEST_F(WinInetCacheTest, ListsCommittedEntriesWithTheirKeysTimesTypesAndFiles) {
  ASSERT_NO_FATAL_FAILURE(CommitSession());
  const CacheReading reading = source_.ReadCache(ui_);
  EXPECT_EQ(reading.report.Skipped(SkipReason::NotHttp), 2u);  // the cookie and the ftp entry
  EXPECT_EQ(reading.report.Skipped(SkipReason::NoCachedFile), 1u);
  std::map<std::string, const TCacheItem*> byKey;
  for (const auto& item : reading.items)
    byKey[item->CacheKey.value_or("")] = item.get();

  const struct {
    const char* key;
    const char* url;
    const char* mimeType;
    int kind;
  } expected[] = {
      {"http://www.wine.test/index.html", "http://www.wine.test:80/index.html", "text/html", Text},
      {"http://www.wine.test/notes.txt", "http://www.wine.test:80/notes.txt", "text/html", Text},
      // Without the space after the colon the line names no content type.
      {"http://www.wine.test/photo.png", "http://www.wine.test:80/photo.png", "text/html", Text},
      {"http://www.wine.test:8080/img/logo.gif", "http://www.wine.test:8080/img/logo.gif",
       "image/gif", Media},
  };
  ASSERT_EQ(byKey.size(), std::size(expected));
  for (const auto& e : expected) {
    SCOPED_TRACE(e.key);
    ASSERT_EQ(byKey.count(e.key), 1u);
    const TCacheItem& item = *byKey[e.key];
    EXPECT_EQ(item.Url, e.url);
    EXPECT_EQ(item.Domain, "www.wine.test");
    EXPECT_EQ(mimeTable_.MimeTypeName(item.MimeIndex), e.mimeType);
    EXPECT_EQ(item.ContentKind, e.kind);
    EXPECT_EQ(item.CacheFile, FileOf(e.key));
  }
  // Accessed later than synchronised: the access time counts.
  EXPECT_EQ(byKey["http://www.wine.test:8080/img/logo.gif"]->Date,
            CacheFileTimeToDate(kLaterAccess));
  // Synchronised and accessed when committed (the cache keeps the time to two seconds).
  const TCacheItem& index = *byKey["http://www.wine.test/index.html"];
  EXPECT_GE(index.Date, CacheFileTimeToDate(before_));
  EXPECT_LE(index.Date, CacheFileTimeToDate(after_));
}

TEST_F(WinInetCacheTest, DeletesEntriesAndTheirFilesThroughWinInet) {
  ASSERT_NO_FATAL_FAILURE(CommitSession());
  const CacheList list = source_.ReadCache(ui_).items;
  ASSERT_FALSE(list.empty());
  ItemRefs items;
  for (const auto& item : list)
    items.push_back(item.get());
  items.push_back(list.front().get());  // asked twice: the second time it is gone already
  RemovalReport report;
  source_.RemoveFromCache(items, ui_, report);
  EXPECT_EQ(report.Count(RemovalState::Removed), list.size());
  EXPECT_EQ(report.states.back(), RemovalState::AlreadyGone);
  EXPECT_TRUE(report.failures.empty());
  for (const auto& item : list)
    EXPECT_FALSE(FileExists(item->CacheFile)) << item->CacheFile;
  const std::vector<std::string> left = testgen::WinInetKeys();
  EXPECT_EQ(std::count(left.begin(), left.end(), "http://www.wine.test/index.html"), 0);
  EXPECT_EQ(std::count(left.begin(), left.end(), "Cookie:visitor@www.wine.test/"), 1);
  EXPECT_TRUE(source_.ReadCache(ui_).items.empty());
}

TEST_F(WinInetCacheTest, LeavesTheCacheForTheIndexReader) {
  const char* exportFolder = std::getenv("PAGEHOLD_WINE_CACHE");
  if (exportFolder == nullptr || *exportFolder == '\0')
    GTEST_SKIP() << "PAGEHOLD_WINE_CACHE names no folder to leave the cache in for the index.dat "
                    "reader (the CI sets it)";
  ASSERT_NO_FATAL_FAILURE(CommitSession());
  // A deleted entry stays in index.dat as a freed record, which the reader must pass over.
  ASSERT_TRUE(DeleteUrlCacheEntryA("http://www.wine.test/notes.txt"));
  // index, logo, photo and the ftp entry, and the entry whose file is gone (listed as dropped).
  EXPECT_EQ(testgen::ExportWinInetCache(exportFolder, mimeTable_), 5u);
}

}  // namespace
}  // namespace pagehold
