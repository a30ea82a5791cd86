// Single-byte text helpers. Case folding touches the letters A-Z only: bytes of 128 and above
// belong to whatever code page the browser used and are left alone.
#pragma once

#include <string>
#include <string_view>

namespace pagehold {

inline char UpperChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char LowerChar(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// Equality and ordering without regard to the case of A-Z.
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
bool StartsWithText(std::string_view text, std::string_view prefix);  // prefix any case

// Drop leading/trailing bytes of code 32 or less (spaces and control characters).
std::string TrimBlanks(std::string_view text);
std::string TrimLeftBlanks(std::string_view text);
std::string TrimRightBlanks(std::string_view text);
// The same part of text, without a copy.
std::string_view TrimmedBlanks(std::string_view text);

// Parses a whole text as a signed decimal integer; false when it is not one (empty, stray
// characters, out of the 32-bit range).
bool ParseInt(std::string_view text, int& value);

}  // namespace pagehold
