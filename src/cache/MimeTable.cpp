// The MIME table and the content kinds.
//
// Row numbers are stored in archive.dat, so the table only ever grows: the 72 built-in rows come
// first in a fixed order, then the rows remembered in MIMETYPE.DAT (one type per line after a
// header line that is never interpreted), then types met while the program runs, which are
// appended to MIMETYPE.DAT at once so that the next run numbers them the same way.
//
// Only 255 rows are distinguishable in a stored record (a row past 255 would wrap onto a
// built-in row), so no row past 255 is ever given out, and only text with the media type
// syntax becomes a row: garbage from a damaged cache would use the rows up for good.
//
// Lookup ignores the case of A-Z and the first matching row wins; an index of lower-cased names
// that keeps the first row of each name gives that answer without walking the table for every
// cache entry.
#include "cache/MimeTable.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "cache/Text.h"
#include "cache/Url.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace pagehold {
namespace {

constexpr std::array<std::string_view, 72> kBuiltInTypes = {
    "text/html",
    "image/gif",
    "image/jpeg",
    "text/plain",
    "text/richtext",
    "image/x-xbitmap",
    "image/xbitmap",
    "image/pjpeg",
    "image/tiff",
    "image/ief",
    "image/x-xwindowdump",
    "image/x-ms-bmp",
    "image/xbm",
    "image/x-xpixmap",
    "image/x-rgb",
    "image/x-portable-pixmap",
    "image/x-portable-graymap",
    "image/x-portable-bitmap",
    "image/x-portable-anymap",
    "image/x-cmu-raster",
    "video/x-sgi-movie",
    "video/x-msvideo",
    "video/quicktime",
    "video/mpeg",
    "video/avi",
    "audio/x-wav",
    "audio/wav",
    "audio/x-aiff",
    "audio/x-midi",
    "audio/x-pn-realaudio",
    "audio/aiff",
    "audio/basic",
    "application/msword",
    "application/x-troff-man",
    "application/x-sh",
    "application/x-latex",
    "application/x-csh",
    "application/rtf",
    "application/postscript",
    "application/octet-stream",
    "application/x-stuffit",
    "application/mac-binhex40",
    "application/fractals",
    "application/x-zip-compressed",
    "application/x-ns-proxy-autoconfig",
    "application/x-javascript",
    "application/x-tar",
    "application/x-gtar",
    "application/x-gzip",
    "application/x-compress",
    "application/x-mocha",
    "application/x-tcl",
    "application/x-cpio",
    "application/x-shar",
    "application/x-texinfo",
    "application/x-tex",
    "application/x-dvi",
    "application/octet-string",
    "application/x-msdownload",
    "application/zip",
    "www/unknown",
    "x-world/x-vrml",
    "audio/midi",
    "audio/x-mid",
    "image/fif",
    "image/png",
    "application/pdf",
    "application/x-httpd-cgi",
    "application/x-java-class",
    "application/x-gocserve",
    "application/x-tvml",
    "application/exe",
};

constexpr std::string_view kDatFileName = "MIMETYPE.DAT";
constexpr std::string_view kDatHeader = "ADDITIONAL MIMETYPES INFO. DO NOT EDIT OR REMOVE!";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kDatLineLimit = 255;
constexpr std::string_view kUnknownTypeName = "text/plain";
constexpr std::string_view kOtherFolder = "other";
// What becomes of a type that can have no row of its own, said after the reason.
constexpr std::string_view kWithoutRowOfItsOwn =
    ": such a type takes the row of its type without parameters, or that of "
    "application/octet-stream";
// A type with no row of its own is still archived, under the type that says least about it.
constexpr int kOctetStreamRow = 40;
static_assert(kBuiltInTypes[kOctetStreamRow - 1] == "application/octet-stream");

// Content types are trimmed of everything that is not printable ASCII without the space.
bool IsTypeCharacter(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 33 && code <= 126;
}

// The characters of an HTTP token.
bool IsTokenCharacter(char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
    return true;
  return std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

bool IsControlCharacter(char c) {
  const auto code = static_cast<unsigned char>(c);
  return (code < 32 && c != '\t') || code == 127;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Takes a token from the front of text; false when there is none.
bool TakeToken(std::string_view& text) {
  std::size_t length = 0;
  while (length < text.size() && IsTokenCharacter(text[length]))
    ++length;
  text.remove_prefix(length);
  return length > 0;
}

// type "/" subtype, then optionally blanks and ";" parameters. What the parameters say is
// only part of the row's name, so they are held to one rule alone: no control bytes.
bool IsMediaTypeSyntax(std::string_view type) {
  if (!TakeToken(type) || type.empty() || type.front() != '/')
    return false;
  type.remove_prefix(1);
  if (!TakeToken(type))
    return false;
  while (!type.empty() && IsBlank(type.front()))
    type.remove_prefix(1);
  if (type.empty())
    return true;
  return type.front() == ';' &&
         std::none_of(type.begin(), type.end(), [](char c) { return IsControlCharacter(c); });
}

// The type without its parameters: up to the first ";", without blanks around it.
std::string_view WithoutParameters(std::string_view type) {
  type = type.substr(0, type.find(';'));
  while (!type.empty() && IsBlank(type.front()))
    type.remove_prefix(1);
  while (!type.empty() && IsBlank(type.back()))
    type.remove_suffix(1);
  return type;
}

// A row names an HTML page when its type without parameters is text/html in any letter case.
bool NamesHtmlPage(std::string_view type) {
  return LowerCase(WithoutParameters(type)) == kBuiltInTypes[0];
}

std::string_view TrimToTypeCharacters(std::string_view text) {
  while (!text.empty() && !IsTypeCharacter(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && !IsTypeCharacter(text.back()))
    text.remove_suffix(1);
  return text;
}

// A folder name that stays one safe path component: not empty, not made of dots, and only of
// the characters a domain folder may hold.
bool IsSafeFolderName(std::string_view name) {
  return !name.empty() && DomainFromHost(name) == name;
}

}  // namespace

std::vector<std::string> ParseMimeTypeDat(std::string_view text) {
  std::vector<std::string> rows;
  bool header = true;
  std::size_t lineStart = 0;
  while (lineStart < text.size()) {
    std::size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string_view::npos)
      lineEnd = text.size();
    std::string_view line = text.substr(lineStart, lineEnd - lineStart);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    if (!header)
      rows.emplace_back(line.substr(0, kDatLineLimit));
    header = false;
    lineStart = lineEnd + 1;
  }
  return rows;
}

TMimeTable::TMimeTable(std::string dataFolder) : datPath_(JoinPath(dataFolder, kDatFileName)) {
  for (std::string_view type : kBuiltInTypes)
    AddRow(std::string(type));
  if (const Result<std::string> text = ReadWholeFile(datPath_))
    for (std::string& type : ParseMimeTypeDat(*text))
      AddRow(std::move(type));
}

void TMimeTable::AddRow(std::string type) {
  rowOfLowerName_.emplace(LowerCase(type), static_cast<int>(rows_.size()) + 1);
  htmlRows_.push_back(NamesHtmlPage(type));
  rows_.push_back(std::move(type));
}

bool TMimeTable::IsHtmlPage(int index) const {
  return index >= 1 && index <= Size() && htmlRows_[static_cast<std::size_t>(index - 1)];
}

std::vector<std::string> TMimeTable::TakeNotices() {
  return std::exchange(notices_, {});
}

int TMimeTable::MimeIndexOf(std::string_view contentType) {
  std::string_view type = TrimToTypeCharacters(contentType);
  if (type.empty())
    type = kBuiltInTypes[0];
  // A type is looked up as MIMETYPE.DAT will give it back in the next run: one line of at most
  // 255 characters. Otherwise a long type would get a new row in every run.
  type = type.substr(0, kDatLineLimit);
  if (!IsMediaTypeSyntax(type))
    return 0;
  const auto found = rowOfLowerName_.find(LowerCase(type));
  if (found != rowOfLowerName_.end() && found->second <= kDistinguishableRows)
    return found->second;
  // A new row is given out only once MIMETYPE.DAT holds it: a number stored in archive.dat
  // must name the same type in every later run.
  if (found == rowOfLowerName_.end() && Size() < kDistinguishableRows) {
    if (!unkept_ && RememberType(type)) {
      AddRow(std::string(type));
      return Size();
    }
  } else if (!full_) {
    full_ = true;
    notices_.push_back("the MIME table has no row left for " + std::string(type) +
                       " (a stored record tells only " + std::to_string(kDistinguishableRows) +
                       " rows apart)" + std::string(kWithoutRowOfItsOwn));
  }
  return RowWithoutParameters(type);
}

int TMimeTable::RowWithoutParameters(std::string_view type) const {
  const auto found = rowOfLowerName_.find(LowerCase(WithoutParameters(type)));
  return found != rowOfLowerName_.end() && found->second <= kDistinguishableRows ? found->second
                                                                                 : kOctetStreamRow;
}

bool TMimeTable::RememberType(std::string_view type) {
  const std::string folder = FolderPart(datPath_);
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(folder), error);
  Status written = error ? Status(Failure::FromErrorCode(folder, error)) : Status();
  if (written) {
    const bool exists = FileExists(datPath_);
    std::string lines;
    if (!exists)
      lines.append(kDatHeader).append(kLineEnd);
    lines.append(type).append(kLineEnd);
    Result<FileHandle> file = FileHandle::Open(datPath_, exists ? "ab" : "wb");
    written = file ? file->Write(lines) : file.status();
    if (written)
      written = file->Close();
  }
  if (written)
    return true;
  unkept_ = true;
  notices_.push_back("MIME types new to the table cannot be kept (" + written.failure().Describe() +
                     ")" + std::string(kWithoutRowOfItsOwn));
  return false;
}

std::string TMimeTable::MimeTypeName(int index) const {
  if (index < 1 || index > Size())
    return std::string(kUnknownTypeName);
  return rows_[index - 1];
}

std::string TMimeTable::MimeTypeFolder(int index) const {
  const std::string name = MimeTypeName(index);
  const std::size_t slash = name.find('/');
  if (slash == std::string::npos)
    return std::string(kOtherFolder);
  // A type comes from whatever the server sent; its major part becomes a folder of the archive
  // only when it is one plain path component.
  const std::string folder = name.substr(0, slash);
  return IsSafeFolderName(folder) ? folder : std::string(kOtherFolder);
}

ContentKindValue ContentKindOf(std::string_view contentType) {
  const std::string_view head = contentType.substr(0, 5);
  if (head == "text/")
    return Text;
  if (head == "video" || head == "image" || head == "audio")
    return Media;
  return Other;
}

}  // namespace pagehold
