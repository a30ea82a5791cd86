// The two tag scanners that link rewriting uses to walk the words and attribute values of one
// tag. Both step forward before they look: the character at the starting position has already
// been dealt with by the previous call (it is the character that ended a word or a value), so a
// scan from position 0 starts with the tag's first character.
#include <string>
#include <string_view>

#include "cache/HtmlScan.h"
#include "cache/Text.h"

namespace pagehold {

namespace {

// The character at a 1-based position.
char At(std::string_view tag, std::size_t position) {
  return tag[position - 1];
}

// "!" and everything from "#" to ";" and from "?" to "~": printable ASCII except space, the
// double quote, "<", "=" and ">".
bool IsWordCharacter(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code == '!' || (code >= '#' && code <= ';') || (code >= '?' && code <= '~');
}

// Characters that lie between attribute values and never start one.
bool IsPassedOver(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code <= 32 || c == '<' || c == '=' || c == '>' || code >= 127;
}

bool EndsQuotedValue(char c) {
  return c == ' ' || c == '"' || c == '\'' || c == '<' || c == '>';
}

bool EndsUnquotedValue(char c) {
  return c == ' ' || c == '"' || c == '<' || c == '>';
}

bool IsDropped(char c) {
  return static_cast<unsigned char>(c) < 32;
}

}  // namespace

std::string NextTagWord(std::string_view tag, std::size_t& position) {
  const std::size_t n = tag.size();
  if (position >= n) {
    position = n;
    return {};
  }
  do {
    ++position;
  } while (position < n && !IsWordCharacter(At(tag, position)));
  std::string word;
  if (position < n) {
    // The character at n (normally the closing ">") is never part of a word.
    do {
      word += UpperChar(At(tag, position));
      ++position;
    } while (position < n && IsWordCharacter(At(tag, position)));
  }
  return word;
}

std::string NextAttributeValue(std::string_view tag, std::size_t& position, std::size_t& start) {
  const std::size_t n = tag.size();
  if (position >= n) {
    position = n;
    start = n;
    return {};
  }
  do {
    ++position;
  } while (position < n && IsPassedOver(At(tag, position)));
  if (position >= n) {
    start = n;
    return {};
  }

  std::string value;
  const char first = At(tag, position);
  if (first == '"' || first == '\'') {
    // A quoted value ends at its first space even inside the quotes, and at either quote.
    start = position;
    while (++position < n && !EndsQuotedValue(At(tag, position))) {
      if (!IsDropped(At(tag, position)))
        value += At(tag, position);
    }
    return TrimBlanks(value);
  }

  // An unquoted value takes a single quote and "=" as ordinary characters.
  start = position - 1;
  value += first;
  while (++position < n && !EndsUnquotedValue(At(tag, position))) {
    if (!IsDropped(At(tag, position)))
      value += At(tag, position);
  }
  return value;
}

}  // namespace pagehold
