// The Internet Explorer cache source: fills the cache list from the URL cache
// (platform/UrlCache.h) and removes entries from it again.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "cache/MimeTable.h"
#include "platform/UrlCache.h"
#include "sources/CacheSource.h"
#include "sources/CachedFileCheck.h"

namespace pagehold {

// Blocks the thread for a number of milliseconds; tests pass one that only counts.
using WaitFunction = std::function<void(int milliseconds)>;

class UrlCacheSource : public CacheSource {
 public:
  // cacheFolder: the folder that holds index.dat; on Windows empty means the system's cache.
  UrlCacheSource(std::string cacheFolder, TMimeTable& mimeTable);
  // A source over a given cache, waiting through wait while the cache service is not active.
  UrlCacheSource(std::unique_ptr<UrlCache> cache, TMimeTable& mimeTable, WaitFunction wait);

  // Reads every entry of the cache. An index.dat that cannot be read or is not one is
  // reported, not read; the cache's own files and files that lead out of the cache folder are
  // never items.
  CacheReading ReadCache(Interaction& ui) override;
  // Deletes the cache entries named by the items' CacheKey.
  void RemoveFromCache(const ItemRefs& items, Interaction& ui, RemovalReport& report) override;
  std::vector<int> AgeNumbers(AgeUnit unit) const override;
  NamingRule FileNamingRule() const override { return NamingRule::FromCacheFile; }

 private:
  std::unique_ptr<UrlCache> cache_;
  TMimeTable& mimeTable_;
  WaitFunction wait_;
};

// Walks every entry of the cache and makes an item of each usable one, counting the others.
// Progress is shown through ui and a stop asked for there ends the walk.
CacheReading ReadUrlCache(UrlCache& cache, TMimeTable& mimeTable, Interaction& ui,
                          const WaitFunction& wait);

// The Url and Domain of the item that an entry's key makes; Domain is "NONE" (and Url empty)
// for a key that names no web resource. The Url is the canonical item Url, cut to 8192
// characters, and Domain is always the one the archive finds again from that Url.
struct ItemAddress {
  std::string url;
  std::string domain;
};
ItemAddress ItemAddressFromKey(const std::string& key);

// One entry turned into an item, or why it is not one. check decides whether the cached file
// is there, lies inside the cache folder and is not one of the cache's own files.
std::variant<std::unique_ptr<TCacheItem>, SkipReason> ItemFromEntry(const UrlCacheEntry& entry,
                                                                    TMimeTable& mimeTable,
                                                                    CachedFileCheck& check);

// Judges an index.dat as a reading does before it walks any entry: nothing when it is an index
// of the kind read, else the reading's one-line reason (it cannot be read, or is not one).
std::optional<std::string> UrlCacheIndexFileRefusal(const std::string& indexPath);

// The content type named in an entry's header information, "text/html" when none is named.
std::string ContentTypeFromHeaders(std::string_view headerInfo);

// A file time as a day count, through the two-second FAT date-and-time form (no change to
// local time); 0 when the time cannot be expressed in that form (before 1980, from 2044 on).
double CacheFileTimeToDate(FileTime time);

}  // namespace pagehold
