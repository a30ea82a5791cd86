#include "search/TextBlockSearch.h"

#include <cstring>
#include <utility>

#include "cache/Text.h"
#include "platform/FileScan.h"

namespace pagehold {

namespace {

unsigned char Byte(char c) {
  return static_cast<unsigned char>(c);
}

}  // namespace

PageTextFinder::PageTextFinder(std::string lowerPattern) : pattern_(std::move(lowerPattern)) {
  const std::size_t length = pattern_.size();
  shift_.fill(length);
  const auto setShift = [this](char c, std::size_t shift) {
    shift_[Byte(c)] = shift;
    if (c >= 'a' && c <= 'z')
      shift_[Byte(static_cast<char>(c - 'a' + 'A'))] = shift;
  };
  for (std::size_t i = 0; i + 1 < length; ++i)
    setShift(pattern_[i], length - 1 - i);
  if (length > 0) {
    // A byte that matches the last character stops the skipping; after a failed comparison
    // the text moves on by the shift that character would have had.
    lastShift_ = shift_[Byte(pattern_.back())];
    setShift(pattern_.back(), 0);
  }
}

// Moves the text along the block by the shift of the byte under its last character until that
// byte matches the last character, then compares the rest with the block lower-cased, without
// copying the block.
bool PageTextFinder::InBlock(std::string_view block) const {
  if (const void* zero = std::memchr(block.data(), '\0', block.size()))
    block =
        block.substr(0, static_cast<std::size_t>(static_cast<const char*>(zero) - block.data()));
  const std::size_t length = pattern_.size();
  if (length == 0)
    return true;
  if (block.size() < length)
    return false;
  const std::size_t lastStart = block.size() - length;  // the last place the text can start
  for (std::size_t at = 0;;) {
    for (std::size_t shift; (shift = shift_[Byte(block[at + length - 1])]) != 0;) {
      at += shift;
      if (at > lastStart)
        return false;
    }
    std::size_t i = 0;
    while (i + 1 < length && LowerChar(block[at + i]) == pattern_[i])
      ++i;
    if (i + 1 == length && LowerChar(block[at + i]) == pattern_[i])
      return true;
    at += lastShift_;
    if (at > lastStart)
      return false;
  }
}

bool PageTextFinder::InFile(const std::string& path, FileScanner& files) const {
  ScannedFile file = files.Open(path);
  if (!file)
    return false;
  // Read many blocks at a time, so that a page costs one read instead of one per block; the
  // blocks searched are the same. The last block is the short one (perhaps empty) after the
  // whole ones; a short read ends the page as a short block does.
  std::array<char, 32 * kTextSearchBlockSize> piece;
  for (;;) {
    const std::size_t got = file.Read(piece);
    const std::string_view read(piece.data(), got);
    std::size_t offset = 0;
    for (; offset + kTextSearchBlockSize <= got; offset += kTextSearchBlockSize) {
      if (InBlock(read.substr(offset, kTextSearchBlockSize)))
        return true;
    }
    if (got < piece.size())
      return InBlock(read.substr(offset));
  }
}

}  // namespace pagehold
