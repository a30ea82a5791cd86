// The older line-oriented Navigator cache index.
//
// The first line is a header beginning "MCOM-CACHE" or "MOSAIC-COM" in any letter case; every
// later line describes one entry. A line is read up to and including its first carriage return
// or line feed, at most 255 characters (the rest of a longer line is lost); line ends before a
// line are skipped. Fields are maximal runs of printable characters (byte values 32 to 126, so
// a space belongs to a field); every other byte separates fields, and a run of separators
// counts as one.
//   field 1, 2  ignored
//   field 3     last access, decimal seconds since 1970-01-01 (first 12 characters; 0 when
//               not a number)
//   field 4     path of the cached file; only its file name part is used
//   field 5     URL, first 255 characters
//   field 6     content type, lower-cased, first 50 characters
//   field 7     ignored
// A line is used only when at least one character follows the character that ends field 7.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sources/NavigatorIndexPage.h"

namespace pagehold {

inline constexpr size_t kTextIndexLineLimit = 255;

// True when the first 10 characters of the file's first line (fewer when the line is shorter),
// upper-cased, mark the text index. fileStart: the first bytes of the file.
bool IsTextIndexHeader(std::string_view fileStart);

// Reads the line that starts at or after at (line ends before it are skipped) and returns the
// position after it. line is empty at the end of the text.
size_t ReadTextIndexLine(std::string_view text, size_t at, std::string& line);

// The fields of a used line; nothing for a line that is not used.
std::optional<NavigatorEntryFields> ParseTextIndexLine(std::string_view line);

// True when the line holds no field at all (nothing but separators).
bool IsBlankTextIndexLine(std::string_view line);

// True for the characters that end a line: carriage return and line feed.
bool IsTextIndexLineEnd(char c);

}  // namespace pagehold
