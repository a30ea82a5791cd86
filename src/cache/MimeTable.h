// The MIME table: 72 built-in types in a fixed order, then the types remembered in
// MIMETYPE.DAT, then types added while the program runs, 255 rows at most. Row numbers count
// from 1 and stay stable across runs, because archive.dat stores them.
#pragma once

#include <optional>
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

  // Row of the content type, appending it to the table and to MIMETYPE.DAT when it is new and
  // usable; 0 when the text is not a usable type. Blanks and control bytes around the type are
  // ignored, and an empty type is "text/html". A usable type has the media type syntax of HTTP:
  // a token, "/", a token, then optionally blanks and ";" parameters, none of it holding a
  // control byte. Types are cut to 255 characters, the longest line MIMETYPE.DAT gives back.
  // When MIMETYPE.DAT cannot be written, the new row still holds for this run, no later row is
  // written either (so that the rows kept on disk keep their numbers), and
  // TakeUnkeptRowsNotice() says so once. Once the table holds 255 rows, a new type gets the row
  // of its type without parameters, or "application/octet-stream" when that is no row either,
  // and TakeUnkeptRowsNotice() says so once.
  int MimeIndexOf(std::string_view contentType);

  // True when the row is an HTML page: "text/html", also with parameters after a ";" (such as
  // a character set), in any letter case. Such pages have their titles taken, their links
  // rewritten and their text searched.
  bool IsHtmlPage(int index) const;

  // One line saying, once each, that new types hold for this run only and why (after
  // MIMETYPE.DAT could not be written), and that the table was full for a new type. Nothing
  // when neither happened since the last call.
  std::optional<std::string> TakeUnkeptRowsNotice();

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
  int FullTableRow(std::string_view type);
  // Appends the type to MIMETYPE.DAT, creating it (and its folder) with its header line when
  // it is missing.
  void RememberType(std::string_view type);

  std::string datPath_;
  std::vector<std::string> rows_;
  std::vector<bool> htmlRows_;
  std::optional<std::string> unkeptReason_;  // why MIMETYPE.DAT could not be written
  bool unkeptNoticeGiven_ = false;
  bool fullTableMet_ = false;
  bool fullTableNoticeGiven_ = false;
  std::unordered_map<std::string, int> rowOfLowerName_;  // first row of each lower-cased name
};

// The rows of MIMETYPE.DAT's text: every line after the first, each cut to 255 characters.
// Lines end with CR LF; a bare LF is accepted too, and a last line without a line end counts.
std::vector<std::string> ParseMimeTypeDat(std::string_view text);

ContentKindValue ContentKindOf(std::string_view contentType);

}  // namespace pagehold
