// Names of archived copies: the base name each product derives for a new item, the counted names
// that resolve collisions (index.htm, index(1).htm, index(2).htm), and the search for a name
// that no other item of the archive folder uses.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "archive/ArchiveFile.h"

namespace pagehold {

// Working names are cut to this many characters, as the stored file names have always been.
inline constexpr std::size_t kMaxNameLength = 255;

// The file extension (without its dot) of a MIME table row: one of the 72 built-in rows, and
// "htm" for row 0 and every row beyond the built-in ones.
std::string_view ExtensionOfRow(int mimeIndex);

// The Navigator naming: the last path segment of the item's URL in its short form, with the
// extension of a page, a plain text or a GIF or JPEG picture replaced by the row's own, only the
// characters that are safe in a file name kept, and the row's extension added when the name
// would otherwise have none. A name made only of dots counts as empty (so it can never name a
// folder step).
std::string NameFromUrl(std::string_view url, int mimeIndex);

// The Internet Explorer naming: the name of the cached copy itself. Characters that no file
// name on Windows may hold are dropped; an empty result, or one made only of dots, gives
// "page.htm".
std::string NameFromCacheFile(std::string_view cacheFile);

// The next counted name after name: index.htm -> index(1).htm, a(7).gif -> a(8).gif,
// x().htm -> x()(1).htm, cut to 255 characters. A count too large to read (beyond the 32-bit
// range) is not a count: the name keeps it and gains "(1)".
std::string NextCountedName(std::string_view name);

// The name stem + "(count)" + extension, with the stem (and, if that is not enough, the
// extension) shortened so that the whole name holds at most 255 characters. Used when the
// counted names of a long name stop growing.
std::string CountedNameWithin(std::string_view stem, unsigned long long count,
                              std::string_view extension);

// Finds names for new items, one domain and type folder at a time: the base name when neither
// usedNames holds its key nor a file of that name exists, otherwise the first free counted name.
// Each chosen key is added to usedNames. fileExists is asked about names inside the folder.
// Names that cannot grow any more (near 255 characters) are counted on with a shortened stem.
class UniqueNamer {
 public:
  using FileExists = std::function<bool(const std::string&)>;

  explicit UniqueNamer(UsedNames& usedNames);

  std::string Take(std::string_view baseName, std::string_view domain, std::string_view typeFolder,
                   const FileExists& fileExists);

 private:
  UsedNames& usedNames_;
  // Domain, type folder and base name, as given -> the name the search for that base took last.
  std::unordered_map<std::string, std::string> lastTaken_;
};

// One name with a namer of its own.
std::string TakeUniqueName(std::string_view baseName, std::string_view domain,
                           std::string_view typeFolder, UsedNames& usedNames,
                           const UniqueNamer::FileExists& fileExists);

}  // namespace pagehold
