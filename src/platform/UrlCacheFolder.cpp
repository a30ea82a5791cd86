#include "platform/UrlCacheFolder.h"

#include "platform/Paths.h"

namespace pagehold {

std::string StoredUrlCacheFolder(const Registry& registry) {
  return registry.ReadString(RegistryRoot::CurrentUser, kShellFoldersKey, kCacheFolderValue)
      .value_or(std::string());
}

bool StoreUrlCacheFolder(Registry& registry, const std::string& folder) {
  if (folder == StoredUrlCacheFolder(registry))
    return true;
  return registry.WriteString(RegistryRoot::CurrentUser, kShellFoldersKey, kCacheFolderValue,
                              folder);
}

std::string UrlCacheFolderIn(const std::string& folder) {
  if (!FileExists(JoinPath(folder, "index.dat"))) {
    const std::string contentFolder = JoinPath(folder, "Content.IE5");
    if (FileExists(JoinPath(contentFolder, "index.dat")))
      return contentFolder;
  }
  return folder;
}

std::string DefaultUrlCacheFolder(const Registry& registry) {
  const std::string cache = StoredUrlCacheFolder(registry);
  return cache.empty() ? std::string() : UrlCacheFolderIn(NativeSeparators(cache));
}

}  // namespace pagehold
