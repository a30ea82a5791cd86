#include "sources/NavigatorSource.h"

#include <filesystem>
#include <system_error>

#include "cache/Text.h"
#include "platform/FolderBoundary.h"
#include "platform/Paths.h"
#include "sources/NavigatorIndex.h"

namespace pagehold {

NavigatorSource::NavigatorSource(std::string indexPath, TMimeTable& mimeTable)
    : indexPath_(std::move(indexPath)), mimeTable_(mimeTable) {}

CacheReading NavigatorSource::ReadCache(Interaction& ui) {
  CacheReading reading;
  NavigatorIndexReader reader(mimeTable_, reading.items, ui);
  reading.report = reader.ReadCacheIndex(indexPath_);
  return reading;
}

namespace {

// True when deleting path would delete the index: the same name (letter case aside, for file
// systems that ignore it) naming the same file, also through a linked folder. Another name for
// it (a symbolic or hard link) is not: deleting that name leaves the index in place.
bool IsIndexFile(const std::string& path, const std::string& indexPath) {
  if (LowerCase(FileNamePart(path)) != LowerCase(FileNamePart(indexPath)))
    return false;
  std::error_code error;
  if (std::filesystem::is_symlink(path, error))
    return false;
  return std::filesystem::equivalent(path, indexPath, error) && !error;
}

}  // namespace

void NavigatorSource::RemoveFromCache(const ItemRefs& items, Interaction& ui,
                                      RemovalReport& report) {
  FolderBoundary cacheFolder(FolderPart(indexPath_));
  const auto removeOne = [&](const TCacheItem& item) -> Result<RemovalState> {
    if (item.CacheFile.empty())
      return Failure{item.Url, "names no cached file"};
    if (!cacheFolder.Holds(item.CacheFile))
      return Failure{item.CacheFile, "lies outside the cache folder (through a linked folder)"};
    if (IsIndexFile(item.CacheFile, indexPath_))
      return Failure{item.CacheFile, "is the cache index itself, which is never deleted"};
    return RemoveCachedFile(item.CacheFile);
  };
  RemoveEach(items, ui, removeOne, report);
}

std::vector<int> NavigatorSource::AgeNumbers(AgeUnit unit) const {
  switch (unit) {
    case AgeUnit::Hours:
      return {6, 12, 18};
    case AgeUnit::Days:
    case AgeUnit::Weeks:
      break;
  }
  return {1, 2, 3, 4, 5, 6};
}

}  // namespace pagehold
