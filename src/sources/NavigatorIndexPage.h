// One page of the paged Navigator cache index ("Fat.db"), parsed by itself.
//
// The file is a Berkeley DB 1.x hash table of P-byte pages (P = 4096 or 16384). Nothing of the
// hash structure is followed: page 0 (the header) is ignored and every later page is read on
// its own. All numbers are little-endian. Page layout used (byte offsets in the page):
//   0        2   count n of the offset words that follow (0, or P and more: no entries)
//   2        2n  offset words, decreasing (key and data offsets of the pairs)
//   2+2n     2   size of the free area
//   4+2n     2   offset of the data area (repeats the last pair offset)
//   ...          free area
//   OFFSET   ..  data area up to the page end: pairs stored data block first, then key block
//
// Entry layout, offsets from the entry's first byte R. A length field is 4 bytes of which only
// the low 16 bits are read; a string length counts its terminating zero byte.
//   R+0      4   D: size of the data block; the key's URL length word is at K = R+4+D
//   R+12     4   signed time, seconds since 1970-01-01 (last access)
//   R+29     4   N: cache file name length
//   R+33     N-1 cache file name, taken only when N < 50
//   R+62+N   4   M: length of a skipped field (the request headers of a POST)
//   C        4   T: content type length, C = R+66+N+M
//   C+4      T-1 content type, taken only when T < 100, then cut to 50 characters
//   K        4   U: URL length
//   K+4      U-1 URL, taken only when U < 512, then cut to 255 characters
//   K+4+U    4   X: length of a skipped trailing field (a digest of POST data)
//   K+8+U+X      the next entry
//
// Reads never leave the page: a 16-bit value at i > P-3 and a 32-bit value at i > P-5 read as
// 0, and a string whose bytes would run past the page end reads as empty.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pagehold {

inline constexpr int kLargestIndexPage = 16384;
inline constexpr int kMaxEntriesPerPage = 250;

// The raw fields of one index entry, as either index format gives them.
struct NavigatorEntryFields {
  std::string url;
  std::string cacheFileName;
  std::string contentType;
  std::int32_t time = 0;
};

// Bounds-checked little-endian reads from one page.
class IndexPageView {
 public:
  // The page is the first pageSize bytes of bytes (fewer when bytes is shorter: the missing
  // part reads as zero).
  IndexPageView(std::string_view bytes, int pageSize);

  int Size() const { return size_; }
  unsigned Word(int at) const;
  std::uint32_t Long(int at) const;
  // The low 16 bits of the 4-byte length field at at.
  int Length(int at) const { return static_cast<int>(Word(at)); }
  // length bytes from at, up to the first zero byte; empty when they run past the page end.
  std::string String(int at, int length) const;
  // The bytes from at to at+length-1 that lie inside the page.
  std::string_view Window(int at, int length) const;

 private:
  unsigned char Byte(int at) const;

  std::string_view bytes_;
  int size_;
};

// The offset at which the page's data area begins, found by walking down the offset words
// (bounded: 500 steps a sweep, 501 sweeps). 16-bit arithmetic, as the words themselves.
int FindDataStart(const IndexPageView& page);

// The data start used for reading: the walk's result, unless the page's own data-start word
// (after the n offset words and the free-area size) lies between the word table and the page
// end and says otherwise. The walk goes astray on a page whose overflow link address is
// smaller than its pair offsets, which happens once pairs were deleted from a page that had
// filled up and been linked to an overflow page; its pairs would all be lost.
int DataStart(const IndexPageView& page);

// Where the first entry starts: just after the furthest index bookkeeping key name found in the
// 101 bytes from dataStart, or dataStart itself when none is there.
int FirstEntryStart(const IndexPageView& page, int dataStart);

// Reads the entry at at and returns where the next one starts (always beyond at).
int ReadEntry(const IndexPageView& page, int at, NavigatorEntryFields& entry);

// All entries of one page, at most kMaxEntriesPerPage, in the order they lie; none when the
// count word is 0 or not less than the page size. The cache file name and content type come
// out lower-cased. Of a page cut short (bytes shorter than pageSize) only the entries that lie
// wholly within bytes are taken.
std::vector<NavigatorEntryFields> ParseIndexPage(std::string_view bytes, int pageSize);

struct IndexPageEntries {
  std::vector<NavigatorEntryFields> entries;  // as ParseIndexPage gives them
  // The entries do not tile the data area: on a sound page they follow each other from the
  // data start exactly to the page end, so a chain that runs past the end, stops short at
  // the entry limit or starts outside the page means that some entries were misread. A page
  // that holds part of an entry too long for one page (marked by a value below 4 where its
  // first data offset belongs) cannot be read entry by entry and is not counted as damaged.
  bool damaged = false;
};

// The entries of one page and whether the page is damaged.
IndexPageEntries ReadIndexPageEntries(std::string_view bytes, int pageSize);

}  // namespace pagehold
