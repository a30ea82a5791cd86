// The MIME table: 72 built-in types in a fixed order, then the types remembered in
// MIMETYPE.DAT beside the program, then types added while the program runs. Row numbers count
// from 1 and stay stable across runs, because archive.dat stores them.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cache/CacheItem.h"

namespace pagehold {

class TMimeTable {
 public:
  // Builds the built-in rows and appends the rows of MIMETYPE.DAT in programFolder, if any.
  explicit TMimeTable(std::string programFolder);

  // Row of the content type, appending it to the table and to MIMETYPE.DAT when it is new and
  // usable; 0 when the text is not a usable type. Types are cut to 255 characters, the longest
  // line MIMETYPE.DAT gives back; a type holding a line break is not usable. Throws
  // std::runtime_error when MIMETYPE.DAT cannot be written (the new row stays in the table).
  int MimeIndexOf(std::string_view contentType);

  // Type name of a row; "text/plain" for 0 or a row beyond the table.
  std::string MimeTypeName(int index) const;

  // Folder of a row in an archive: the type name before its first "/", "other" without one.
  // A major type that is not one plain folder name (empty, only dots, or holding a character
  // outside the domain character set, such as a backslash or ":") also gives "other".
  std::string MimeTypeFolder(int index) const;

  int Size() const { return static_cast<int>(rows_.size()); }

 private:
  void AddRow(std::string type);
  // Appends the type to MIMETYPE.DAT, creating it with its header line when it is missing.
  void RememberType(std::string_view type) const;

  std::string datPath_;
  std::vector<std::string> rows_;
  std::unordered_map<std::string, int> rowOfLowerName_;  // first row of each lower-cased name
};

ContentKindValue ContentKindOf(std::string_view contentType);

}  // namespace pagehold
