// Damaged index.dat files: cut short, wrong signature, offsets past the end, looping hash
// chains, record sizes of zero or beyond the file. None may crash or hang, and every record
// that can still be read is read.
#include <gtest/gtest.h>

#include <random>

#include "iecache/IeCacheWriter.h"
#include "platform/IndexDatFile.h"

namespace pagehold {
namespace {

constexpr std::size_t kFirstTable = 0x4000;
constexpr std::size_t kFirstRecord = 0x4000 + 32 * 128;

void PutU32(std::string& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t GetU32(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
  return value;
}

// Three entries; their records follow the first hash table in this order.
std::string ThreeEntryFile() {
  testgen::IeCache cache;
  for (const char* page : {"a", "b", "c"}) {
    testgen::IeCacheEntry entry;
    entry.url = std::string("http://www.example-garden.test/") + page + ".htm";
    entry.fileName = std::string(page) + "[1].htm";
    entry.headers = testgen::HttpHeaders({"Content-Type: text/html"});
    cache.entries.push_back(entry);
  }
  return testgen::BuildIndexDat(cache);
}

// The file offset of the hash slot that names the record at recordOffset.
std::size_t SlotOf(const std::string& file, std::uint32_t recordOffset) {
  for (std::size_t slot = 0; slot < 448; ++slot)
    if (GetU32(file, kFirstTable + 16 + slot * 8 + 4) == recordOffset)
      return kFirstTable + 16 + slot * 8;
  ADD_FAILURE() << "no slot names " << recordOffset;
  return kFirstTable + 16;
}

std::vector<std::string> UrlsOf(const std::string& file) {
  std::vector<std::string> urls;
  if (const auto contents = ParseIndexDat(file))
    for (const IndexDatEntry& entry : contents->entries)
      urls.push_back(entry.record.url);
  std::sort(urls.begin(), urls.end());
  return urls;
}

const std::vector<std::string> kAll = {"http://www.example-garden.test/a.htm",
                                       "http://www.example-garden.test/b.htm",
                                       "http://www.example-garden.test/c.htm"};

TEST(IndexDatDamage, EachDamageLosesOnlyWhatItTouches) {
  const std::string good = ThreeEntryFile();
  const std::uint32_t recordA = kFirstRecord;
  const std::uint32_t recordB = recordA + GetU32(good, recordA + 4) * 128;
  const struct {
    const char* what;
    std::function<void(std::string&)> damage;
    std::vector<std::string> expected;
  } kCases[] = {
      {"intact", [](std::string&) {}, kAll},
      {"wrong signature", [](std::string& f) { f[7] = 'X'; }, {}},
      {"first hash table past the end", [](std::string& f) { PutU32(f, 32, 0x7FFFFFF0); }, {}},
      {"first hash table inside the header", [](std::string& f) { PutU32(f, 32, 0x200); }, {}},
      {"hash table chained to itself",
       [](std::string& f) { PutU32(f, kFirstTable + 8, kFirstTable); }, kAll},
      {"hash table chained to a record",
       [=](std::string& f) { PutU32(f, kFirstTable + 8, recordB); }, kAll},
      {"slot offset past the end",
       [=](std::string& f) { PutU32(f, SlotOf(f, recordB) + 4, 0xFFFFFF00); },
       {kAll[0], kAll[2]}},
      {"slot offset into the middle of a record",
       [=](std::string& f) { PutU32(f, SlotOf(f, recordB) + 4, recordB + 8); },
       {kAll[0], kAll[2]}},
      {"record of zero blocks",
       [=](std::string& f) { PutU32(f, recordB + 4, 0); },
       {kAll[0], kAll[2]}},
      {"record larger than the file",
       [=](std::string& f) { PutU32(f, recordB + 4, 0x10000); },
       {kAll[0], kAll[2]}},
      {"record URL offset past the record",
       [=](std::string& f) { PutU32(f, recordA + 52, 0xFFFF); },
       {kAll[1], kAll[2]}},
  };
  for (const auto& c : kCases) {
    std::string file = good;
    c.damage(file);
    EXPECT_EQ(UrlsOf(file), c.expected) << c.what;
  }
}

TEST(IndexDatDamage, AFileCutAnywhereGivesTheRecordsBeforeTheCut) {
  const std::string good = ThreeEntryFile();
  std::size_t previous = 0;
  for (std::size_t length = 0; length <= good.size(); length += 64) {
    const std::size_t found = UrlsOf(good.substr(0, length)).size();
    EXPECT_GE(found, previous) << length;
    previous = found;
  }
  EXPECT_EQ(previous, 3u);
  // Cut inside the hash table: no slot is whole that names a record, and none is read.
  EXPECT_TRUE(UrlsOf(good.substr(0, kFirstTable + 100)).empty());
}

// Random bytes written over random places of a good file: the reader must stay inside the
// bytes (the sanitizer build checks this) and finish.
TEST(IndexDatDamage, RandomDamageNeverReadsOutsideTheFile) {
  const std::string good = ThreeEntryFile();
  std::mt19937 random(20240607);
  std::uniform_int_distribution<std::size_t> place(0, good.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 400; ++round) {
    std::string file = good;
    for (int i = 0; i < 24; ++i) {
      // Aim half of the damage at the header, the first slots and the records.
      const std::size_t at = i % 2 ? place(random) : kFirstTable + place(random) % 0x1400;
      file[at % file.size()] = static_cast<char>(byte(random));
    }
    EXPECT_LE(UrlsOf(file).size(), 448u);
  }
}

}  // namespace
}  // namespace pagehold
