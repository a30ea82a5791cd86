#include "platform/UrlCacheFolder.h"

#include "platform/Paths.h"

namespace pagehold {

std::string DefaultUrlCacheFolder(const Registry& registry) {
  const std::optional<std::string> cache =
      registry.ReadString(RegistryRoot::CurrentUser, kShellFoldersKey, "Cache");
  if (!cache || cache->empty())
    return {};
  const std::string folder = NativeSeparators(*cache);
  if (!FileExists(JoinPath(folder, "index.dat"))) {
    const std::string contentFolder = JoinPath(folder, "Content.IE5");
    if (FileExists(JoinPath(contentFolder, "index.dat")))
      return contentFolder;
  }
  return folder;
}

}  // namespace pagehold
