// A URL record of an index.dat ("URL "): one cache entry. String and data offsets count from
// the record's start, and everything lies inside the record's blocks.
//
//   offset  size  field
//   0       4     signature "URL "
//   4       4     number of 128-byte blocks the record occupies
//   8       8     last modified (file time, from the server)
//   16      8     last access (file time)
//   24      4     expiry (FAT date and time; 0 none)
//   28      4     unknown
//   32      8     size of the cached file in bytes
//   40      4     file offset of the cache group entry, or 0
//   44      4     exempt delta in seconds
//   48      4     unknown (0x60)
//   52      4     offset of the URL (the entry's key), zero-terminated
//   56      1     cache sub-folder index; 0xFE: the file lies in the cache folder itself
//   57      1     synchronisation count
//   58      2     format version bytes
//   60      4     offset of the local file name (no path), zero-terminated; 0: no file
//   64      4     cache entry type flags
//   68      4     offset of the header information; 0: none
//   72      4     size of the header information in bytes
//   76      4     offset of the file extension, zero-terminated; 0: none
//   80      4     last synchronisation (FAT date and time: date word first)
//   84      4     hit count
//   88      4     use count
//   92      4     last write time of the cached file when it was stored (FAT date and time)
//   96      8     unknown
//   104     ...   the strings and the header information, each on a 4-byte boundary
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/UrlCacheTimes.h"

namespace pagehold {

inline constexpr std::uint8_t kNoCacheSubFolder = 0xFE;
inline constexpr std::size_t kUrlRecordFixedSize = 104;

struct IndexDatUrlRecord {
  std::uint32_t blocks = 0;
  FileTime lastModified = 0;
  FileTime lastAccess = 0;
  FatDateTime expiry;
  std::uint64_t fileSize = 0;
  std::uint32_t exemptDelta = 0;
  std::uint8_t cacheFolderIndex = kNoCacheSubFolder;
  std::uint32_t entryType = 0;
  FatDateTime lastSync;
  std::uint32_t hits = 0;
  std::uint32_t useCount = 0;
  std::string url;
  std::optional<std::string> localFileName;  // absent: the entry has no file
  std::optional<std::string> headerInfo;     // the raw bytes, exactly as many as stored
  std::string fileExtension;
};

// Decodes a URL record from bytes that start at the record and may run on past it (to the
// end of the file). nullopt when the signature is not "URL ", the block count is 0 or reaches
// past the bytes, or the URL is not inside the record. A local file name or header
// information that lies outside the record is dropped; header information that starts inside
// but runs past the record's end is cut there.
std::optional<IndexDatUrlRecord> ParseUrlRecord(std::string_view bytes);

}  // namespace pagehold
