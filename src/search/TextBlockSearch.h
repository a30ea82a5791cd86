// Finding a piece of text in an archived page, block by block.
//
// The page is read in blocks of 2048 bytes and each block is searched by itself, as a
// zero-terminated text in lower case. So an occurrence that straddles two blocks is not found,
// and a zero byte inside a block hides the rest of that block. Searches of archives made and
// searched before give the same results this way, and no page is read further than its first
// hit.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace pagehold {

class FileScanner;

inline constexpr std::size_t kTextSearchBlockSize = 2048;

// One text searched for in many blocks and pages. The text must already be in lower case; an
// empty text is found in any block.
class PageTextFinder {
 public:
  explicit PageTextFinder(std::string lowerPattern);

  // True when the block, up to its first zero byte and lower-cased (A-Z only), contains the
  // text.
  bool InBlock(std::string_view block) const;

  // Reads the file block by block until the first block that contains the text (true), or the
  // first block shorter than a whole block (false). A file that cannot be opened contains
  // nothing.
  bool InFile(const std::string& path, FileScanner& files) const;

 private:
  std::string pattern_;
  // How far the text can move on when the byte under its last character is a given byte
  // (both cases of a letter move alike), so that most bytes of a page are never compared; 0
  // for the last character itself.
  std::array<std::size_t, 256> shift_{};
  std::size_t lastShift_ = 1;
};

}  // namespace pagehold
