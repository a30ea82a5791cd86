// The cache a desktop program reads: the Navigator index file that the "FAT Path" setting names,
// or the IE cache folder that the system's shell folders record.
#pragma once

#include <memory>

#include "prefs/AppContext.h"
#include "sources/CacheSource.h"

namespace pagehold {

// A source over the cache the settings name as of now (they change when the Properties window
// closes), reading types into the context's MIME table.
std::unique_ptr<CacheSource> MakeProgramCacheSource(AppContext& context);

}  // namespace pagehold
