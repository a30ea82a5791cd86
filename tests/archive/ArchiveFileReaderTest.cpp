#include "archive/ArchiveFileReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestFiles.h"

namespace pagehold {
namespace {

TCacheItem Record(int number, int mimeIndex = 2, std::string url = "") {
  TCacheItem item;
  item.MimeIndex = mimeIndex;
  item.ContentKind = 1;
  item.Date = 40000 + number / 7.0;
  item.Url = url.empty()
                 ? "http://h" + std::to_string(number % 5) + ".test:80/p" + std::to_string(number)
                 : url;
  item.Title = number % 2 ? "" : "Title " + std::to_string(number);
  item.FileName = "f" + std::to_string(number) + ".gif";
  return item;
}

std::string Serialize(const ArchiveList& list) {
  std::string bytes;
  for (const auto& record : list.Items())
    WriteRecord(*record, bytes);
  return bytes;
}

std::vector<std::string> Names(const ArchiveList& list) {
  std::vector<std::string> names;
  for (const auto& record : list.Items())
    names.push_back(record->FileName);
  return names;
}

// A clean file is read record for record, whatever its records hold: the checks that records
// after damage must pass do not apply to a file that is whole.
TEST(ArchiveFileReaderTest, ACleanFileReadsExactlyAsWritten) {
  std::string bytes;
  for (int i = 0; i < 3000; ++i)
    WriteRecord(Record(i), bytes);
  for (const TCacheItem& odd : {Record(1, -7, "not a url"), Record(2, 300, ""), TCacheItem()})
    WriteRecord(odd, bytes);
  testing::TempFolder folder;
  testing::WriteFile(folder.Child("archive.dat"), bytes);

  std::uint64_t lastDone = 0;
  const ArchiveFileReading reading =
      ReadArchiveFile(folder.path(), [&](std::uint64_t done, std::uint64_t total) {
        EXPECT_EQ(total, bytes.size());
        lastDone = done;
      }).value();
  EXPECT_FALSE(reading.state.Damaged());
  EXPECT_EQ(reading.state.recordsRead, 3003u);
  EXPECT_EQ(lastDone, bytes.size());
  EXPECT_EQ(Serialize(reading.records), bytes);
  EXPECT_EQ(reading.records[7].Domain, "h2.test");
  EXPECT_EQ(reading.state.Describe(), "complete, 3003 records");
}

// Damage in the middle costs only the damaged records; each case names what is salvaged.
TEST(ArchiveFileReaderTest, ReadingGoesOnAtTheNextPlausibleRecord) {
  std::string bytes;
  std::vector<std::size_t> starts;
  for (int i = 0; i < 6; ++i) {
    starts.push_back(bytes.size());
    WriteRecord(Record(i), bytes);
  }
  const auto with = [&](std::size_t at, std::string_view piece) {
    std::string damaged = bytes;
    damaged.replace(at, piece.size(), piece);
    return damaged;
  };
  const std::vector<std::string> all = {"f0.gif", "f1.gif", "f2.gif", "f3.gif", "f4.gif", "f5.gif"};
  const struct Case {
    const char* name;
    std::string bytes;
    std::size_t recordsRead;
    std::vector<std::string> names;
  } cases[] = {
      {"a length made huge",
       with(starts[2] + 16, "\xff\xff\xff\x7f"),
       2,
       {"f0.gif", "f1.gif", "f3.gif", "f4.gif", "f5.gif"}},
      {"a length made smaller",
       with(starts[2] + 16, "\x05\0\0\0"),
       2,
       {"f0.gif", "f1.gif", "f3.gif", "f4.gif", "f5.gif"}},
      {"the zero after a file name gone",
       with(starts[3] - 1, "x"),
       2,
       {"f0.gif", "f1.gif", "f3.gif", "f4.gif", "f5.gif"}},
      {"a stretch of garbage between records",
       bytes.substr(0, starts[4]) + std::string(100, '\x17') + bytes.substr(starts[4]), 4, all},
      {"cut inside the last record",
       bytes.substr(0, bytes.size() - 5),
       5,
       {"f0.gif", "f1.gif", "f2.gif", "f3.gif", "f4.gif"}},
      {"a tail shorter than a head", bytes + "abc", 6, all},
      {"nothing", "", 0, {}},
  };
  for (const Case& c : cases) {
    const ArchiveFileReading reading = ParseArchiveBytes(c.bytes);
    EXPECT_TRUE(reading.state.Damaged()) << c.name;
    EXPECT_EQ(reading.state.recordsRead, c.recordsRead) << c.name;
    EXPECT_EQ(Names(reading.records), c.names) << c.name;
    EXPECT_EQ(reading.state.RecordsReadable(), c.names.size()) << c.name;
    if (!c.bytes.empty()) {
      EXPECT_EQ(reading.state.StopOffset(),
                starts.size() > c.recordsRead ? starts[c.recordsRead] : bytes.size())
          << c.name;
    }
  }
}

TEST(ArchiveFileReaderTest, RecordsThatOnlyLookWholeAreNotSalvaged) {
  // After damage, a whole record whose Url is not in the stored form, or whose file name could
  // not name a file inside the archive, is passed over with the damage.
  std::string bytes = "garbage of some length";
  WriteRecord(Record(1, 2, "ftp://h.test:80/x"), bytes);
  TCacheItem unsafe = Record(2);
  unsafe.FileName = "../x";
  WriteRecord(unsafe, bytes);
  WriteRecord(Record(3, 2, "http://h.test/no-port"), bytes);
  WriteRecord(Record(4), bytes);
  const ArchiveFileReading reading = ParseArchiveBytes(bytes);
  EXPECT_EQ(Names(reading.records), std::vector<std::string>{"f4.gif"});
  EXPECT_EQ(reading.state.recordsSalvaged, 1u);
  ASSERT_EQ(reading.state.skipped.size(), 1u);
  std::string last;
  WriteRecord(Record(4), last);
  EXPECT_EQ(reading.state.StopOffset(), 0u);
  EXPECT_EQ(reading.state.BytesSkipped(), bytes.size() - last.size());
}

}  // namespace
}  // namespace pagehold
