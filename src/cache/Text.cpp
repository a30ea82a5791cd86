#include "cache/Text.h"

#include <charconv>

namespace pagehold {

std::string UpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    c = UpperChar(c);
  return result;
}

std::string LowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    c = LowerChar(c);
  return result;
}

bool SameText(std::string_view a, std::string_view b) {
  return CompareText(a, b) == 0;
}

int CompareText(std::string_view a, std::string_view b) {
  const size_t common = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(UpperChar(a[i]));
    const auto y = static_cast<unsigned char>(UpperChar(b[i]));
    if (x != y)
      return x < y ? -1 : 1;
  }
  if (a.size() == b.size())
    return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool StartsWithText(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size())
    return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (UpperChar(text[i]) != UpperChar(prefix[i]))
      return false;
  }
  return true;
}

static bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

namespace {

std::string_view WithoutLeftBlanks(std::string_view text) {
  size_t first = 0;
  while (first < text.size() && IsBlank(text[first]))
    ++first;
  return text.substr(first);
}

std::string_view WithoutRightBlanks(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1]))
    --end;
  return text.substr(0, end);
}

}  // namespace

std::string TrimLeftBlanks(std::string_view text) {
  return std::string(WithoutLeftBlanks(text));
}

std::string TrimRightBlanks(std::string_view text) {
  return std::string(WithoutRightBlanks(text));
}

std::string TrimBlanks(std::string_view text) {
  return std::string(TrimmedBlanks(text));
}

std::string_view TrimmedBlanks(std::string_view text) {
  return WithoutRightBlanks(WithoutLeftBlanks(text));
}

bool ParseInt(std::string_view text, int& value) {
  if (text.empty())
    return false;
  if (text.front() == '+')
    text.remove_prefix(1);
  int parsed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (error != std::errc() || end != text.data() + text.size())
    return false;
  value = parsed;
  return true;
}

}  // namespace pagehold
