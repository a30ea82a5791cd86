#include "iecache/IeCacheWriter.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "cache/Dates.h"
#include "platform/IndexDatHashTable.h"
#include "platform/IndexDatHeader.h"
#include "platform/Paths.h"

namespace pagehold::testgen {

namespace {

constexpr std::uint32_t kRecordsStart = 0x4000;
constexpr std::uint32_t kBlock = 128;
constexpr std::uint32_t kHashTableBlocks = 32;
constexpr std::uint32_t kBuckets = 64;
constexpr std::uint32_t kSlotsPerBucket = 7;
// Files grow in steps of 16 KiB.
constexpr std::uint32_t kGrowthStep = 0x4000;
constexpr std::uint32_t kBitmapOffset = 592;

void PutU32(std::string& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutU64(std::string& bytes, std::size_t offset, std::uint64_t value) {
  PutU32(bytes, offset, static_cast<std::uint32_t>(value));
  PutU32(bytes, offset + 4, static_cast<std::uint32_t>(value >> 32));
}

void PutFat(std::string& bytes, std::size_t offset, FatDateTime fat) {
  PutU32(bytes, offset, fat.date | (std::uint32_t{fat.time} << 16));
}

// Fresh blocks carry the filler the cache writes into every newly allocated block.
std::string FilledBlocks(std::uint32_t blocks) {
  std::string bytes;
  for (std::uint32_t i = 0; i < blocks * kBlock / 4; ++i)
    bytes += "\xEF\xBE\xAD\xDE";
  return bytes;
}

std::uint32_t Align4(std::size_t size) {
  return static_cast<std::uint32_t>((size + 3) & ~std::size_t{3});
}

// One URL record with its strings, each on a 4-byte boundary.
std::string UrlRecord(const IeCacheEntry& entry) {
  const std::uint32_t urlOffset = 0x68;
  std::uint32_t end = Align4(urlOffset + entry.url.size() + 1);
  const std::uint32_t fileOffset = entry.fileName.empty() ? 0 : end;
  if (fileOffset)
    end = Align4(fileOffset + entry.fileName.size() + 1);
  const std::uint32_t headerOffset = entry.headers.empty() ? 0 : end;
  if (headerOffset)
    end = Align4(headerOffset + entry.headers.size());
  const std::uint32_t blocks = (end + kBlock - 1) / kBlock;

  std::string record = FilledBlocks(blocks);
  record.replace(0, 4, "URL ");
  PutU32(record, 4, blocks);
  PutU64(record, 8, entry.lastModified);
  PutU64(record, 16, entry.lastAccess);
  PutFat(record, 24, entry.expiry);
  PutU32(record, 28, 0);
  PutU64(record, 32, entry.body ? entry.body->size() : 0);
  PutU32(record, 40, 0);
  PutU32(record, 44, 0);
  PutU32(record, 48, 0x60);
  PutU32(record, 52, urlOffset);
  record[56] = static_cast<char>(entry.folderIndex == kInCacheFolder ? 0xFE : entry.folderIndex);
  record[57] = 0;
  record[58] = 0x10;
  record[59] = 0x10;
  PutU32(record, 60, fileOffset);
  PutU32(record, 64, entry.entryType);
  PutU32(record, 68, headerOffset);
  PutU32(record, 72, static_cast<std::uint32_t>(entry.headers.size()));
  PutU32(record, 76, 0);
  PutFat(record, 80, entry.lastSync);
  PutU32(record, 84, 1);
  PutU32(record, 88, 0);
  PutFat(record, 92, entry.lastSync);
  PutU32(record, 96, 0);
  PutU32(record, 100, 0);
  record.replace(urlOffset, entry.url.size() + 1, entry.url.c_str(), entry.url.size() + 1);
  if (fileOffset)
    record.replace(fileOffset, entry.fileName.size() + 1, entry.fileName.c_str(),
                   entry.fileName.size() + 1);
  if (headerOffset)
    record.replace(headerOffset, entry.headers.size(), entry.headers);
  return record;
}

std::string EmptyHashTable(std::uint32_t sequenceNumber) {
  std::string table = FilledBlocks(kHashTableBlocks);
  table.replace(0, 4, "HASH");
  PutU32(table, 4, kHashTableBlocks);
  PutU32(table, 8, 0);
  PutU32(table, 12, sequenceNumber);
  for (std::size_t slot = 0; slot < kHashTableSlots; ++slot) {
    PutU32(table, kHashTableSlotsOffset + slot * 8, kHashSlotFree);
    PutU32(table, kHashTableSlotsOffset + slot * 8 + 4, kHashSlotFree);
  }
  return table;
}

// Lays out the records block by block after the 16 KiB header and keeps the hash tables.
class IndexBuilder {
 public:
  IndexBuilder() { AddHashTable(); }

  void Add(const IeCacheEntry& entry) {
    // A deleted entry's blocks are free again: only its stale bytes stay in the file.
    const std::uint32_t offset = Append(UrlRecord(entry), !entry.deleted);
    const std::uint32_t hash = UrlCacheHash(entry.url);
    // Low 6 bits of the stored key: 0 for a live entry; a deleted entry's key is 1.
    const std::uint32_t key = entry.deleted ? kHashSlotDeleted : (hash & ~0x3Fu);
    PlaceSlot(hash % kBuckets, key, offset);
  }

  std::string Finish(const IeCache& cache) {
    const std::uint32_t used = static_cast<std::uint32_t>(body_.size());
    const std::uint32_t fileSize =
        (kRecordsStart + used + kGrowthStep - 1) / kGrowthStep * kGrowthStep;
    const std::uint32_t capacity = (fileSize - kRecordsStart) / kBlock;
    std::string file(kRecordsStart, '\0');
    file.replace(0, kIndexDatSignature.size(), kIndexDatSignature);
    PutU32(file, 28, fileSize);
    PutU32(file, 32, kRecordsStart);
    PutU32(file, 36, capacity);
    PutU32(file, 40, static_cast<std::uint32_t>(std::count(inUse_.begin(), inUse_.end(), true)));
    PutU64(file, 48, 50ull * 1024 * 1024);
    PutU64(file, 56, CacheUsage(cache));
    PutU32(file, 72, static_cast<std::uint32_t>(cache.folders.size()));
    for (std::size_t i = 0; i < cache.folders.size(); ++i) {
      const std::size_t at = kIndexDatFolderTableOffset + i * kIndexDatFolderEntrySize;
      PutU32(file, at, FilesIn(cache, static_cast<int>(i)));
      file.replace(at + 4, std::min<std::size_t>(8, cache.folders[i].size()), cache.folders[i], 0,
                   8);
    }
    // Allocation bitmap: one bit per block in use, least significant bit first.
    for (std::uint32_t block = 0; block < inUse_.size(); ++block)
      if (inUse_[block])
        file[kBitmapOffset + block / 8] =
            static_cast<char>(file[kBitmapOffset + block / 8] | (1 << (block % 8)));
    file += body_;
    file += FilledBlocks((fileSize - static_cast<std::uint32_t>(file.size())) / kBlock);
    return file;
  }

 private:
  std::uint32_t Append(const std::string& record, bool allocated = true) {
    const std::size_t blocks = (body_.size() + record.size()) / kBlock;
    if (blocks > kMaxIndexDatBlocks)
      throw std::length_error("the cache does not fit in one index.dat: its records need " +
                              std::to_string(blocks) + " or more blocks of 128 bytes, and the " +
                              "allocation bitmap has room for " +
                              std::to_string(kMaxIndexDatBlocks));
    const std::uint32_t offset = kRecordsStart + static_cast<std::uint32_t>(body_.size());
    body_ += record;
    inUse_.resize(body_.size() / kBlock, allocated);
    return offset;
  }

  void AddHashTable() {
    const std::uint32_t offset = Append(EmptyHashTable(static_cast<std::uint32_t>(tables_.size())));
    if (!tables_.empty())
      PutU32(body_, tables_.back() - kRecordsStart + 8, offset);
    tables_.push_back(offset);
  }

  // The first free slot of the bucket in the first table that has one; a new table is chained
  // on when every table's bucket is full.
  void PlaceSlot(std::uint32_t bucket, std::uint32_t key, std::uint32_t recordOffset) {
    for (std::size_t t = 0;; ++t) {
      if (t == tables_.size())
        AddHashTable();
      for (std::uint32_t i = 0; i < kSlotsPerBucket; ++i) {
        const std::size_t at =
            tables_[t] - kRecordsStart + kHashTableSlotsOffset + (bucket * kSlotsPerBucket + i) * 8;
        if (ReadKey(at) == kHashSlotFree) {
          PutU32(body_, at, key);
          PutU32(body_, at + 4, recordOffset);
          return;
        }
      }
    }
  }

  std::uint32_t ReadKey(std::size_t at) const {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
      value = (value << 8) | static_cast<std::uint8_t>(body_[at + i]);
    return value;
  }

  static std::uint64_t CacheUsage(const IeCache& cache) {
    std::uint64_t usage = 0;
    for (const IeCacheEntry& entry : cache.entries)
      if (!entry.deleted && entry.body)
        usage += entry.body->size();
    return usage;
  }

  static std::uint32_t FilesIn(const IeCache& cache, int folder) {
    std::uint32_t count = 0;
    for (const IeCacheEntry& entry : cache.entries)
      count += !entry.deleted && !entry.fileName.empty() && entry.folderIndex == folder;
    return count;
  }

  std::string body_;
  std::vector<bool> inUse_;  // one flag per block of body_
  std::vector<std::uint32_t> tables_;
};

}  // namespace

std::string BuildIndexDat(const IeCache& cache) {
  IndexBuilder builder;
  for (const IeCacheEntry& entry : cache.entries)
    builder.Add(entry);
  return builder.Finish(cache);
}

void WriteIeCache(const std::string& folder, const IeCache& cache) {
  // Built first, so that a cache that does not fit leaves nothing behind.
  const std::string index = BuildIndexDat(cache);
  std::filesystem::create_directories(folder);
  for (const std::string& subFolder : cache.folders)
    std::filesystem::create_directories(JoinPath(folder, subFolder));
  auto write = [](const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
      throw std::runtime_error("cannot write " + path);
  };
  write(JoinPath(folder, "index.dat"), index);
  for (const IeCacheEntry& entry : cache.entries) {
    if (!entry.body || entry.fileName.empty())
      continue;
    const std::string entryFolder = entry.folderIndex == kInCacheFolder
                                        ? folder
                                        : JoinPath(folder, cache.folders.at(entry.folderIndex));
    write(JoinPath(entryFolder, entry.fileName), *entry.body);
  }
}

FileTime MakeFileTime(int year, int month, int day, int hour, int minute, int second,
                      int milliseconds) {
  return FileTimeFromCalendar({year, month, day, hour, minute, second}) +
         static_cast<FileTime>(milliseconds) * 10'000;
}

FatDateTime MakeFat(FileTime time) {
  FatDateTime fat;
  FatFromFileTime(time, fat);
  return fat;
}

std::string HttpHeaders(const std::vector<std::string>& lines) {
  std::string text = "HTTP/1.1 200 OK\r\n";
  for (const std::string& line : lines)
    text += line + "\r\n";
  text += "\r\n~U:visitor\r\n";
  text += '\0';
  return text;
}

IeCacheEntry WebEntry(const std::string& url, const std::string& contentType, double ageDays,
                      const std::string& fileName, const std::string& body, int folderIndex) {
  IeCacheEntry entry;
  entry.url = url;
  entry.folderIndex = folderIndex;
  entry.fileName = fileName;
  entry.body = body;
  entry.headers = HttpHeaders({"Content-Type: " + contentType});
  const DateParts when = DecodeDate(Now() - ageDays);
  entry.lastAccess =
      MakeFileTime(when.year, when.month, when.day, when.hour, when.minute, when.second);
  entry.lastSync = MakeFat(entry.lastAccess);
  return entry;
}

}  // namespace pagehold::testgen
