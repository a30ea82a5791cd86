// Where the user's Internet Explorer cache lies, as the system records it: the "Cache" value
// under the shell folders key of the current user.
#pragma once

#include <string>

#include "platform/Registry.h"

namespace pagehold {

inline constexpr std::string_view kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr std::string_view kCacheFolderValue = "Cache";

// True where the URL cache is read from the cache folder's own index.dat (everywhere but
// Windows, where the system's cache is asked), so that the person names that folder.
#ifdef _WIN32
inline constexpr bool kUrlCacheReadFromIndexFile = false;
#else
inline constexpr bool kUrlCacheReadFromIndexFile = true;
#endif

// The folder that holds the cache's index.dat: the "Cache" value, in this platform's
// separators, as UrlCacheFolderIn finds it. Empty when the value is missing or empty.
std::string DefaultUrlCacheFolder(const Registry& registry);

// The folder of the cache in folder: IE 5 to 9 keep index.dat in the "Content.IE5" sub-folder
// of the folder the system records; when the file lies there and not in folder, that
// sub-folder is the answer, else folder itself.
std::string UrlCacheFolderIn(const std::string& folder);

// The "Cache" value as stored; empty when it is missing.
std::string StoredUrlCacheFolder(const Registry& registry);

// Stores folder as the "Cache" value when it differs from the stored one (a missing value
// counts as empty, so an empty folder never creates one). False when the registry refused it.
bool StoreUrlCacheFolder(Registry& registry, const std::string& folder);

}  // namespace pagehold
