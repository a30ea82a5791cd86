// The paged Navigator cache index: a whole file, cut into pages of the size the probe finds,
// each page after the header read by itself as the index reader reads it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "NavigatorEntryCheck.h"
#include "sources/NavigatorIndex.h"
#include "sources/NavigatorIndexPage.h"

using namespace pagehold;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  const int pageSize = ProbePageSize(file.substr(0, 8192));
  FUZZ_CHECK(pageSize == 4096 || pageSize == kLargestIndexPage);
  const auto pageBytes = static_cast<std::size_t>(pageSize);
  for (std::size_t at = pageBytes; at < file.size(); at += pageBytes) {
    const auto entries = ParseIndexPage(file.substr(at, pageBytes), pageSize);
    FUZZ_CHECK(entries.size() <= static_cast<std::size_t>(kMaxEntriesPerPage));
    for (const NavigatorEntryFields& entry : entries) {
      FUZZ_CHECK(entry.cacheFileName.size() < 50);
      FUZZ_CHECK(!HoldsUpperCase(entry.cacheFileName));
      CheckNavigatorEntry(entry);
    }
  }
  return 0;
}
