// Which cache a desktop program reads in this run: one the person named for it (on the command
// line, through a second copy, or by dropping it on the main window), else the one the settings
// name.
#pragma once

#include <string>

#include "platform/Failure.h"
#include "prefs/AppContext.h"

namespace pagehold {

// What the product reads from the cache that path names: the Navigator index file, or the IE
// cache folder. Fails with the one line a reading would give when it is no cache of the kind.
Result<std::string> CheckGivenCache(Product product, const std::string& path);

// The cache the program reads now: the given one, else the Navigator index path of the current
// settings, or the IE cache folder that the registry records.
std::string CacheOfThisRun(const AppContext& context);

}  // namespace pagehold
