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
  std::transform(block.begin(), block.end(), lowered, [](char c) { return LowerChar(c); });
  return std::string_view(lowered, block.size()).find(lowerPattern) != std::string_view::npos;
}

bool FileContainsText(const std::string& path, std::string_view lowerPattern) {
  const Result<FileHandle> file = FileHandle::Open(path, "rb");
  if (!file)
    return false;
  // Read many blocks at a time, so that a page costs one read instead of one per block; the
  // blocks searched are the same. The last block is the short one (perhaps empty) after the
  // whole ones.
  std::array<char, 32 * kTextSearchBlockSize> piece;
  for (;;) {
    const size_t got = std::fread(piece.data(), 1, piece.size(), file->get());
    const std::string_view read(piece.data(), got);
    size_t offset = 0;
    for (; offset + kTextSearchBlockSize <= got; offset += kTextSearchBlockSize) {
      if (BlockContainsText(read.substr(offset, kTextSearchBlockSize), lowerPattern))
        return true;
    }
    if (got < piece.size())
      return BlockContainsText(read.substr(offset), lowerPattern);
  }
}

}  // namespace pagehold
