#include "search/TextBlockSearch.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "cache/Text.h"
#include "platform/Files.h"

namespace pagehold {

bool BlockContainsText(std::string_view block, std::string_view lowerPattern) {
  const size_t end = block.find('\0');
  if (end != std::string_view::npos)
    block = block.substr(0, end);
  if (block.size() < lowerPattern.size())
    return false;
  // Lower-case into a block-sized scratch buffer; longer texts (not read from files) go
  // through a string.
  std::array<char, kTextSearchBlockSize> scratch;
  std::string longText;
  char* lowered = scratch.data();
  if (block.size() > scratch.size()) {
    longText.resize(block.size());
    lowered = longText.data();
  }
  std::transform(block.begin(), block.end(), lowered, LowerChar);
  return std::string_view(lowered, block.size()).find(lowerPattern) != std::string_view::npos;
}

bool FileContainsText(const std::string& path, std::string_view lowerPattern) {
  const Result<FileHandle> file = FileHandle::Open(path, "rb");
  if (!file)
    return false;
  std::array<char, kTextSearchBlockSize> block;
  for (;;) {
    const size_t got = std::fread(block.data(), 1, block.size(), file->get());
    if (BlockContainsText(std::string_view(block.data(), got), lowerPattern))
      return true;
    if (got < block.size())
      return false;
  }
}

}  // namespace pagehold
