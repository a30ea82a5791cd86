// The two tag scanners, called in an order the input chooses, over one tag's text as link
// rewriting hands it over (at most 255 characters).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "cache/HtmlScan.h"

using namespace pagehold;

namespace {

constexpr std::size_t kLongestTag = 255;

void CheckWord(const std::string& tag, std::size_t& position) {
  const std::size_t before = position;
  const std::string word = NextTagWord(tag, position);
  if (before >= tag.size()) {
    FUZZ_CHECK(position == tag.size() && word.empty());
    return;
  }
  FUZZ_CHECK(position > before && position <= tag.size());
  FUZZ_CHECK(word.size() <= position - before);
  for (const char c : word)
    FUZZ_CHECK(!(c >= 'a' && c <= 'z') && c != ' ' && c != '"' && c != '<' && c != '=' && c != '>');
}

// Link rewriting splices a new value between start and the character at position.
void CheckValue(const std::string& tag, std::size_t& position) {
  const std::size_t before = position;
  std::size_t start = 0;
  const std::string value = NextAttributeValue(tag, position, start);
  if (before >= tag.size()) {
    FUZZ_CHECK(position == tag.size() && start == tag.size() && value.empty());
    return;
  }
  FUZZ_CHECK(position > before && position <= tag.size());
  if (value.empty())
    return;
  FUZZ_CHECK(start >= before && start < position);
  FUZZ_CHECK(value.size() <= position - start);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::uint64_t order = input.ConsumeIntegral<std::uint64_t>();
  std::string tag = input.ConsumeRemainingBytesAsString();
  if (tag.size() > kLongestTag)
    tag.resize(kLongestTag);
  std::size_t position = 0;
  // Each step moves forward, so at most one step per character (and one more at the end).
  for (std::size_t steps = 0; steps <= tag.size() + 1; ++steps, order = order >> 1 | order << 63) {
    if (order & 1)
      CheckValue(tag, position);
    else
      CheckWord(tag, position);
  }
  FUZZ_CHECK(position == tag.size());
  return 0;
}
