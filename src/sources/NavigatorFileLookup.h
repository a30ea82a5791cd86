// Finds a cached file named by a cache index in the cache folder, also when the file's letter
// case on disk differs from the index's.
//
// A cache written on Windows and copied to a system whose file names tell letter case apart
// keeps the case its files had, while the index names them in any case (and the paged index's
// names are lower-cased when read). Each folder on the way is listed once and kept for the
// whole pass, so that a pass costs one listing per folder instead of a query of the file system
// per entry; only a name that the listing shows as a link is asked about on its own.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FolderListing.h"

namespace pagehold {

class CachedFileLookup {
 public:
  // folder: the cache folder, with its trailing separator.
  explicit CachedFileLookup(std::string folder);

  // The full path of the existing file that the relative name (either slash as separator)
  // names: the exact name where the folder holds it, else the name in the letter case it has
  // on disk; nothing when there is none. Names that would lead out of the cache folder
  // (absolute, a drive, a ".." step) are never found.
  std::optional<std::string> Find(std::string_view relativeName);

  // As Find, with what the folder's listing told of the file (a link's target is not told).
  struct Found {
    std::string path;
    FolderListing::Kind kind;
  };
  std::optional<Found> FindListed(std::string_view relativeName);

 private:
  FolderListing& ListingOf(const std::string& folder);

  std::string folder_;
  std::map<std::string, FolderListing> folders_;
};

// True when a relative name stays inside its folder: not empty, not absolute, no drive, and no
// "." or ".." step.
bool IsSafeRelativeName(std::string_view name);

}  // namespace pagehold
