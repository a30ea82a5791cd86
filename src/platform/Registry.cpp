#include "platform/Registry.h"

#include <cstdlib>

#include "platform/Paths.h"
#include "platform/RegistryFile.h"
#include "platform/UserFolders.h"

#ifdef _WIN32
#include "platform/RegistryWindows.h"
#endif

namespace pagehold {

std::string RegistryFilePathFrom(const char* registryOverride, const char* configHome,
                                 const char* home) {
  if (IsSetVariable(registryOverride))
    return registryOverride;
  return JoinPath(JoinPath(XdgBaseFolder(configHome, home, ".config"), "pagehold"), "registry.reg");
}

std::string RegistryFilePath() {
  const std::string home = HomeFolder();
  return RegistryFilePathFrom(std::getenv("PAGEHOLD_REGISTRY"), std::getenv("XDG_CONFIG_HOME"),
                              home.c_str());
}

std::unique_ptr<Registry> OpenRegistry() {
#ifdef _WIN32
  return OpenWindowsRegistry();
#else
  return std::make_unique<RegistryFile>(RegistryFilePath());
#endif
}

}  // namespace pagehold
