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

// The characters from position first up to (not including) end, without the dropped ones.
std::string KeptCharacters(std::string_view tag, std::size_t first, std::size_t end) {
  std::string kept;
  kept.reserve(end - first);
  for (std::size_t position = first; position < end; ++position) {
    if (!IsDropped(At(tag, position)))
      kept += At(tag, position);
  }
  return kept;
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
  if (position >= n)
    return {};
  // The character at n (normally the closing ">") is never part of a word.
  const std::size_t first = position;
  do {
    ++position;
  } while (position < n && IsWordCharacter(At(tag, position)));
  std::string word(tag.substr(first - 1, position - first));
  for (char& c : word)
    c = UpperChar(c);
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

  const char first = At(tag, position);
  if (first == '"' || first == '\'') {
    // A quoted value ends at its first space even inside the quotes, and at either quote.
    start = position;
    while (++position < n && !EndsQuotedValue(At(tag, position))) {
    }
    std::string value = KeptCharacters(tag, start + 1, position);
    const std::string_view trimmed = TrimmedBlanks(value);
    if (trimmed.size() != value.size())
      value = std::string(trimmed);
    return value;
  }

  // An unquoted value takes a single quote and "=" as ordinary characters.
  start = position - 1;
  while (++position < n && !EndsUnquotedValue(At(tag, position))) {
  }
  return KeptCharacters(tag, start + 1, position);
}

}  // namespace pagehold
