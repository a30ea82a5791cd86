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
  return context.product == Product::Navigator ? context.settings.NavigatorIndexPath
                                               : DefaultUrlCacheFolder(*context.registry);
}

std::unique_ptr<CacheSource> MakeProgramCacheSource(AppContext& context) {
  if (context.product == Product::Navigator)
    return std::make_unique<NavigatorSource>(CacheOfThisRun(context), context.mimeTable);
  return std::make_unique<UrlCacheSource>(CacheOfThisRun(context), context.mimeTable);
}

}  // namespace pagehold
