#include "cache/CacheItem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace pagehold {
namespace {

using namespace std::string_literals;

std::uint64_t BitsOf(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

TCacheItem Item(std::int32_t mimeIndex, std::int32_t kind, double date, std::string url,
                std::string title, std::string fileName) {
  TCacheItem item;
  item.MimeIndex = mimeIndex;
  item.ContentKind = kind;
  item.Date = date;
  item.Url = std::move(url);
  item.Title = std::move(title);
  item.FileName = std::move(fileName);
  return item;
}

void ExpectStoredFieldsEqual(const TCacheItem& got, const TCacheItem& want) {
  EXPECT_EQ(got.MimeIndex, want.MimeIndex);
  EXPECT_EQ(got.ContentKind, want.ContentKind);
  EXPECT_EQ(BitsOf(got.Date), BitsOf(want.Date));
  EXPECT_EQ(got.Url, want.Url);
  EXPECT_EQ(got.Title, want.Title);
  EXPECT_EQ(got.FileName, want.FileName);
}

TEST(CacheItemTest, RecordBytesFollowTheStoredLayout) {
  std::string out;
  WriteRecord(Item(1, 2, 1.5, "http://h:80/", "T", "f"), out);
  const std::string expected =
      "\x01\0\0\0"s                      // MimeIndex
      "\x02\0\0\0"s                      // ContentKind
      "\0\0\0\0\0\0\xf8\x3f"s            // 1.5 as an IEEE-754 double, little-endian
      "\x0d\0\0\0\x02\0\0\0\x02\0\0\0"s  // lengths with their zero bytes
      "http://h:80/\0T\0f\0"s;
  EXPECT_EQ(out, expected);
}

TEST(CacheItemTest, EmptyTitleAndFileNameTakeOneZeroByteEach) {
  std::string out = "before";
  WriteRecord(Item(-1, 0, 0, "u", "", ""), out);
  ASSERT_EQ(out.size(), 6u + 28u + 2u + 2u);
  EXPECT_EQ(out.substr(6, 4), "\xff\xff\xff\xff");
  EXPECT_EQ(out.substr(out.size() - 4), "u\0\0\0"s);
}

TEST(CacheItemTest, RecordsReadBackBitForBit) {
  const TCacheItem items[] = {
      Item(1, 0, 36526.75, "http://h:80/index.html", "Title \xe9t\xe9", "index.html"),
      Item(255, 2, -0.0, "", "", ""),
      Item(-7, 1, std::numeric_limits<double>::denorm_min(), "http://x:8080/a?b", "", "a.b"),
      Item(0, 0, std::numeric_limits<double>::quiet_NaN(), "u", "t", std::string(300, 'f')),
  };
  std::string bytes;
  for (const TCacheItem& item : items)
    WriteRecord(item, bytes);

  std::size_t offset = 0;
  for (const TCacheItem& want : items) {
    TCacheItem got;
    got.Domain = "stale";
    got.CacheFile = "stale";
    got.CacheKey = "stale";
    const RecordParse parse = ParseRecord(bytes, offset, got);
    ASSERT_EQ(parse.outcome, RecordParse::Whole);
    ExpectStoredFieldsEqual(got, want);
    EXPECT_FALSE(got.CacheKey.has_value());
    EXPECT_EQ(got.Domain, "");
    EXPECT_EQ(got.CacheFile, "");
    offset += parse.size;
  }
  TCacheItem end;
  EXPECT_EQ(ParseRecord(bytes, offset, end).outcome, RecordParse::End);
}

// A record is whole only when every length holds its zero byte and fits; nothing is read outside
// the bytes given, however large a stored length is.
TEST(CacheItemTest, ParsingTellsWholeRecordsFromDamage) {
  std::string record;
  WriteRecord(Item(3, 1, 2.0, "http://h:80/a.gif", "", "a.gif"), record);
  const std::string head = record.substr(0, 16);
  struct Case {
    const char* what;
    std::string bytes;
    RecordParse::Outcome outcome;
    const char* url;
  } cases[] = {
      {"whole", record, RecordParse::Whole, "http://h:80/a.gif"},
      {"empty input", "", RecordParse::End, nullptr},
      {"cut head", record.substr(0, 15), RecordParse::Damaged, nullptr},
      {"cut length block", head + "\x12\0\0"s, RecordParse::Damaged, nullptr},
      {"cut file name", record.substr(0, record.size() - 3), RecordParse::Damaged, nullptr},
      {"absurd length", head + "\xff\xff\xff\xff\x01\0\0\0\x01\0\0\0abc"s, RecordParse::Damaged,
       nullptr},
      {"zero length", head + "\0\0\0\0\x02\0\0\0\x02\0\0\0t\0f\0"s, RecordParse::Damaged, nullptr},
      {"no zero where the length ends", head + "\x02\0\0\0\x01\0\0\0\x01\0\0\0ab\0\0"s,
       RecordParse::Damaged, nullptr},
      {"zero inside a string", head + "\x04\0\0\0\x01\0\0\0\x01\0\0\0a\0b\0\0\0"s,
       RecordParse::Whole, "a"},
  };
  for (const Case& c : cases) {
    TCacheItem item;
    item.Url = "untouched";
    const RecordParse parse = ParseRecord(c.bytes, 0, item);
    EXPECT_EQ(parse.outcome, c.outcome) << c.what;
    EXPECT_EQ(item.Url, c.url ? c.url : "untouched") << c.what;
    if (c.outcome == RecordParse::Whole) {
      EXPECT_EQ(item.MimeIndex, 3) << c.what;
    }
  }
}

TEST(CacheItemTest, AssignCopiesEverythingButTheCacheKey) {
  TCacheItem source = Item(2, 1, 3.25, "http://h:80/b.gif", "title", "b.gif");
  source.Domain = "h";
  source.CacheFile = "/cache/b.gif";
  source.CacheKey = "source key";
  TCacheItem target = Item(9, 2, 1.0, "old", "old", "old");
  target.CacheKey = "target key";

  Assign(target, source);
  ExpectStoredFieldsEqual(target, source);
  EXPECT_EQ(target.Domain, "h");
  EXPECT_EQ(target.CacheFile, "/cache/b.gif");
  EXPECT_EQ(target.CacheKey, "target key");
}

}  // namespace
}  // namespace pagehold
