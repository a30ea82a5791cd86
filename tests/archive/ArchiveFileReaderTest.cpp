#include "archive/ArchiveFileReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cache/Url.h"
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

std::vector<std::string> NamesOf(const ArchiveList& list) {
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
  EXPECT_EQ(SerializeRecords(reading.records), bytes);
  EXPECT_EQ(reading.records[7].Domain, "h2.test");
}

// Damage in the middle costs only the damaged records; each case names what is salvaged. After
// damage, a record whose Url is not in the stored form, or whose file name could not name a file
// inside the archive, is passed over with the damage.
TEST(ArchiveFileReaderTest, ReadingGoesOnAtTheNextPlausibleRecord) {
  std::string bytes;
  std::vector<std::size_t> starts;
  for (int i = 0; i < 6; ++i) {
    starts.push_back(bytes.size());
    WriteRecord(Record(i), bytes);
  }
  const auto with = [&](std::size_t at, std::string_view piece) {
    std::string damaged = bytes;
    return damaged.replace(at, piece.size(), piece);
  };
  std::string lookalikes = "garbage";
  TCacheItem unsafe = Record(2);
  unsafe.FileName = "../x";
  for (const TCacheItem& record :
       {Record(1, 2, "ftp://h.test:80/x"), unsafe, Record(3, 2, "http://h.test/x"), Record(4)})
    WriteRecord(record, lookalikes);
  using Names = std::vector<std::string>;
  const Names all = {"f0.gif", "f1.gif", "f2.gif", "f3.gif", "f4.gif", "f5.gif"};
  const Names withoutTwo = {"f0.gif", "f1.gif", "f3.gif", "f4.gif", "f5.gif"};
  const struct Case {
    const char* name;
    std::string bytes;
    std::size_t recordsRead;
    std::uint64_t stop;
    Names names;
  } cases[] = {
      {"a length made huge", with(starts[2] + 16, "\xff\xff\xff\x7f"), 2, starts[2], withoutTwo},
      {"the zero after a file name gone", with(starts[3] - 1, "x"), 2, starts[2], withoutTwo},
      {"garbage between records",
       bytes.substr(0, starts[4]) + std::string(100, '\x17') + bytes.substr(starts[4]), 4,
       starts[4], all},
      {"cut inside the last record",
       bytes.substr(0, bytes.size() - 5),
       5,
       starts[5],
       {"f0.gif", "f1.gif", "f2.gif", "f3.gif", "f4.gif"}},
      {"a tail shorter than a head", bytes + "abc", 6, bytes.size(), all},
      {"records that only look whole", lookalikes, 0, 0, {"f4.gif"}},
      {"nothing", "", 0, 0, {}},
  };
  for (const Case& c : cases) {
    const ArchiveFileReading reading = ParseArchiveBytes(c.bytes);
    EXPECT_TRUE(reading.state.Damaged()) << c.name;
    EXPECT_EQ(reading.state.recordsRead, c.recordsRead) << c.name;
    EXPECT_EQ(reading.state.StopOffset(), c.stop) << c.name;
    EXPECT_EQ(NamesOf(reading.records), c.names) << c.name;
    EXPECT_EQ(reading.state.RecordsReadable(), c.names.size()) << c.name;
  }
}

// A record's Domain is the domain folder its file was archived in. A Navigator URL such as
// "http://www.\NETSCAPE\CACHE\m100029.gif" keeps its backslashes in the host (found by fuzzing
// the text index): read back, the record must not look for its file in another folder.
TEST(ArchiveFileReaderTest, DomainIsTheFolderTheItemWasArchivedIn) {
  const struct {
    std::string_view indexUrl;  // as a cache index gives it; empty: stored as written
    std::string_view storedUrl;
  } cases[] = {
      {"http://www.\\NETSCAPE\\CACHE\\m100029.gif", ""},
      {"\\CACHE\\m100015.zip", ""},
      {"http://Www.Example.test:8080/a\\b", ""},
      {"", "h\\dir:80/x"},  // not in the stored form: split as a key
      {"", "http://:80/"},
  };
  for (const auto& c : cases) {
    std::string rest(c.indexUrl);
    const std::string host = c.indexUrl.empty() ? "" : HostFromLink(rest);
    TCacheItem item = Record(1);
    item.Url = c.indexUrl.empty() ? std::string(c.storedUrl)
                                  : CanonicalItemUrl(host, PortFromRest(rest), PathFromRest(rest));
    std::string bytes;
    WriteRecord(item, bytes);
    const ArchiveFileReading reading = ParseArchiveBytes(bytes);
    ASSERT_EQ(reading.records.Size(), 1u);
    std::string key(c.storedUrl);
    EXPECT_EQ(reading.records[0].Domain,
              DomainFromHost(c.indexUrl.empty() ? HostFromKey(key) : host))
        << item.Url;
  }
}

}  // namespace
}  // namespace pagehold
