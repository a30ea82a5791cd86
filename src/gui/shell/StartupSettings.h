// The settings a program loads when it starts: every current setting from the store, and in the
// Navigator program a cache index path found on this machine when none is stored.
#pragma once

#include "prefs/AppContext.h"

namespace pagehold {

void LoadStartupSettings(AppContext& context);

}  // namespace pagehold
