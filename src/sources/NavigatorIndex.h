// Reading a Navigator cache index file into the cache list.
//
// Two formats are read: the paged index of Navigator 2 to 4 ("Fat.db", see
// NavigatorIndexPage.h) and the older text index (see NavigatorTextIndex.h). Each entry becomes
// a TCacheItem; entries that name no HTTP resource, or whose cached file is gone, are dropped.
// Entries are not merged: the same URL read twice gives two items, in file order. The reader
// never writes to the index or the cached files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cache/CacheItem.h"
#include "cache/MimeTable.h"
#include "platform/Interaction.h"
#include "sources/NavigatorFileLookup.h"

namespace pagehold {

// The message shown when the index cannot be opened, typically because the browser holds it.
Message CloseBrowserMessage();

// Days since 1899-12-30 (local time) of a cache time in seconds since 1970, kept between
// 5000 days before now and now.
double CacheTimeToDate(std::int32_t seconds, double now);
double CacheTimeToDate(std::int32_t seconds);

// The page size of a paged index from its first 8192 bytes (fewer when the file is shorter):
// 4096 when two 4096-byte records could be read and any of the first 51 bytes of the second is
// nonzero, else 16384.
int ProbePageSize(std::string_view firstBytes);

class NavigatorIndexReader {
 public:
  NavigatorIndexReader(TMimeTable& mimeTable, CacheList& list, Interaction& ui);

  // Reads the index at indexPath and appends its entries to the list. False only when the
  // index cannot be opened (after the message); true otherwise, also when nothing was taken.
  // Throws std::runtime_error when the index opened for the format check cannot be opened
  // for the pass itself, and passes on errors of the MIME table.
  bool ReadCacheIndex(const std::string& indexPath);

  // Builds one item from the raw fields of an entry and appends it, or drops it (no HTTP host,
  // no usable cache file name, cached file missing). url: up to 255 characters; cacheFileName
  // relative to the cache folder; contentType lower-cased, up to 50 characters.
  void AddCacheEntry(std::string url, std::string_view cacheFileName, std::string_view contentType,
                     std::int32_t time);

  // The folder the cached files lie in (with its trailing separator) and the index file name,
  // as split at the start of the last pass. Setting the folder starts a fresh file lookup.
  const std::string& CacheFolder() const { return cacheFolder_; }
  const std::string& IndexFileName() const { return indexFileName_; }
  void SetCacheFolder(std::string folder);

  // The moment that entry times are clamped against; taken at the start of each pass.
  void SetNow(double now) { now_ = now; }

 private:
  void ReadPages(const std::string& indexPath, int pageSize);
  void ReadTextLines(const std::string& indexPath);

  TMimeTable& mimeTable_;
  CacheList& list_;
  Interaction& ui_;
  std::string cacheFolder_;
  std::string indexFileName_;
  std::optional<CachedFileLookup> files_;
  double now_;
};

}  // namespace pagehold
