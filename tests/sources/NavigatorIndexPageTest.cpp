#include "sources/NavigatorIndexPage.h"

#include <gtest/gtest.h>

#include <random>

#include "NavigatorTestCaches.h"

namespace pagehold {
namespace {

using testgen::NavCacheEntry;
using testing::BuildPage;
using testing::EntryPair;

NavCacheEntry SimpleEntry(const std::string& url, const std::string& name, const std::string& type,
                          std::int32_t time) {
  NavCacheEntry entry;
  entry.url = url;
  entry.fileName = name;
  entry.contentType = type;
  entry.lastAccessed = time;
  entry.body = "x";
  return entry;
}

std::pair<std::string, std::string> Bookkeeping(std::string_view key, std::string data) {
  return {std::move(data), std::string(key)};
}

TEST(IndexPageViewTest, NumbersNearThePageEndReadAsZero) {
  const std::string bytes(64, '\x11');
  const IndexPageView page(bytes, 64);
  struct Case {
    int at;
    unsigned word;
    std::uint32_t number;
  } cases[] = {{0, 0x1111, 0x11111111},
               {59, 0x1111, 0x11111111},
               {60, 0x1111, 0},
               {61, 0x1111, 0},
               {62, 0, 0},
               {-1, 0, 0},
               {1000, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(page.Word(c.at), c.word) << c.at;
    EXPECT_EQ(page.Long(c.at), c.number) << c.at;
  }
}

TEST(IndexPageViewTest, StringsStayInsideThePageAndEndAtAZero) {
  std::string bytes(32, 'a');
  bytes[20] = '\0';
  const IndexPageView page(bytes, 32);
  EXPECT_EQ(page.String(28, 4), "aaaa");
  EXPECT_EQ(page.String(29, 4), "");  // would run one byte past the end
  EXPECT_EQ(page.String(16, 8), "aaaa");
  EXPECT_EQ(page.String(-2, 4), "");
  // A view shorter than the page size reads zeros beyond its bytes.
  const IndexPageView shortPage(std::string_view(bytes).substr(0, 8), 32);
  EXPECT_EQ(shortPage.Word(10), 0u);
  EXPECT_EQ(shortPage.String(4, 8), "aaaa");
}

TEST(IndexPageTest, DataStartWithAndWithoutOverflowLink) {
  const std::vector<std::pair<std::string, std::string>> pairs = {
      EntryPair(SimpleEntry("http://a.test/1", "m1.htm", "text/html", 1)),
      EntryPair(SimpleEntry("http://a.test/2", "m2.htm", "text/html", 2)),
      EntryPair(SimpleEntry("http://a.test/3", "m3.htm", "text/html", 3))};
  for (int pageSize : {4096, 16384}) {
    for (unsigned link : {0u, 0x0801u, 0x1001u, 0x2003u}) {
      const std::string bytes = BuildPage(pageSize, pairs, link);
      const IndexPageView page(bytes, pageSize);
      const int count = static_cast<int>(page.Word(0));
      const int offset = static_cast<int>(page.Word(2 * count + 4));
      const int lowestPair = static_cast<int>(page.Word(2 * (pairs.size() * 2)));
      // The walk itself finds the data start unless a link address lies below the pairs.
      const bool walkFindsIt = link == 0 || static_cast<int>(link) > lowestPair;
      EXPECT_EQ(FindDataStart(page) == offset, walkFindsIt) << pageSize << " link " << link;
      EXPECT_EQ(DataStart(page), offset) << pageSize << " link " << link;
      EXPECT_EQ(ParseIndexPage(bytes, pageSize).size(), 3u) << pageSize << " link " << link;
    }
  }
}

TEST(IndexPageTest, WalkEndsOnPagesWithoutStructure) {
  for (char fill : {'\0', '\xff', '\x7f'}) {
    const std::string bytes(4096, fill);
    const int start = FindDataStart(IndexPageView(bytes, 4096));
    EXPECT_GE(start, 0);
    EXPECT_LE(start, 0xFFFF);
  }
}

TEST(IndexPageTest, EntriesComeOutNewestFirstWithNamesAndTypesLowerCased) {
  const std::string bytes =
      BuildPage(4096, {EntryPair(SimpleEntry("http://A.test/One", "M1.HTM", "Text/HTML", 10)),
                       EntryPair(SimpleEntry("http://b.test/two", "m2.gif", "image/gif", -5))});
  const auto entries = ParseIndexPage(bytes, 4096);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].url, "http://b.test/two");
  EXPECT_EQ(entries[0].time, -5);
  EXPECT_EQ(entries[1].url, "http://A.test/One");  // the URL keeps its case
  EXPECT_EQ(entries[1].cacheFileName, "m1.htm");
  EXPECT_EQ(entries[1].contentType, "text/html");
  EXPECT_EQ(entries[1].time, 10);
}

TEST(IndexPageTest, BookkeepingPairsAtTheDataStartAreSkipped) {
  const auto url = EntryPair(SimpleEntry("http://a.test/x", "m1.htm", "text/html", 1));
  const std::vector<std::pair<std::string, std::string>> layouts[] = {
      {url, Bookkeeping("INT_DiskCacheSize", std::string("\x46\xed\0\0", 4))},
      {url, Bookkeeping("INT_DiskCacheNumber", std::string("\x03\0\0\0", 4))},
      {url,
       Bookkeeping("INT_ExternalCacheNameString", std::string("Netscape Internal Disk Cache", 29))},
      {url, Bookkeeping("INT_DiskCacheNumber", std::string("\x03\0\0\0", 4)),
       Bookkeeping("INT_DiskCacheSize", std::string("\x46\xed\0\0", 4))},
  };
  for (const auto& pairs : layouts) {
    const auto entries = ParseIndexPage(BuildPage(4096, pairs), 4096);
    ASSERT_EQ(entries.size(), 1u) << pairs.back().second;
    EXPECT_EQ(entries[0].url, "http://a.test/x");
    EXPECT_EQ(entries[0].cacheFileName, "m1.htm");
  }
}

TEST(IndexPageTest, FieldLengthLimitsAndCuts) {
  struct Case {
    size_t nameLength, typeLength, urlLength;
    size_t expectName, expectType, expectUrl;
  } cases[] = {
      {48, 98, 510, 48, 50, 255},  // longest taken fields, type and URL cut
      {49, 99, 511, 0, 0, 0},      // stored lengths 50, 100 and 512: not taken
      {12, 50, 255, 12, 50, 255},  // exactly at the cuts
      {0, 0, 0, 0, 0, 0},          // no strings at all
  };
  for (const Case& c : cases) {
    NavCacheEntry entry = SimpleEntry(std::string(c.urlLength, 'u'), std::string(c.nameLength, 'N'),
                                      std::string(c.typeLength, 'T'), 7);
    const std::string bytes = BuildPage(16384, {EntryPair(entry)});
    const auto entries = ParseIndexPage(bytes, 16384);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].cacheFileName, std::string(c.expectName, 'n')) << c.nameLength;
    EXPECT_EQ(entries[0].contentType, std::string(c.expectType, 't')) << c.typeLength;
    EXPECT_EQ(entries[0].url, std::string(c.expectUrl, 'u')) << c.urlLength;
    EXPECT_EQ(entries[0].time, 7);
  }
}

TEST(IndexPageTest, RequestHeadersShiftTheContentType) {
  NavCacheEntry entry = SimpleEntry("http://a.test/form", "m9.htm", "text/html", 1);
  entry.postHeaders = "Content-Type: application/x-www-form-urlencoded\r\n";
  entry.postDigest = std::string(16, '\x5a');
  const auto entries = ParseIndexPage(
      BuildPage(4096, {EntryPair(entry),
                       EntryPair(SimpleEntry("http://a.test/next", "m8.gif", "image/gif", 2))}),
      4096);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].url, "http://a.test/form");
  EXPECT_EQ(entries[1].contentType, "text/html");
  EXPECT_EQ(entries[0].url, "http://a.test/next");
}

TEST(IndexPageTest, PagesWithoutEntriesByTheirCountWord) {
  std::string bytes = BuildPage(4096, {EntryPair(SimpleEntry("http://a.test/", "m.htm", "", 1))});
  for (unsigned count : {0u, 4096u, 65535u}) {
    bytes[0] = static_cast<char>(count & 0xFF);
    bytes[1] = static_cast<char>(count >> 8);
    EXPECT_TRUE(ParseIndexPage(bytes, 4096).empty()) << count;
  }
  bytes[0] = '\xff';
  bytes[1] = '\x0f';  // 4095: below the page size, so the page is read
  EXPECT_NO_FATAL_FAILURE(ParseIndexPage(bytes, 4096));
}

TEST(IndexPageTest, AtMost250EntriesComeFromOnePage) {
  // 300 small pairs: a 40-byte data block whose size word makes the key start right after it,
  // and an 8-byte key with no URL.
  std::string data(40, '\0');
  data[0] = 36;
  const std::vector<std::pair<std::string, std::string>> pairs(300, {data, std::string(8, '\0')});
  EXPECT_EQ(ParseIndexPage(BuildPage(16384, pairs), 16384).size(), 250u);
  EXPECT_EQ(ParseIndexPage(BuildPage(16384, {pairs.begin(), pairs.begin() + 20}), 16384).size(),
            20u);
}

// Hostile pages: random bytes, random bytes behind a plausible count, lengths pointing past
// the page. None may make the parser read outside the page (the sanitizer build checks that)
// or run without bound.
TEST(IndexPageTest, RandomAndDamagedPagesAreReadSafely) {
  std::mt19937 random(20261207);
  for (int round = 0; round < 400; ++round) {
    const int pageSize = round % 2 ? 4096 : 16384;
    std::string bytes(static_cast<size_t>(pageSize), '\0');
    for (char& c : bytes)
      c = static_cast<char>(random());
    switch (round % 4) {
      case 0:  // a count the parser accepts
        bytes[0] = static_cast<char>(1 + random() % 200);
        bytes[1] = 0;
        break;
      case 1:  // a genuine page with its tail overwritten
        bytes = BuildPage(pageSize, {EntryPair(SimpleEntry("http://a.test/", "m.htm", "x/y", 1)),
                                     EntryPair(SimpleEntry("http://b.test/", "n.htm", "x/y", 2))});
        for (int i = pageSize - 200; i < pageSize; ++i)
          bytes[i] = static_cast<char>(random() | 0x80);
        break;
      case 2:  // the count word of a bitmap page
        bytes[0] = bytes[1] = '\xff';
        break;
      default:
        break;
    }
    // The view is handed only part of the buffer at times, as for a short trailing page.
    const size_t handed = round % 8 == 7 ? bytes.size() / 3 : bytes.size();
    const auto entries = ParseIndexPage(std::string_view(bytes).substr(0, handed), pageSize);
    EXPECT_LE(entries.size(), 250u);
    for (const auto& entry : entries) {
      EXPECT_LE(entry.url.size(), 255u);
      EXPECT_LE(entry.cacheFileName.size(), 48u);
      EXPECT_LE(entry.contentType.size(), 50u);
    }
  }
}

}  // namespace
}  // namespace pagehold
