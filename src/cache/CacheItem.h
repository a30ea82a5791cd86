// One browser-cache or archive entry, and its stored record form in archive.dat.
//
// Stored record (little-endian, no padding, records back to back with no header or count):
//   offset  size  field
//   0       4     MimeIndex, signed 32-bit
//   4       4     ContentKind, signed 32-bit
//   8       8     Date, IEEE-754 double (bit for bit)
//   16      4     L1 = length of Url + 1 (its terminating zero), unsigned 32-bit
//   20      4     L2 = the same for Title
//   24      4     L3 = the same for FileName
//   28      L1    Url bytes and a zero byte
//   28+L1   L2    Title bytes and a zero byte
//   28+L1+L2 L3   FileName bytes and a zero byte
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pagehold {

// The coarse content kinds, as stored in ContentKind.
enum ContentKindValue : std::int32_t { Text = 0, Media = 1, Other = 2 };

struct TCacheItem {
  std::int32_t MimeIndex = 0;           // MIME table row, low 8 bits only; 1 = "text/html"
  std::int32_t ContentKind = 0;         // ContentKindValue
  double Date = 0;                      // day count, local time
  std::string Url;                      // "http://" + host + ":" + port + path
  std::string Title;                    // at most 100 characters; set for pages by the archive run
  std::string FileName;                 // name of the archived copy in its domain and type folder
  std::optional<std::string> CacheKey;  // IE only: the source name, kept for deletion
  std::string Domain;                   // file-name-safe host; "NONE" never enters a list
  std::string CacheFile;                // full path of the cached copy
};

// The cache list owns its items; a selection borrows them.
using CacheList = std::vector<std::unique_ptr<TCacheItem>>;
using ItemRefs = std::vector<TCacheItem*>;

// Copies what an archive merge keeps: numbers, Domain and CacheFile, and fresh copies of Url,
// Title and FileName. CacheKey is not copied.
void Assign(TCacheItem& target, const TCacheItem& source);

// Appends the stored form of the item to out.
void WriteRecord(const TCacheItem& item, std::string& out);

// How the stored record at an offset of some bytes reads.
struct RecordParse {
  enum Outcome {
    Whole,    // the item holds the record; size is its length in bytes
    End,      // the offset is the end of the bytes
    Damaged,  // no whole record starts here (see below); the item is unchanged
  };
  Outcome outcome;
  std::size_t size;
};

// Parses one stored record. It is whole when its head and length block lie inside bytes, each
// stored length is at least 1, the three strings lie inside bytes and each ends with a zero byte
// where its length says; a string is read up to its first zero byte. Domain, CacheFile and
// CacheKey are left empty.
RecordParse ParseRecord(std::string_view bytes, std::size_t offset, TCacheItem& item);

}  // namespace pagehold
