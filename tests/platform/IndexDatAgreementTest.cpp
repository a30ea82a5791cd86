// The index.dat reader against the independent reader msiecfexport: on the real caches beside
// the project and on generated ones, both must find the same URL records with the same keys,
// local files and times.
#include <gtest/gtest.h>

#include <map>

#include "iecache/IeCacheWriter.h"
#include "platform/IndexDatExport.h"
#include "platform/IndexDatFile.h"
#include "platform/IndexDatHashTable.h"
#include "platform/Paths.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testing::ExportedFileTime;
using testing::ExportedRecord;

// "0 (0x00)(ENG3X4ZR)" names a sub-folder; "-2 (0xfe)" means the cache folder itself.
std::string ExportedSubFolder(const std::string& value) {
  const std::size_t open = value.rfind('(');
  const std::size_t close = value.rfind(')');
  if (open == std::string::npos || close == std::string::npos || close < open)
    return {};
  const std::string name = value.substr(open + 1, close - open - 1);
  return name.rfind("0x", 0) == 0 ? std::string() : name;
}

std::string ExpectedLocalFile(const ExportedRecord& record, const std::string& cacheFolder) {
  const auto fileName = record.fields.find("Filename");
  if (fileName == record.fields.end())
    return {};
  const std::string subFolder = ExportedSubFolder(record.fields.at("Cache directory index"));
  return JoinPath(subFolder.empty() ? cacheFolder : JoinPath(cacheFolder, subFolder),
                  fileName->second);
}

// A time msiecfexport leaves out is one that is not set.
std::string ExportedTime(const ExportedRecord& record, const std::string& name) {
  const auto field = record.fields.find(name);
  return field == record.fields.end() ? std::string("not set") : field->second;
}

std::string OurTime(FileTime time, bool withFraction) {
  return time == 0 ? std::string("not set") : ExportedFileTime(time, withFraction);
}

// Returns the number of URL records compared.
std::size_t ExpectAgreement(const std::string& indexPath, const std::string& cacheFolder) {
  const auto exported = testing::RunMsiecfexport(indexPath);
  EXPECT_TRUE(exported.has_value()) << "msiecfexport could not be run on " << indexPath;
  const auto contents = ReadIndexDat(indexPath);
  EXPECT_TRUE(contents.ok()) << indexPath;
  if (!exported || !contents)
    return 0;

  std::map<std::uint32_t, const ExportedRecord*> urlRecords;
  for (const ExportedRecord& record : *exported)
    if (record.type == "URL")
      urlRecords[record.offset] = &record;
  EXPECT_EQ(contents->entries.size(), urlRecords.size()) << indexPath;

  for (const IndexDatEntry& indexEntry : contents->entries) {
    SCOPED_TRACE(indexPath + " record at " + std::to_string(indexEntry.recordOffset));
    const auto found = urlRecords.find(indexEntry.recordOffset);
    if (found == urlRecords.end()) {
      ADD_FAILURE() << "msiecfexport does not list this record";
      continue;
    }
    const ExportedRecord& record = *found->second;
    const UrlCacheEntry entry = EntryFromRecord(indexEntry.record, contents->header, cacheFolder);
    EXPECT_EQ(record.size, indexEntry.record.blocks * 128u);
    EXPECT_EQ(record.fields.at("Location"), entry.sourceUrlName);
    EXPECT_EQ(ExportedTime(record, "Primary time"), OurTime(entry.lastAccessTime, true));
    EXPECT_EQ(ExportedTime(record, "Last checked time"), OurTime(entry.lastSyncTime, false));
    EXPECT_EQ(ExpectedLocalFile(record, cacheFolder), entry.localFileName);
  }
  return contents->entries.size();
}

bool SkipWithoutMsiecfexport() {
  if (testing::MsiecfexportInstalled())
    return false;
  std::cerr << "msiecfexport (libmsiecf-utils) is not installed: agreement not checked\n";
  return true;
}

TEST(IndexDatAgreement, RealCachesReadAsMsiecfexportReadsThem) {
  if (SkipWithoutMsiecfexport())
    GTEST_SKIP() << "msiecfexport (libmsiecf-utils) is not installed";
  const std::string fixtures = testing::SharedFixturesDir();
  if (fixtures.empty())
    GTEST_SKIP() << "the shared fixtures folder beside the project is absent";
  // Live URL records that a hash-table walk finds in each file.
  const std::vector<std::pair<std::string, std::size_t>> kFiles = {
      {"content-ie5.dat", 21},
      {"nfury.dat", 984},
      {"mshist-2013031020130311.dat", 23},
      {"history-visited.dat", 7},
  };
  for (const auto& [name, liveRecords] : kFiles) {
    const std::string path = JoinPath(JoinPath(fixtures, "ie"), name);
    if (!FileExists(path)) {
      ADD_FAILURE() << "missing fixture " << path;
      continue;
    }
    EXPECT_EQ(ExpectAgreement(path, "/cache/Content.IE5"), liveRecords) << name;
  }
}

TEST(IndexDatAgreement, BundledSampleReadsAsMsiecfexportReadsIt) {
  if (SkipWithoutMsiecfexport())
    GTEST_SKIP() << "msiecfexport (libmsiecf-utils) is not installed";
  const std::string folder = JoinPath(testing::SamplesDir(), "ie");
  EXPECT_EQ(ExpectAgreement(JoinPath(folder, "index.dat"), folder), 11u);
}

// Every live hash slot of a real file sits in the bucket of its record's key, stored with the
// hash's upper bits: the generator's hash is the cache's own.
TEST(IndexDatAgreement, RealSlotsMatchTheHashOfTheirKeys) {
  const std::string fixtures = testing::SharedFixturesDir();
  if (fixtures.empty())
    GTEST_SKIP() << "the shared fixtures folder beside the project is absent";
  const std::string file = testing::ReadFile(JoinPath(JoinPath(fixtures, "ie"), "nfury.dat"));
  const auto header = ParseIndexDatHeader(file);
  ASSERT_TRUE(header);
  std::size_t checked = 0;
  for (std::uint32_t tableOffset = header->hashTableOffset; tableOffset != 0;) {
    const auto table = ParseHashTable(std::string_view(file).substr(tableOffset));
    ASSERT_TRUE(table);
    for (std::size_t slot = 0; slot < table->slots.size(); ++slot) {
      const HashSlot& hashSlot = table->slots[slot];
      const auto record = ParseUrlRecord(std::string_view(file).substr(hashSlot.recordOffset));
      if (!IsLiveSlot(hashSlot) || !record)
        continue;
      const std::uint32_t hash = UrlCacheHash(record->url);
      EXPECT_EQ(slot / 7, hash % 64) << record->url;
      EXPECT_EQ(hashSlot.key & ~0x3Fu, hash & ~0x3Fu) << record->url;
      ++checked;
    }
    tableOffset = table->nextTableOffset;
  }
  EXPECT_EQ(checked, 984u);
}

testgen::IeCacheEntry Entry(std::string url, int folder, std::string fileName, std::string headers,
                            int minute) {
  testgen::IeCacheEntry entry;
  entry.url = std::move(url);
  entry.folderIndex = folder;
  entry.fileName = std::move(fileName);
  entry.body = "cached bytes";
  entry.headers = std::move(headers);
  entry.lastAccess = testgen::MakeFileTime(2003, 5, 17, 9, minute, 41, 250);
  entry.lastModified = testgen::MakeFileTime(2003, 4, 1, 12, 0, 0);
  entry.lastSync = testgen::MakeFat(testgen::MakeFileTime(2003, 5, 17, 9, minute, 43));
  entry.expiry = testgen::MakeFat(testgen::MakeFileTime(2003, 6, 17, 9, 0, 0));
  return entry;
}

TEST(IndexDatAgreement, GeneratedCachesReadAsMsiecfexportReadsThem) {
  if (SkipWithoutMsiecfexport())
    GTEST_SKIP() << "msiecfexport (libmsiecf-utils) is not installed";
  testgen::IeCache cache;
  const std::string html = testgen::HttpHeaders({"Content-Type: text/html"});
  cache.entries.push_back(Entry("http://www.example-garden.test/", 0, "index[1].htm", html, 1));
  cache.entries.push_back(Entry("http://www.example-garden.test/big.htm", 1, "big[1].htm",
                                html + std::string(20000, 'x'), 2));
  cache.entries.push_back(Entry("Cookie:visitor@example-garden.test/", testgen::kInCacheFolder,
                                "visitor@example-garden[1].txt", "", 3));
  cache.entries.push_back(Entry("Visited: visitor@http://www.example-garden.test/", 0, "", "", 4));
  testgen::IeCacheEntry removed =
      Entry("http://www.example-garden.test/old.htm", 2, "old[1].htm", html, 5);
  removed.deleted = true;
  cache.entries.push_back(removed);
  // Enough entries that some buckets overflow into a chained second and third hash table.
  for (int i = 0; i < 1100; ++i)
    cache.entries.push_back(Entry("http://img.example-orchard.test/p" + std::to_string(i) + ".gif",
                                  i % 4, "p" + std::to_string(i) + "[1].gif",
                                  testgen::HttpHeaders({"Content-Type: image/gif"}), i % 60));

  testing::TempFolder folder;
  const std::string cacheFolder = folder.Child("Content.IE5");
  testgen::WriteIeCache(cacheFolder, cache);
  const std::string indexPath = JoinPath(cacheFolder, "index.dat");
  EXPECT_EQ(ExpectAgreement(indexPath, cacheFolder), cache.entries.size() - 1);

  const std::string file = testing::ReadFile(indexPath);
  const auto header = ParseIndexDatHeader(file);
  ASSERT_TRUE(header);
  const auto first = ParseHashTable(std::string_view(file).substr(header->hashTableOffset));
  ASSERT_TRUE(first);
  EXPECT_NE(first->nextTableOffset, 0u) << "the generated cache should chain a second hash table";
}

}  // namespace
}  // namespace pagehold
