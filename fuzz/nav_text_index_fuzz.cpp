// The older text index of Navigator: the format check, then line by line as the index reader
// walks the file.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "NavigatorEntryCheck.h"
#include "sources/NavigatorIndex.h"
#include "sources/NavigatorTextIndex.h"

using namespace pagehold;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string_view firstBytes = text.substr(0, 8192);
  if (NavigatorIndexRefusal(firstBytes, size) || !IsTextIndexHeader(firstBytes))
    return 0;
  std::string line;
  std::size_t at = ReadTextIndexLine(text, 0, line);
  while (at < text.size()) {
    const std::size_t next = ReadTextIndexLine(text, at, line);
    FUZZ_CHECK(next > at && next <= text.size());
    FUZZ_CHECK(line.size() <= kTextIndexLineLimit);
    at = next;
    const std::optional<NavigatorEntryFields> entry = ParseTextIndexLine(line);
    if (!entry)
      continue;
    FUZZ_CHECK(!IsBlankTextIndexLine(line));
    // Only the file name part of the cached file's path is kept.
    FUZZ_CHECK(entry->cacheFileName.find_first_of("/\\:") == std::string::npos);
    CheckNavigatorEntry(*entry);
  }
  return 0;
}
