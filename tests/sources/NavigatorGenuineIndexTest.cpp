// The reader on index files written through the original hash library: many entries per page,
// overflow pages and their links, freed pages that keep stale copies, bookkeeping pairs at a
// page's data start, deletions, and records the entry layout cannot describe.
#include <gtest/gtest.h>

#include <ctime>
#include <map>
#include <set>

#include "NavigatorTestCaches.h"
#include "cache/Dates.h"
#include "cache/Text.h"
#include "cache/Url.h"
#include "navcache/NavCacheWriter.h"
#include "sources/NavigatorIndex.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testgen::NavCacheEntry;
using testing::AsRawEntry;
using testing::ExpectedRawEntry;
using testing::RawEntry;
using testing::TempFolder;

std::int32_t DaysAgo(int days) {
  return static_cast<std::int32_t>(std::time(nullptr)) - days * 86400;
}

// What the page structure of a written file looks like, so that a test can show it covered
// the layouts it claims to.
struct PageCensus {
  int dataPages = 0;
  int linkPages = 0;
  int bookkeepingAtDataStart = 0;
};

PageCensus TakeCensus(const std::string& indexPath, int pageSize) {
  const std::string file = testing::ReadFile(indexPath);
  PageCensus census;
  for (size_t at = static_cast<size_t>(pageSize); at + pageSize <= file.size(); at += pageSize) {
    const IndexPageView page(std::string_view(file).substr(at), pageSize);
    const int count = static_cast<int>(page.Word(0));
    if (count == 0 || count >= pageSize)
      continue;
    ++census.dataPages;
    if (count >= 2 && page.Word(2 * count) == 0)
      ++census.linkPages;
    const int start = DataStart(page);
    if (page.Window(start, 101).find("INT_") != std::string_view::npos)
      ++census.bookkeepingAtDataStart;
  }
  return census;
}

struct Comparison {
  int missing = 0;  // live entries not read
  int copies = 0;   // further copies of written entries (stale pairs on freed pages)
  int foreign = 0;  // read entries that were never written
};

Comparison Compare(const std::vector<NavCacheEntry>& entries, const std::set<size_t>& removed,
                   const std::vector<NavigatorEntryFields>& read) {
  std::map<RawEntry, int> live, written, got;
  for (size_t i = 0; i < entries.size(); ++i) {
    ++written[ExpectedRawEntry(entries[i])];
    if (!removed.count(i))
      ++live[ExpectedRawEntry(entries[i])];
  }
  for (const NavigatorEntryFields& fields : read)
    ++got[AsRawEntry(fields)];
  Comparison result;
  for (const auto& [entry, count] : live)
    result.missing += std::max(0, count - got[entry]);
  for (const auto& [entry, count] : got) {
    if (!written.count(entry))
      result.foreign += count;
    else
      result.copies += std::max(0, count - live[entry]);
  }
  return result;
}

struct GenuineCase {
  int pageSize;
  size_t count;
  bool deletions;
};

class GenuineIndexTest : public ::testing::TestWithParam<GenuineCase> {};

TEST_P(GenuineIndexTest, EveryLiveEntryIsReadPlusStaleCopiesOnFreedPages) {
  SKIP_WITHOUT_DB185();
  const GenuineCase c = GetParam();
  TempFolder folder;
  const auto entries = testgen::SyntheticEntries(c.count, {});
  testgen::PagedIndexOptions options;
  options.table.pageSize = static_cast<unsigned>(c.pageSize);
  if (c.deletions) {
    for (size_t i = 0; i < c.count; i += 3)
      options.removed.push_back(i);
  }
  const std::string index = folder.Child("fat.db");
  testgen::WritePagedIndex(index, entries, options);

  const PageCensus census = TakeCensus(index, c.pageSize);
  EXPECT_GT(census.dataPages, 3);
  EXPECT_GT(census.linkPages, 0);
  EXPECT_GT(census.bookkeepingAtDataStart, 0);

  const auto read = testing::ParseAllPages(index, c.pageSize);
  const Comparison result =
      Compare(entries, {options.removed.begin(), options.removed.end()}, read);
  EXPECT_EQ(result.missing, 0);
  // Pairs moved by a split stay on the freed overflow page as stale copies; the list is not
  // merged, so they are read too. They are few, and none is made up.
  EXPECT_GT(result.copies, 0);
  EXPECT_LT(result.copies, static_cast<int>(c.count / 10));
  if (!c.deletions) {
    EXPECT_EQ(result.foreign, 0);
  }
  EXPECT_EQ(static_cast<int>(read.size()),
            static_cast<int>(c.count - options.removed.size()) + result.copies + result.foreign);
}

INSTANTIATE_TEST_SUITE_P(PageSizes, GenuineIndexTest,
                         ::testing::Values(GenuineCase{4096, 600, false},
                                           GenuineCase{16384, 600, false},
                                           GenuineCase{4096, 900, true},
                                           GenuineCase{16384, 900, true}),
                         [](const ::testing::TestParamInfo<GenuineCase>& info) {
                           const GenuineCase& c = info.param;
                           return "Pages" + std::to_string(c.pageSize) + "Entries" +
                                  std::to_string(c.count) + (c.deletions ? "WithDeletions" : "");
                         });

// The whole pass: items for the live HTTP entries whose files exist, with canonical URLs,
// the file as it is on disk, dates and MIME rows.
TEST(GenuineIndexReadTest, ItemsAgreeWithTheWrittenEntriesAfterTheDrops) {
  SKIP_WITHOUT_DB185();
  for (int pageSize : {4096, 16384}) {
    TempFolder folder;
    testgen::SyntheticOptions synthetic;
    synthetic.firstTime = DaysAgo(200);
    synthetic.upperCaseDiskNames = pageSize == 4096;
    const auto entries = testgen::SyntheticEntries(500, synthetic);
    testgen::PagedIndexOptions options;
    options.table.pageSize = static_cast<unsigned>(pageSize);
    testgen::WritePagedIndex(folder.Child("fat.db"), entries, options);
    testgen::WriteCachedFiles(folder.path(), entries);

    TempFolder program;
    TMimeTable mimeTable(program.path());
    std::multiset<std::tuple<std::string, std::string, double, int, int>> expected;
    for (const NavCacheEntry& entry : entries) {
      auto [url, name, type, time] = ExpectedRawEntry(entry);
      std::string rest = url;
      const std::string host = HostFromLink(rest);
      if (host == "NONE" || name.empty() || !entry.writeFile)
        continue;
      const int port = PortFromRest(rest);
      expected.insert({CanonicalItemUrl(host, port, PathFromRest(rest)),
                       folder.path() + entry.NameOnDisk(), DateFromUnixSeconds(time),
                       mimeTable.MimeIndexOf(type) & 0xFF, static_cast<int>(ContentKindOf(type))});
    }

    CacheList list;
    testing::ScriptedInteraction ui;
    NavigatorIndexReader reader(mimeTable, list, ui);
    const ReadingReport report = reader.ReadCacheIndex(folder.Child("fat.db"));
    ASSERT_EQ(report.outcome, ReadingOutcome::Read);
    EXPECT_FALSE(report.Partial()) << DescribeReading(report);
    EXPECT_EQ(report.itemsKept, list.size());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_GT(ui.eventRounds, 0);

    std::multiset<std::tuple<std::string, std::string, double, int, int>> got;
    for (const auto& item : list) {
      got.insert({item->Url, item->CacheFile, item->Date, item->MimeIndex, item->ContentKind});
      EXPECT_EQ(item->Domain,
                DomainFromHost(HostFromLink(*std::make_unique<std::string>(item->Url))));
      EXPECT_TRUE(item->Title.empty() && item->FileName.empty() && !item->CacheKey);
    }
    // Every expected item is there; the rest are stale copies of expected items.
    for (const auto& item : expected)
      EXPECT_GE(got.count(item), expected.count(item)) << std::get<0>(item);
    for (const auto& item : got)
      EXPECT_TRUE(expected.count(item)) << std::get<0>(item);
    EXPECT_LT(got.size(), expected.size() + expected.size() / 10);
  }
}

TEST(GenuineIndexReadTest, TextIndexAgreesLineForLineInFileOrder) {
  TempFolder folder;
  testgen::SyntheticOptions synthetic;
  synthetic.firstTime = DaysAgo(100);
  const auto entries = testgen::SyntheticEntries(300, synthetic);
  const std::string text = testgen::TextIndexBytes(entries, "C:\\NETSCAPE\\CACHE\\");
  testing::WriteFile(folder.Child("fat"), text);
  testgen::WriteCachedFiles(folder.path(), entries);

  TempFolder program;
  TMimeTable mimeTable(program.path());
  std::vector<std::pair<std::string, std::string>> expected;
  std::string line;
  size_t at = text.find('\n') + 1;
  for (const NavCacheEntry& entry : entries) {
    const size_t end = text.find('\n', at) + 1;
    const size_t length = end - at;
    at = end;
    // A line longer than 255 characters loses its end, and with it the character that must
    // follow the seventh field.
    if (length > 255 || !entry.writeFile || entry.url.rfind("http://", 0) != 0)
      continue;
    std::string rest = entry.url;
    const std::string host = HostFromLink(rest);
    const int port = PortFromRest(rest);
    expected.emplace_back(CanonicalItemUrl(host, port, PathFromRest(rest)),
                          folder.path() + entry.fileName);
  }

  CacheList list;
  testing::ScriptedInteraction ui;
  NavigatorIndexReader reader(mimeTable, list, ui);
  ASSERT_EQ(reader.ReadCacheIndex(folder.Child("fat")).outcome, ReadingOutcome::Read);
  std::vector<std::pair<std::string, std::string>> got;
  for (const auto& item : list)
    got.emplace_back(item->Url, item->CacheFile);
  EXPECT_EQ(got, expected);
  EXPECT_GT(expected.size(), 200u);
  EXPECT_GE(ui.eventRounds, 60);  // before every fifth of the 300 lines
}

// SSL records, version 5 records, POST entries and big pairs (longer than a page, spread over
// overflow pages key first) lie between ordinary entries. The reader stays inside each page,
// keeps going, and still reads every ordinary entry.
TEST(GenuineIndexReadTest, RecordsTheLayoutCannotDescribeDoNotStopThePass) {
  SKIP_WITHOUT_DB185();
  for (int pageSize : {4096, 16384}) {
    TempFolder folder;
    auto entries = testgen::SyntheticEntries(400, {});
    std::set<size_t> ordinary;
    for (size_t i = 0; i < entries.size(); ++i) {
      NavCacheEntry& entry = entries[i];
      switch (i % 10) {
        case 1:
          entry.url = "https://secure.example.test/" + std::to_string(i);
          entry.cipher = "RC4-MD5";
          entry.certificate = std::string(900 + i, '\x30');
          break;
        case 2:
          entry.recordVersion = 5;
          break;
        case 4:
          entry.postHeaders = "Content-Length: 12\r\n";
          entry.postDigest = std::string(16, '\x11');
          break;
        case 6:
          if (i % 20 == 6)
            entry.certificate = std::string(static_cast<size_t>(pageSize) + 3000, '\x82');
          else
            entry.url += "/" + std::string(static_cast<size_t>(pageSize) / 2 + 100, 'L');
          break;
        default:
          ordinary.insert(i);
          break;
      }
    }
    testgen::PagedIndexOptions options;
    options.table.pageSize = static_cast<unsigned>(pageSize);
    testgen::WritePagedIndex(folder.Child("fat.db"), entries, options);

    const auto read = testing::ParseAllPages(folder.Child("fat.db"), pageSize);
    std::multiset<RawEntry> got;
    for (const auto& fields : read)
      got.insert(AsRawEntry(fields));
    for (size_t i : ordinary)
      EXPECT_TRUE(got.count(ExpectedRawEntry(entries[i]))) << pageSize << " entry " << i;
    // POST entries are described by the layout: their request headers are the skipped field.
    for (size_t i = 4; i < entries.size(); i += 10)
      EXPECT_TRUE(got.count(ExpectedRawEntry(entries[i]))) << pageSize << " POST " << i;
  }
}

TEST(GenuineIndexReadTest, BigEndianPagesYieldNoOrdinaryItemsAndNoFault) {
  SKIP_WITHOUT_DB185();
  TempFolder folder;
  const auto entries = testgen::SyntheticEntries(200, {});
  testgen::PagedIndexOptions options;
  options.table.byteOrder = 4321;
  testgen::WritePagedIndex(folder.Child("fat.db"), entries, options);
  testgen::WriteCachedFiles(folder.path(), entries);
  TempFolder program;
  TMimeTable mimeTable(program.path());
  CacheList list;
  testing::ScriptedInteraction ui;
  NavigatorIndexReader reader(mimeTable, list, ui);
  EXPECT_EQ(reader.ReadCacheIndex(folder.Child("fat.db")).outcome, ReadingOutcome::Read);
  EXPECT_LT(list.size(), entries.size());
}

}  // namespace
}  // namespace pagehold
