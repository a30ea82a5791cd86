#include "sources/GivenCache.h"

#include <optional>

#include "cache/Text.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/UrlCacheFolder.h"
#include "sources/NavigatorIndex.h"
#include "sources/NavigatorLocation.h"
#include "sources/UrlCacheSource.h"

namespace pagehold {

namespace {

constexpr std::string_view kIndexDatName = "index.dat";

}  // namespace

Result<std::string> NavigatorIndexGiven(const std::string& path) {
  std::string index = path;
  if (IsFolder(path)) {
    index = CacheIndexInFolder(path);
    if (index.empty())
      return Failure{path, "the folder holds no Navigator cache index (Fat.db or Fat)"};
  }
  if (std::optional<std::string> refusal = NavigatorIndexFileRefusal(index))
    return Failure{"", std::move(*refusal)};
  return index;
}

Result<std::string> UrlCacheFolderGiven(const std::string& path) {
  std::string folder;
  if (IsFolder(path)) {
    folder = UrlCacheFolderIn(path);
  } else if (SameText(FileNamePart(path), kIndexDatName)) {
    folder = FolderPart(path);
  } else {
    // Another file: what it is said in the reading's words, and that the index must be named so.
    if (std::optional<std::string> refusal = UrlCacheIndexFileRefusal(path))
      return Failure{"", std::move(*refusal)};
    return Failure{path, "an Internet Explorer cache index is read only under the name index.dat"};
  }
  if (std::optional<std::string> refusal =
          UrlCacheIndexFileRefusal(JoinPath(folder, kIndexDatName)))
    return Failure{"", std::move(*refusal)};
  return folder;
}

}  // namespace pagehold
