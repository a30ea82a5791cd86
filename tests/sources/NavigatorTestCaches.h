// Helpers for the Navigator reader tests: what the reader should make of each generated entry,
// and reading an index file's pages the way the reader does.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "navcache/NavCacheRecords.h"
#include "sources/NavigatorIndexPage.h"

namespace pagehold::testing {

// The raw fields as the reader takes them: cuts and length limits applied, the file name and
// content type lower-cased (as the paged index reads them).
using RawEntry = std::tuple<std::string, std::string, std::string, std::int32_t>;

RawEntry ExpectedRawEntry(const testgen::NavCacheEntry& entry);
RawEntry AsRawEntry(const NavigatorEntryFields& fields);

// A page laid out as the hash library lays one out: pairs (data, key) stored from the page end
// downwards, each data block just below its key, offset words after the count, then the free
// area size and the data start. linkAddress, when not 0, ends the word table with an overflow
// link (the address and a 0 word).
std::string BuildPage(int pageSize, const std::vector<std::pair<std::string, std::string>>& pairs,
                      unsigned linkAddress = 0);

// The (data, key) pair the browser stores for an entry.
std::pair<std::string, std::string> EntryPair(const testgen::NavCacheEntry& entry);

// Every entry of every page after the header, parsed with the given page size.
std::vector<NavigatorEntryFields> ParseAllPages(const std::string& indexPath, int pageSize);

// Skips the current test when the original hash library is not installed.
#define SKIP_WITHOUT_DB185()                                                  \
  do {                                                                        \
    if (!::pagehold::testgen::Db185HashFile::Available())                     \
      GTEST_SKIP() << "libdb.so.2 (libdb1-compat) is not installed; genuine " \
                      "Navigator indexes cannot be written";                  \
  } while (false)

}  // namespace pagehold::testing
