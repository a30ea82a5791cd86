// The rules that hold for every entry either Navigator index reader gives, and for the item the
// cache reading makes of it.
#pragma once

#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "ItemCheck.h"
#include "cache/Url.h"
#include "sources/NavigatorIndexPage.h"

namespace pagehold {

// The item's Url and Domain are built as NavigatorIndexReader::AddCacheEntry builds them.
inline void CheckNavigatorEntry(const NavigatorEntryFields& entry) {
  FUZZ_CHECK(entry.url.size() <= 255);
  FUZZ_CHECK(entry.contentType.size() <= 50);
  FUZZ_CHECK(!HoldsUpperCase(entry.contentType));

  std::string rest = entry.url;
  const std::string host = HostFromLink(rest);
  const std::string domain = DomainFromHost(host);
  if (host == "NONE" || domain == "NONE")
    return;
  const int port = PortFromRest(rest);
  CheckDomainReloads(CanonicalItemUrl(host, port, PathFromRest(rest)), domain);
}

}  // namespace pagehold
