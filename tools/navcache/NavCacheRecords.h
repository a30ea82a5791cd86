// Key and data records of the browser's cache index, byte for byte as the browser stored them
// in its hash table file. All numbers are 4-byte little-endian; every string is stored as a
// length that counts its terminating zero byte (0 for no string) followed by that many bytes.
//
// Key:
//   0   4   size of the whole key
//   4   4   U: URL length
//   8   U   URL (without any "#fragment")
//   8+U 4   X: 0, or 16 for a POST
//   12+U X  digest of the POST body
//
// Data, record version 3 (N: file name length, Lc/Lcert: SSL cipher and certificate lengths):
//   0   4   size of the whole data record, zero tail included
//   4   4   record version (3)
//   8   4   last modified          12  4   last accessed
//   16  4   expires                20  4   content length
//   24  1   server flag            25  4   lock date
//   29  4+N cache file name (relative to the cache folder)
//   33+N 4  in-memory name length (stored as 0)
//   37+N 1  relative-path flag     38+N 4  security flag
//   42+N 4  key bits               46+N 4  secret key bits
//   50+N 4+Lc    cipher name       54+N+Lc 4+Lcert server certificate
//   58+N+Lc+Lcert 4   method (0 GET, 1 POST)
//   62+N+..       4+M request headers of a POST
//   then content type, content encoding, charset (strings), incomplete flag (1), full length
//   (4), and zeros up to the record size.
// Version 5 drops the key bits, secret bits, cipher and certificate for one status blob at
// 42+N, and appends a page services URL after the full length.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pagehold::testgen {

struct NavCacheEntry {
  std::string url;          // as the key stores it
  std::string fileName;     // cache file name as the index names it, relative to the folder
  std::string diskName;     // name of the cached file on disk when its letter case differs
  std::string contentType;  // as stored (any case)
  std::int32_t lastAccessed = 0;
  std::int32_t lastModified = 0;
  std::int32_t expires = 0;
  std::string body;       // the cached file's bytes
  bool writeFile = true;  // false: the index names a file that is not there
  int recordVersion = 3;  // 3 or 5
  std::string cipher;     // SSL entries: cipher name and server certificate
  std::string certificate;
  std::string postHeaders;  // POST entries: request headers and the body digest in the key
  std::string postDigest;   // 16 bytes, or empty
  std::string contentEncoding;
  std::string charset;

  const std::string& NameOnDisk() const { return diskName.empty() ? fileName : diskName; }
};

std::string CacheKeyRecord(const NavCacheEntry& entry);
std::string CacheDataRecord(const NavCacheEntry& entry);

// The bookkeeping pairs the browser rewrites after every store. Their keys carry no zero byte.
inline constexpr std::string_view kDiskCacheSizeKey = "INT_DiskCacheSize";
inline constexpr std::string_view kDiskCacheNumberKey = "INT_DiskCacheNumber";
inline constexpr std::string_view kCacheNameKey = "INT_ExternalCacheNameString";
std::string NumberRecord(std::uint32_t value);
std::string CacheNameRecord();  // "Netscape Internal Disk Cache" with its zero byte

}  // namespace pagehold::testgen
