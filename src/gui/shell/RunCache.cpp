#include "gui/shell/RunCache.h"

#include "platform/UrlCacheFolder.h"
#include "sources/GivenCache.h"

namespace pagehold {

Result<std::string> CheckGivenCache(Product product, const std::string& path) {
  return product == Product::Navigator ? NavigatorIndexGiven(path) : UrlCacheFolderGiven(path);
}

std::string CacheOfThisRun(const AppContext& context) {
  if (!context.givenCache.empty())
    return context.givenCache;
  return context.product == Product::Navigator ? context.settings.NavigatorIndexPath
                                               : DefaultUrlCacheFolder(*context.registry);
}

}  // namespace pagehold
