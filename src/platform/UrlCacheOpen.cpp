#include "platform/UrlCache.h"
#include "platform/UrlCacheIndexDat.h"
#include "platform/UrlCacheWinInet.h"

namespace pagehold {

std::unique_ptr<UrlCache> OpenUrlCache(const std::string& cacheFolder) {
#ifdef _WIN32
  if (cacheFolder.empty())
    return std::make_unique<WinInetUrlCache>();
#endif
  return std::make_unique<IndexDatUrlCache>(cacheFolder);
}

}  // namespace pagehold
