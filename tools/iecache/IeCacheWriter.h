// Writes Internet Explorer cache folders for tests and samples: an index.dat of the 5.2 layout
// (file header with its sub-folder table, chained hash tables filled by the cache's own hash,
// URL records) beside the sub-folders that hold the cached files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/UrlCacheTimes.h"

namespace pagehold::testgen {

// The cached file lies in the cache folder itself rather than in a sub-folder.
inline constexpr int kInCacheFolder = -1;

struct IeCacheEntry {
  std::string url;                  // the entry's key
  int folderIndex = 0;              // index into IeCache::folders, or kInCacheFolder
  std::string fileName;             // local file name without path; empty: no file
  std::optional<std::string> body;  // the cached file's bytes; absent: the file is not written
  std::string headers;              // header information, stored as given; empty: none
  FileTime lastAccess = 0;
  FileTime lastModified = 0;
  FatDateTime lastSync;
  FatDateTime expiry;
  std::uint32_t entryType = 0x41;  // normal, cacheable
  bool deleted = false;            // the record is written but its hash slot marks it deleted
};

struct IeCache {
  std::vector<std::string> folders = {"A1B2C3D4", "E5F6G7H8", "J9K0L1M2", "N3P4Q5R6"};
  std::vector<IeCacheEntry> entries;
};

// The most 128-byte blocks an index.dat can hold: its header keeps one allocation bit per
// block, from offset 592 to the end of its 16 KiB.
inline constexpr std::uint32_t kMaxIndexDatBlocks = (0x4000 - 592) * 8;

// The bytes of the index.dat of a cache. Throws std::length_error, naming the sizes, when the
// records and hash tables need more than kMaxIndexDatBlocks blocks.
std::string BuildIndexDat(const IeCache& cache);

// Writes folder/index.dat, the sub-folders and every cached file that has a body. The folder
// is created when missing.
void WriteIeCache(const std::string& folder, const IeCache& cache);

// A file time from calendar fields (UTC).
FileTime MakeFileTime(int year, int month, int day, int hour, int minute, int second,
                      int milliseconds = 0);

// The FAT form of a file time (seconds rounded down to even).
FatDateTime MakeFat(FileTime time);

// An HTTP response header block as IE stores it: status line, the given lines, a blank line,
// the user line and a terminating zero byte.
std::string HttpHeaders(const std::vector<std::string>& lines);

// An entry of a web resource of that content type, its cached file holding body, last used
// ageDays before now. The cache keeps local calendar fields, read back without a time zone.
IeCacheEntry WebEntry(const std::string& url, const std::string& contentType, double ageDays,
                      const std::string& fileName, const std::string& body, int folderIndex = 0);

}  // namespace pagehold::testgen
