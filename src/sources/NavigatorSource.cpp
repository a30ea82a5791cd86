#include "sources/NavigatorSource.h"

#include <filesystem>
#include <system_error>

#include "sources/NavigatorIndex.h"

namespace pagehold {

NavigatorSource::NavigatorSource(std::string indexPath, TMimeTable& mimeTable)
    : indexPath_(std::move(indexPath)), mimeTable_(mimeTable) {}

bool NavigatorSource::ReadCache(CacheList& list, Interaction& ui) {
  NavigatorIndexReader reader(mimeTable_, list, ui);
  return reader.ReadCacheIndex(indexPath_);
}

bool NavigatorSource::RemoveFromCache(const TCacheItem& item) {
  if (item.CacheFile.empty())
    return false;
  std::error_code error;
  return std::filesystem::remove(item.CacheFile, error) && !error;
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
