// Whether a cached file that an index entry names may become an item's file.
//
// A cache folder copied from elsewhere, or prepared by someone else, can hold symbolic links:
// a cached file, or a whole sub-folder, that leads to a file outside the cache. Reading through
// such a link would copy an unrelated file into the archive, so a file counts only when it lies
// inside the cache folder once every link is followed. The cache's own files (its index, and
// for some caches files it keeps in every folder) are never items either: deleting such an
// "item" would destroy the cache itself.
//
// Each folder is listed and resolved once; only a name that the listing shows as a link costs
// a query of its own.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FolderBoundary.h"
#include "platform/FolderListing.h"
#include "sources/CacheReading.h"

namespace pagehold {

class CachedFileCheck {
 public:
  // True for the name of one of the cache's own files (the name of the file itself, after any
  // link to it is followed).
  using OwnFileName = std::function<bool(std::string_view name)>;

  // An empty cacheFolder sets no bounds (a cache that the system keeps wherever it likes).
  CachedFileCheck(const std::string& cacheFolder, OwnFileName isOwnFile);

  // Nothing when the file at path may be read as an item's file; otherwise why not: no file
  // (missing, a folder, or a link to nothing), a link out of the cache folder, or one of the
  // cache's own files.
  std::optional<SkipReason> Check(const std::string& path);

  // As Check, for a file whose folder listing the caller already holds: listedKind is what
  // that listing told of the file's name.
  std::optional<SkipReason> Check(const std::string& path, FolderListing::Kind listedKind);

 private:
  bool Holds(const std::string& path);
  // The checks after the bounds of the file's folder, given what its listing told.
  std::optional<SkipReason> CheckListed(const std::string& path, FolderListing::Kind kind);

  std::optional<FolderBoundary> boundary_;
  ListedFiles files_;
  OwnFileName isOwnFile_;
};

}  // namespace pagehold
