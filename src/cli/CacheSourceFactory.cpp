// Which cache source a command reads: the Navigator index file or the IE cache folder.
#include "cli/SourceOptions.h"
#include "sources/NavigatorSource.h"
#include "sources/UrlCacheSource.h"

namespace pagehold {

std::unique_ptr<CacheSource> MakeCacheSource(const SourceOptions& options, AppContext& context) {
  if (options.product == Product::Navigator)
    return std::make_unique<NavigatorSource>(options.sourcePath, context.mimeTable);
  return std::make_unique<UrlCacheSource>(options.sourcePath, context.mimeTable);
}

}  // namespace pagehold
