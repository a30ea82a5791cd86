// A small, forgiving HTML scanner working byte by byte on whatever the browser cached: no
// parser, no entity decoding, no character sets.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pagehold {

// The page title (at most 100 characters) of the file at path, or empty.
std::string ExtractTitle(const std::string& path);
std::string ExtractTitleFromBytes(std::string_view page);

// Tag scanners over one tag's text (the characters after "<" up to and including ">", at most
// 255 characters). Positions count from 1, as in the tag-rewriting algorithm that uses them:
// position p names tag[p - 1], and "p reaches n" means p == tag.size(). Both scanners step
// forward before they look, so the character at the position passed in is not examined (it is
// the one that ended the previous word or value), and a scan from position 0 begins with the
// tag's first character. The character at n is never part of a word or value.

// The next word, upper-cased; position is left on the first character after it (or at n).
std::string NextTagWord(std::string_view tag, std::size_t& position);

// The next attribute value. start receives the position just before the value's first
// character (a quoted value's opening quote); position is left on the character that ended the
// value (or at n). With no value left, the result is empty and start equals position equals n.
std::string NextAttributeValue(std::string_view tag, std::size_t& position, std::size_t& start);

}  // namespace pagehold
