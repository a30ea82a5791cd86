// A registry file in REGEDIT4 text form, held line by line:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Corvane\Pagehold\General]
//   "Reindex directory"="C:\\Archive\\"
//   @="the key's unnamed value"
//
// Inside quotes a backslash and a double quote are written \\ and \". A string holding a
// carriage return, a line feed or a zero byte cannot stand between quotes on one line and is
// written in the hex(1) form (its bytes and a closing zero, as two-digit hex numbers separated
// by commas). Other typed values (dword:, hex:, hex(n):, possibly continued over several lines
// ending in a backslash) are not strings; they read as missing but are kept.
//
// Everything that is not understood (comments, damaged or half-written lines, keys of other
// programs) is kept as it stands and written back unchanged, so that a damaged file never
// costs the rest of its content. Key and value names match without regard to the case of A-Z.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pagehold {

class RegistryText {
 public:
  // Reads any text; never fails. A missing "REGEDIT4" header is tolerated.
  static RegistryText Parse(std::string_view text);

  // The file's text: the header (added when it was missing), then every line, each ended with
  // a carriage return and a line feed.
  std::string Format() const;

  // The string value under the full key path ("HKEY_CURRENT_USER\Software\..."). When a key or
  // value appears more than once the last one counts, as when the file is imported.
  std::optional<std::string> Find(std::string_view keyPath, std::string_view name) const;

  // Sets a string value, replacing the value that Find would read, or adding it to the last
  // section of the key, or adding the key at the end. False (and nothing changed) for a key
  // path or name holding a line end, which no line of the file could carry.
  bool Set(std::string_view keyPath, std::string_view name, std::string_view value);

 private:
  enum class Kind { Other, Header, Key, Value };
  struct Entry {
    Kind kind = Kind::Other;
    std::vector<std::string> lines;   // as written, without line ends
    std::string key;                  // Key: the path between the brackets, empty when damaged
    std::string name;                 // Value: its name, "" for the unnamed value
    std::optional<std::string> text;  // Value: the string, when it is a string value
  };

  // Index of the entry that Find reads, or entries_.size(). Both take a key path normalised once
  // by their caller.
  size_t FindValueEntry(std::string_view keyPath, std::string_view name) const;
  size_t InsertionPointInKey(std::string_view keyPath) const;

  std::vector<Entry> entries_;
};

// The line that stores a string value: "name"="text" or, for texts that cannot stand between
// quotes, "name"=hex(1):... An empty name is the unnamed value, written @.
std::string FormatRegistryValueLine(std::string_view name, std::string_view value);

}  // namespace pagehold
