// Where the user's Internet Explorer cache lies, as the system records it.
#pragma once

#include <string>

#include "platform/Registry.h"

namespace pagehold {

inline constexpr std::string_view kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The folder that holds the cache's index.dat: the current user's "Cache" value under the
// shell folders key, in this platform's separators. IE 5 to 9 keep index.dat in the
// "Content.IE5" sub-folder of that folder; when the file lies there, that sub-folder is the
// answer. Empty when the value is missing or empty.
std::string DefaultUrlCacheFolder(const Registry& registry);

}  // namespace pagehold
