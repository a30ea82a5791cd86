#include "sources/CachedFileCheck.h"

#include <filesystem>
#include <system_error>

#include "platform/Paths.h"

namespace pagehold {

CachedFileCheck::CachedFileCheck(const std::string& cacheFolder, OwnFileName isOwnFile)
    : isOwnFile_(std::move(isOwnFile)) {
  if (!cacheFolder.empty())
    boundary_.emplace(cacheFolder);
}

bool CachedFileCheck::Holds(const std::string& path) {
  return !boundary_ || boundary_->Holds(path);
}

std::optional<SkipReason> CachedFileCheck::Check(const std::string& path) {
  if (!Holds(path))
    return SkipReason::LinkOutside;  // a folder on the way leads out of the cache
  const std::optional<FolderListing::Kind> kind = files_.KindOf(path);
  if (!kind)
    return SkipReason::NoCachedFile;
  return CheckListed(path, *kind);
}

std::optional<SkipReason> CachedFileCheck::Check(const std::string& path,
                                                 FolderListing::Kind listedKind) {
  if (!Holds(path))
    return SkipReason::LinkOutside;
  return CheckListed(path, listedKind);
}

std::optional<SkipReason> CachedFileCheck::CheckListed(const std::string& path,
                                                       FolderListing::Kind kind) {
  if (kind == FolderListing::Kind::Folder)
    return SkipReason::NoCachedFile;
  std::string name = FileNamePart(path);
  if (kind == FolderListing::Kind::Other) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    if (error)
      return SkipReason::NoCachedFile;  // a link to nothing
    if (!Holds(target.string()))
      return SkipReason::LinkOutside;
    if (std::filesystem::is_directory(target, error) || error)
      return SkipReason::NoCachedFile;
    name = target.filename().string();
  }
  if (isOwnFile_(name))
    return SkipReason::CacheOwnFile;
  return std::nullopt;
}

}  // namespace pagehold
