// The index.dat structures decoded from small byte arrays: the file header with its sub-folder
// table, hash tables and URL records, each with its error paths.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "iecache/IeCacheWriter.h"
#include "platform/IndexDatFile.h"
#include "platform/IndexDatHashTable.h"
#include "platform/IndexDatHeader.h"
#include "platform/IndexDatUrlRecord.h"

namespace pagehold {
namespace {

void PutU32(std::string& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string HeaderBytes(std::uint32_t folderCount, const std::vector<std::string>& names) {
  std::string bytes(kIndexDatHeaderMinimumSize, '\0');
  bytes.replace(0, kIndexDatSignature.size(), kIndexDatSignature);
  PutU32(bytes, 28, 0x8000);
  PutU32(bytes, 32, 0x4000);
  PutU32(bytes, 36, 256);
  PutU32(bytes, 40, 40);
  PutU32(bytes, 72, folderCount);
  for (std::size_t i = 0; i < names.size(); ++i)
    bytes.replace(80 + 12 * i, names[i].size(), names[i]);
  return bytes;
}

TEST(IndexDatHeader, DecodesSizesAndSubFolders) {
  const auto header = ParseIndexDatHeader(HeaderBytes(2, {"ENG3X4ZR", "5ZBG4UOD"}));
  ASSERT_TRUE(header);
  EXPECT_EQ(header->fileSize, 0x8000u);
  EXPECT_EQ(header->hashTableOffset, 0x4000u);
  EXPECT_EQ(header->capacityBlocks, 256u);
  EXPECT_EQ(header->blocksInUse, 40u);
  EXPECT_EQ(header->cacheFolders, (std::vector<std::string>{"ENG3X4ZR", "5ZBG4UOD"}));
}

TEST(IndexDatHeader, RefusesWhatIsNotAVersion52Header) {
  std::string otherVersion = HeaderBytes(0, {});
  otherVersion[26] = '1';  // "... Ver 5.1"
  std::string noTerminator = HeaderBytes(0, {});
  noTerminator[27] = 'x';
  std::string wrongText = HeaderBytes(0, {});
  wrongText[0] = 'c';
  const std::string cut = HeaderBytes(0, {}).substr(0, kIndexDatHeaderMinimumSize - 1);
  for (const std::string& bytes : {otherVersion, noTerminator, wrongText, cut, std::string()})
    EXPECT_FALSE(ParseIndexDatHeader(bytes).ok());
}

TEST(IndexDatHeader, KeepsOnlyNamesThatCanBePathComponents) {
  const struct {
    std::string stored;
    std::string expected;
  } kCases[] = {
      {"ABCD1234", "ABCD1234"}, {"AB", "AB"}, {"..", ""},  {".", ""},
      {"../etc", ""},           {"A\\B", ""}, {"A/B", ""}, {"", ""},
  };
  for (const auto& c : kCases) {
    const auto header = ParseIndexDatHeader(HeaderBytes(1, {c.stored}));
    ASSERT_TRUE(header);
    ASSERT_EQ(header->cacheFolders.size(), 1u);
    EXPECT_EQ(header->cacheFolders[0], c.expected) << c.stored;
  }
}

TEST(IndexDatHeader, FolderCountIsCappedAtTheTableSize) {
  const auto header = ParseIndexDatHeader(HeaderBytes(0xFFFFFFFF, {}));
  ASSERT_TRUE(header);
  EXPECT_EQ(header->cacheFolders.size(), kIndexDatMaxFolders);
}

std::string HashTableBytes(std::size_t slots) {
  std::string bytes(kHashTableSlotsOffset + slots * 8, '\0');
  bytes.replace(0, 4, "HASH");
  PutU32(bytes, 4, 32);
  PutU32(bytes, 8, 0x9000);
  PutU32(bytes, 12, 1);
  for (std::size_t i = 0; i < slots; ++i) {
    PutU32(bytes, kHashTableSlotsOffset + i * 8, static_cast<std::uint32_t>(i * 64));
    PutU32(bytes, kHashTableSlotsOffset + i * 8 + 4, static_cast<std::uint32_t>(0x5000 + i * 128));
  }
  return bytes;
}

TEST(IndexDatHashTable, DecodesChainLinkAndSlots) {
  const auto table = ParseHashTable(HashTableBytes(kHashTableSlots) + "trailing bytes");
  ASSERT_TRUE(table);
  EXPECT_EQ(table->nextTableOffset, 0x9000u);
  EXPECT_EQ(table->sequenceNumber, 1u);
  ASSERT_EQ(table->slots.size(), kHashTableSlots);
  EXPECT_EQ(table->slots[5].key, 5u * 64);
  EXPECT_EQ(table->slots[5].recordOffset, 0x5000u + 5 * 128);
}

TEST(IndexDatHashTable, ACutTableGivesItsCompleteSlots) {
  const std::string bytes = HashTableBytes(10);
  EXPECT_EQ(ParseHashTable(bytes.substr(0, bytes.size() - 3))->slots.size(), 9u);
  EXPECT_EQ(ParseHashTable(bytes.substr(0, kHashTableSlotsOffset))->slots.size(), 0u);
  EXPECT_FALSE(ParseHashTable(bytes.substr(0, kHashTableSlotsOffset - 1)));
  std::string wrong = bytes;
  wrong[0] = 'h';
  EXPECT_FALSE(ParseHashTable(wrong));
}

TEST(IndexDatHashTable, LiveSlots) {
  const struct {
    std::uint32_t key;
    bool live;
  } kCases[] = {
      {3, false},          // never used
      {1, false},          // deleted
      {0, true},           // a live entry whose hash has no upper bits
      {0x12345640, true},  // live entry
      {0x12345642, true},  // locked
      {0x12345645, true},  // redirect: the record's signature tells
      {0x12345648, true},  // member of a cache group
  };
  for (const auto& c : kCases)
    EXPECT_EQ(IsLiveSlot({c.key, 0x5000}), c.live) << c.key;
}

TEST(IndexDatHashTable, OneTrailingSlashIsNotHashed) {
  EXPECT_EQ(UrlCacheHash("http://www.example-garden.test/"),
            UrlCacheHash("http://www.example-garden.test"));
  EXPECT_NE(UrlCacheHash("http://www.example-garden.test//"),
            UrlCacheHash("http://www.example-garden.test"));
  EXPECT_NE(UrlCacheHash("http://a.test/x"), UrlCacheHash("http://a.test/y"));
  EXPECT_EQ(UrlCacheHash(""), UrlCacheHash("/"));
}

// The bytes of one URL record as the generator lays it out.
std::string RecordBytes(const testgen::IeCacheEntry& entry) {
  testgen::IeCache cache;
  cache.entries.push_back(entry);
  const std::string file = testgen::BuildIndexDat(cache);
  // The first hash table takes 32 blocks after the header; the record follows it.
  const std::size_t start = 0x4000 + 32 * 128;
  const std::uint32_t blocks = static_cast<std::uint8_t>(file[start + 4]);
  return file.substr(start, blocks * 128);
}

testgen::IeCacheEntry SampleEntry() {
  testgen::IeCacheEntry entry;
  entry.url = "http://www.example-garden.test/roses.htm";
  entry.folderIndex = 2;
  entry.fileName = "roses[1].htm";
  entry.body = "<html></html>";
  entry.headers = testgen::HttpHeaders({"Content-Type: text/html"});
  entry.lastAccess = testgen::MakeFileTime(2002, 8, 9, 10, 11, 12, 345);
  entry.lastModified = testgen::MakeFileTime(2002, 7, 1, 0, 0, 0);
  entry.lastSync = testgen::MakeFat(testgen::MakeFileTime(2002, 8, 9, 10, 11, 14));
  return entry;
}

// The allocation bitmap bounds an index.dat to 126,336 blocks: a cache that needs more is
// refused with the sizes named, and one just under the bound is written whole.
TEST(IeCacheWriter, RefusesACacheLargerThanTheBitmapAllows) {
  testgen::IeCacheEntry big = SampleEntry();
  big.headers = std::string(999 * 128, 'h');  // a record of 1000 blocks
  testgen::IeCache cache;
  cache.entries.assign(120, big);
  const auto contents = ParseIndexDat(testgen::BuildIndexDat(cache));
  ASSERT_TRUE(contents.ok());
  EXPECT_EQ(contents->entries.size(), 120u);
  EXPECT_GE(contents->header.blocksInUse, 120u * 1000);

  cache.entries.assign(127, big);
  try {
    (void)testgen::BuildIndexDat(cache);
    ADD_FAILURE() << "a cache of 127,032 blocks was built";
  } catch (const std::length_error& error) {
    EXPECT_THAT(error.what(), ::testing::HasSubstr("room for 126336"));
  }
}

TEST(IndexDatUrlRecord, DecodesEveryFieldCallersUse) {
  const testgen::IeCacheEntry entry = SampleEntry();
  const auto record = ParseUrlRecord(RecordBytes(entry));
  ASSERT_TRUE(record);
  EXPECT_EQ(record->url, entry.url);
  EXPECT_EQ(record->localFileName, entry.fileName);
  EXPECT_EQ(record->headerInfo, entry.headers);
  EXPECT_EQ(record->cacheFolderIndex, 2);
  EXPECT_EQ(record->lastAccess, entry.lastAccess);
  EXPECT_EQ(record->lastModified, entry.lastModified);
  EXPECT_EQ(record->lastSync.date, entry.lastSync.date);
  EXPECT_EQ(record->lastSync.time, entry.lastSync.time);
  EXPECT_EQ(record->fileSize, entry.body->size());
  EXPECT_EQ(record->entryType, 0x41u);
}

// A field of the record overwritten with a value, and what decoding then gives.
struct RecordDamage {
  const char* what;
  std::size_t field;
  std::uint32_t value;
  bool decodes;
  bool hasFile;
  bool hasHeader;
};

TEST(IndexDatUrlRecord, DamagedFieldsNeverReachOutsideTheRecord) {
  const std::string good = RecordBytes(SampleEntry());
  const auto size = static_cast<std::uint32_t>(good.size());
  const RecordDamage kCases[] = {
      {"intact", 0, 0x204C5255, true, true, true},
      {"other signature", 0, 0x4B41454C, false, false, false},
      {"zero blocks", 4, 0, false, false, false},
      // The bytes run on 256 bytes (two blocks) past the record.
      {"more blocks than the bytes hold", 4, size / 128 + 3, false, false, false},
      {"blocks up to the end of the bytes", 4, size / 128 + 2, true, true, true},
      {"huge block count", 4, 0xFFFFFFFF, false, false, false},
      {"URL offset past the record", 52, size, false, false, false},
      {"no URL", 52, 0, false, false, false},
      {"file name offset past the record", 60, size + 1000, true, false, true},
      {"no file name", 60, 0, true, false, true},
      {"header offset past the record", 68, 0xFFFFFFF0, true, true, false},
      {"no header", 68, 0, true, true, false},
      {"header size past the record", 72, 0xFFFFFFFF, true, true, true},
  };
  for (const RecordDamage& c : kCases) {
    std::string bytes = good;
    PutU32(bytes, c.field, c.value);
    const auto record = ParseUrlRecord(bytes + std::string(256, 'z'));
    ASSERT_EQ(record.has_value(), c.decodes) << c.what;
    if (!record)
      continue;
    EXPECT_EQ(record->localFileName.has_value(), c.hasFile) << c.what;
    EXPECT_EQ(record->headerInfo.has_value(), c.hasHeader) << c.what;
    // A header that runs past the record is cut at the record's end.
    if (record->headerInfo) {
      EXPECT_LE(record->headerInfo->size(), bytes.size()) << c.what;
    }
  }
}

TEST(IndexDatUrlRecord, AStringWithoutItsEndInsideTheRecordIsNotRead) {
  std::string bytes = RecordBytes(SampleEntry());
  // Overwrite everything from the URL on with letters: the URL has no terminating zero.
  std::fill(bytes.begin() + 0x68, bytes.end(), 'a');
  EXPECT_FALSE(ParseUrlRecord(bytes + std::string(64, '\0')));
}

}  // namespace
}  // namespace pagehold
