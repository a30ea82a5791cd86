// The rule that ties a cache reading to the archive: the Domain a reader gives an item is the
// Domain that archive.dat's reader finds again from the item's stored Url. Where the two differ,
// a reloaded record looks for its archived file in another domain folder, loses it, and drops
// out of the archive at the next save.
#pragma once

#include <string>

#include "FuzzCheck.h"
#include "archive/ArchiveFile.h"
#include "archive/ArchiveFileReader.h"
#include "cache/CacheItem.h"

namespace pagehold {

inline void CheckDomainReloads(const std::string& url, const std::string& domain) {
  FUZZ_CHECK(domain.empty() || IsSafePathComponent(domain));
  TCacheItem item;
  item.Url = url;
  item.FileName = "page.htm";
  std::string stored;
  WriteRecord(item, stored);
  const ArchiveFileReading reading = ParseArchiveBytes(stored);
  FUZZ_CHECK(reading.records.Size() == 1 && reading.records[0].Domain == domain);
}

}  // namespace pagehold
