#include "gui/shell/ProgramCacheSource.h"

#include "platform/UrlCacheFolder.h"
#include "sources/NavigatorSource.h"
#include "sources/UrlCacheSource.h"

namespace pagehold {

std::unique_ptr<CacheSource> MakeProgramCacheSource(AppContext& context) {
  if (context.product == Product::Navigator)
    return std::make_unique<NavigatorSource>(context.settings.NavigatorIndexPath,
                                             context.mimeTable);
  return std::make_unique<UrlCacheSource>(DefaultUrlCacheFolder(*context.registry),
                                          context.mimeTable);
}

}  // namespace pagehold
