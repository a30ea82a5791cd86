#include "sources/NavigatorTextIndex.h"

#include <algorithm>
#include <vector>

#include "cache/Text.h"

namespace pagehold {

namespace {

constexpr size_t kHeaderMarkLength = 10;
constexpr size_t kTimeDigits = 12;
constexpr size_t kUrlCut = 255;
constexpr size_t kContentTypeCut = 50;
constexpr size_t kFieldsPerLine = 7;

bool IsFieldChar(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 32 && byte <= 126;
}

// The file name part of a cached file's path. Indexes written on Windows use "\" and drive
// colons; "/" is accepted as well so that an index written on a Unix system names its files
// the same way.
std::string FileNameOfPath(std::string_view path) {
  const size_t last = path.find_last_of("\\:/");
  return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

}  // namespace

bool IsTextIndexLineEnd(char c) {
  return c == '\r' || c == '\n';
}

bool IsBlankTextIndexLine(std::string_view line) {
  return std::none_of(line.begin(), line.end(), IsFieldChar);
}

bool IsTextIndexHeader(std::string_view fileStart) {
  const size_t lineEnd = fileStart.find_first_of("\r\n");
  const std::string_view firstLine = fileStart.substr(0, lineEnd);
  const std::string mark = UpperCase(firstLine.substr(0, kHeaderMarkLength));
  return mark == "MCOM-CACHE" || mark == "MOSAIC-COM";
}

size_t ReadTextIndexLine(std::string_view text, size_t at, std::string& line) {
  line.clear();
  while (at < text.size() && IsTextIndexLineEnd(text[at]))
    ++at;
  while (at < text.size() && line.size() < kTextIndexLineLimit) {
    line += text[at++];
    if (IsTextIndexLineEnd(line.back()))
      return at;
  }
  // A line longer than the limit: the rest up to its end is consumed and lost.
  while (at < text.size() && !IsTextIndexLineEnd(text[at]))
    ++at;
  if (at < text.size())
    ++at;
  return at;
}

std::optional<NavigatorEntryFields> ParseTextIndexLine(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t at = 0;
  while (fields.size() < kFieldsPerLine) {
    while (at < line.size() && !IsFieldChar(line[at]))
      ++at;
    if (at >= line.size())
      return std::nullopt;
    const size_t begin = at;
    while (at < line.size() && IsFieldChar(line[at]))
      ++at;
    fields.push_back(line.substr(begin, at - begin));
  }
  // at is just past field 7: the character there ends it, and one more must follow.
  if (line.size() < at + 2)
    return std::nullopt;

  NavigatorEntryFields entry;
  int time = 0;
  if (!ParseInt(fields[2].substr(0, kTimeDigits), time))
    time = 0;
  entry.time = time;
  entry.cacheFileName = FileNameOfPath(fields[3]);
  entry.url = std::string(fields[4].substr(0, kUrlCut));
  entry.contentType = LowerCase(fields[5].substr(0, kContentTypeCut));
  return entry;
}

}  // namespace pagehold
