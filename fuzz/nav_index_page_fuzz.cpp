// The paged Navigator cache index: a whole file that the format check lets through, cut into
// pages of the size the probe finds, each page after the header read by itself as the index
// reader reads it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "NavigatorEntryCheck.h"
#include "sources/NavigatorIndex.h"
#include "sources/NavigatorIndexPage.h"
#include "sources/NavigatorTextIndex.h"

using namespace pagehold;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  const std::string_view firstBytes = file.substr(0, 8192);
  if (NavigatorIndexRefusal(firstBytes, size) || IsTextIndexHeader(firstBytes))
    return 0;
  const int pageSize = ProbePageSize(firstBytes);
  FUZZ_CHECK(pageSize == 4096 || pageSize == kLargestIndexPage);
  const auto pageBytes = static_cast<std::size_t>(pageSize);
  for (std::size_t at = pageBytes; at < file.size(); at += pageBytes) {
    const std::string_view page = file.substr(at, pageBytes);
    const IndexPageEntries read = ReadIndexPageEntries(page, pageSize);
    FUZZ_CHECK(read.entries.size() == ParseIndexPage(page, pageSize).size());
    FUZZ_CHECK(read.entries.size() <= static_cast<std::size_t>(kMaxEntriesPerPage));
    for (const NavigatorEntryFields& entry : read.entries) {
      FUZZ_CHECK(entry.cacheFileName.size() < 50);
      FUZZ_CHECK(!HoldsUpperCase(entry.cacheFileName));
      CheckNavigatorEntry(entry);
    }
  }
  return 0;
}
