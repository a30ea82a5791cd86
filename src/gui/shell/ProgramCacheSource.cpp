#include "gui/shell/ProgramCacheSource.h"

#include "platform/UrlCacheFolder.h"
#include "sources/GivenCache.h"
#include "sources/NavigatorSource.h"
#include "sources/UrlCacheSource.h"

namespace pagehold {

Result<std::string> CheckGivenCache(Product product, const std::string& path) {
  return product == Product::Navigator ? NavigatorIndexGiven(path) : UrlCacheFolderGiven(path);
}

std::string CacheOfThisRun(const AppContext& context) {
  if (!context.givenCache.empty())
    return context.givenCache;
  if (context.product == Product::Navigator)
    return context.settings.NavigatorIndexPath;
#ifdef _WIN32
  // No folder: the system's own URL cache, read through WinINet.
  return {};
#else
  return DefaultUrlCacheFolder(*context.registry);
#endif
}

std::unique_ptr<CacheSource> MakeProgramCacheSource(AppContext& context) {
  if (context.product == Product::Navigator)
    return std::make_unique<NavigatorSource>(CacheOfThisRun(context), context.mimeTable);
  return std::make_unique<UrlCacheSource>(CacheOfThisRun(context), context.mimeTable);
}

}  // namespace pagehold
