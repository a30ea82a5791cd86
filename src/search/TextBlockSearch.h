// Finding a piece of text in an archived page, block by block.
//
// The page is read in blocks of 2048 bytes and each block is searched by itself, as a
// zero-terminated text in lower case. So an occurrence that straddles two blocks is not found,
// and a zero byte inside a block hides the rest of that block. Searches of archives made and
// searched before give the same results this way, and no page is read further than its first
// hit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pagehold {

inline constexpr std::size_t kTextSearchBlockSize = 2048;

// True when the block, up to its first zero byte and lower-cased (A-Z only), contains the
// pattern. The pattern must already be in lower case; an empty pattern is found in any block.
bool BlockContainsText(std::string_view block, std::string_view lowerPattern);

// Reads the file block by block until the first block that contains the pattern (true), or the
// first block shorter than a whole block (false). A file that cannot be opened contains nothing.
bool FileContainsText(const std::string& path, std::string_view lowerPattern);

}  // namespace pagehold
