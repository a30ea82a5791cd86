// The scanners of a whole page: the title scanner over any cached page, and the excerpt of an
// archived page's visible text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "archive/TextExcerpt.h"
#include "cache/HtmlScan.h"

using namespace pagehold;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view page(reinterpret_cast<const char*>(data), size);
  const std::string title = ExtractTitleFromBytes(page);
  FUZZ_CHECK(title.size() <= 100);

  // The excerpt is text between tags with its white space folded to single spaces.
  const std::string excerpt = ExcerptFromText(page);
  FUZZ_CHECK(excerpt.size() <= kExcerptLength);
  FUZZ_CHECK(excerpt.find_first_of("<\t\r\n") == std::string::npos);
  FUZZ_CHECK(excerpt.find("  ") == std::string::npos);
  return 0;
}
