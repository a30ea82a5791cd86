// The MIME table: 72 built-in types in a fixed order, then the types remembered in
// MIMETYPE.DAT, then types added while the program runs. Row numbers count from 1 and stay
// stable across runs, because archive.dat stores them.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cache/CacheItem.h"

namespace pagehold {

class TMimeTable {
 public:
  // Builds the built-in rows and appends the rows of MIMETYPE.DAT in dataFolder, if any.
  explicit TMimeTable(std::string dataFolder);

  // Rows that a stored record tells apart: it keeps only the low 8 bits of a row number, so
  // row 256 would read back as no row and row 257 as "text/html".
  static constexpr int kDistinguishableRows = 255;
  // The first built-in row, "text/html".
  static constexpr int kHtmlRow = 1;

  // Row of the content type, appending it to the table and to MIMETYPE.DAT when it is new and
  // usable; 0 when the text is not a usable type. Blanks and control bytes around the type are
  // ignored, and an empty type is "text/html". A usable type has the media type syntax of HTTP:
  // a token, "/", a token, then optionally blanks and ";" parameters, none of it holding a
  // control byte. Types are cut to 255 characters, the longest line MIMETYPE.DAT gives back.
  // A new type gets a row of its own only when MIMETYPE.DAT keeps it and the row is one of the
  // distinguishable ones, since a stored record must name the same type in every later run.
  // Otherwise it takes the row of its type without parameters when that has one (a page sent
  // with a character set never met before is still a page), else that of
  // "application/octet-stream", so that its items are still archived; TakeNotices() says why,
  // once. After one failure to write MIMETYPE.DAT no later type is written either.
  int MimeIndexOf(std::string_view contentType);

  // True when the row is an HTML page: "text/html", also with parameters after a ";" (such as
  // a character set), in any letter case. Such pages have their titles taken, their links
  // rewritten and their text searched.
  bool IsHtmlPage(int index) const;

  // The lines not yet taken that tell the person what the table could not do: keep new rows
  // in MIMETYPE.DAT, or give a new type a row of its own. Each is given once per run.
  std::vector<std::string> TakeNotices();

  const std::string& DatPath() const { return datPath_; }

  // Type name of a row; "text/plain" for 0 or a row beyond the table.
  std::string MimeTypeName(int index) const;

  // Folder of a row in an archive: the type name before its first "/", "other" without one.
  // A major type that is not one plain folder name (empty, only dots, or holding a character
  // outside the domain character set, such as a backslash or ":") also gives "other".
  std::string MimeTypeFolder(int index) const;

  int Size() const { return static_cast<int>(rows_.size()); }

 private:
  void AddRow(std::string type);
  // The row a type gets when it can have none of its own: that of its type without
  // parameters, or that of "application/octet-stream".
  int RowWithoutParameters(std::string_view type) const;
  // Appends the type to MIMETYPE.DAT, creating it (and its folder) with its header line when
  // it is missing; false, with a notice, when that fails.
  bool RememberType(std::string_view type);

  std::string datPath_;
  std::vector<std::string> rows_;
  std::vector<bool> htmlRows_;
  bool unkept_ = false;               // MIMETYPE.DAT could not be written; no later row is tried
  bool full_ = false;                 // a type met the table with no distinguishable row left
  std::vector<std::string> notices_;  // not yet taken
  std::unordered_map<std::string, int> rowOfLowerName_;  // first row of each lower-cased name
};

// The rows of MIMETYPE.DAT's text: every line after the first, each cut to 255 characters.
// Lines end with CR LF; a bare LF is accepted too, and a last line without a line end counts.
std::vector<std::string> ParseMimeTypeDat(std::string_view text);

ContentKindValue ContentKindOf(std::string_view contentType);

}  // namespace pagehold
