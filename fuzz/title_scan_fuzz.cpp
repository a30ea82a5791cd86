// The page title scanner over any cached page.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "cache/HtmlScan.h"

using namespace pagehold;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view page(reinterpret_cast<const char*>(data), size);
  const std::string title = ExtractTitleFromBytes(page);
  FUZZ_CHECK(title.size() <= 100);
  return 0;
}
