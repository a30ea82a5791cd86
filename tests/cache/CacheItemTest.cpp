#include "cache/CacheItem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "cache/BufferStream.h"
#include "support/TestFiles.h"

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

  MemoryByteReader reader(bytes);
  for (const TCacheItem& want : items) {
    TCacheItem got;
    got.Domain = "stale";
    got.CacheFile = "stale";
    got.CacheKey = "stale";
    ASSERT_FALSE(ReadRecord(got, reader));
    ExpectStoredFieldsEqual(got, want);
    EXPECT_FALSE(got.CacheKey.has_value());
    EXPECT_EQ(got.Domain, "");
    EXPECT_EQ(got.CacheFile, "");
  }
  TCacheItem end;
  EXPECT_TRUE(ReadRecord(end, reader));
}

// Counts the records of an input and returns the last one read.
int ReadAll(std::string_view bytes, TCacheItem& last) {
  MemoryByteReader reader(bytes);
  int count = 0;
  for (TCacheItem item; !ReadRecord(item, reader); item = TCacheItem()) {
    last = item;
    ++count;
  }
  return count;
}

TEST(CacheItemTest, DamagedInputYieldsWhatCouldBeRead) {
  std::string record;
  WriteRecord(Item(3, 1, 2.0, "http://h:80/a.gif", "", "a.gif"), record);
  const std::string head = record.substr(0, 16);
  // Lengths 6, 6, 1 followed by 9 bytes: each string alone would fit in what is left.
  const std::string cutTitle = head + "\x06\0\0\0\x06\0\0\0\x01\0\0\0http:\0tit"s;
  struct Case {
    const char* what;
    std::string bytes;
    int records;
    const char* lastFileName;
    const char* lastUrl;
  } cases[] = {
      {"empty input", "", 0, nullptr, nullptr},
      {"cut head", record.substr(0, 15), 0, nullptr, nullptr},
      {"stray tail", record + std::string(10, '\x7f'), 1, "a.gif", "http://h:80/a.gif"},
      {"cut file name", record.substr(0, record.size() - 3), 1, "a.g", "http://h:80/a.gif"},
      // Cut inside a string that is longer than all that is left: treated as the end.
      {"cut inside a long url", record.substr(0, 28 + 5), 0, nullptr, nullptr},
      {"cut title", cutTitle, 1, "", "http:"},
      {"cut length block", head + "\x12\0\0"s, 1, "", ""},
      {"absurd length", head + "\xff\xff\xff\xff\x01\0\0\0\x01\0\0\0"s + "abc"s, 0, nullptr,
       nullptr},
      {"length beyond the rest", head + "\x02\0\0\0\x09\0\0\0\x01\0\0\0u\0t\0\0"s, 0, nullptr,
       nullptr},
      {"zero length", head + "\0\0\0\0\x02\0\0\0\x02\0\0\0t\0f\0"s, 1, "f", ""},
      {"zero inside a string", head + "\x04\0\0\0\x01\0\0\0\x01\0\0\0a\0b\0\0\0"s, 1, "", "a"},
  };
  for (const Case& c : cases) {
    TCacheItem last;
    EXPECT_EQ(ReadAll(c.bytes, last), c.records) << c.what;
    if (c.records > 0) {
      EXPECT_EQ(last.MimeIndex, 3) << c.what;
      EXPECT_EQ(last.FileName, c.lastFileName) << c.what;
      EXPECT_EQ(last.Url, c.lastUrl) << c.what;
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

TEST(CacheItemTest, ThousandsOfRecordsReadBackThroughTheBufferedFile) {
  testing::TempFolder folder;
  std::string bytes;
  const int count = 3000;
  for (int i = 0; i < count; ++i) {
    WriteRecord(Item(i % 256, i % 3, 40000 + i / 7.0, "http://h:80/page" + std::to_string(i),
                     i % 2 ? "" : "Title " + std::to_string(i), "file" + std::to_string(i)),
                bytes);
  }
  const std::string path = folder.Child("archive.dat");
  testing::WriteFile(path, bytes);

  TSimpleBufferFileStream stream(path);
  int read = 0;
  for (TCacheItem item; !ReadRecord(item, stream); item = TCacheItem()) {
    ASSERT_EQ(item.Url, "http://h:80/page" + std::to_string(read));
    ASSERT_EQ(item.FileName, "file" + std::to_string(read));
    ASSERT_EQ(BitsOf(item.Date), BitsOf(40000 + read / 7.0));
    ++read;
  }
  EXPECT_EQ(read, count);
  EXPECT_LE(stream.RefillCount(), bytes.size() / TSimpleBufferFileStream::kRefillSize + 2);
}

}  // namespace
}  // namespace pagehold
