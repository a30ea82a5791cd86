// The cache a desktop program reads: one the person named for this run (on the command line,
// through a second copy, or by dropping it on the main window), else the Navigator index file
// that the "FAT Path" setting names, or the IE cache folder that the system's shell folders
// record.
#pragma once

#include <memory>
#include <string>

#include "platform/Failure.h"
#include "prefs/AppContext.h"
#include "sources/CacheSource.h"

namespace pagehold {

// What the product reads from the cache that path names: the Navigator index file, or the IE
// cache folder. Fails with the one line a reading would give when it is no cache of the kind.
Result<std::string> CheckGivenCache(Product product, const std::string& path);

// The cache the program reads now: the given one, else the Navigator index path of the current
// settings, or the IE cache folder that the registry records.
std::string CacheOfThisRun(const AppContext& context);

// A source over the cache the program reads as of now (the settings change when the Properties
// window closes), reading types into the context's MIME table.
std::unique_ptr<CacheSource> MakeProgramCacheSource(AppContext& context);

}  // namespace pagehold
