#include "platform/Registry.h"

#include <cstdlib>

#include "platform/Paths.h"
#include "platform/RegistryFile.h"

#ifdef _WIN32
#include "platform/RegistryWindows.h"
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace pagehold {

namespace {

bool IsSet(const char* value) {
  return value != nullptr && *value != '\0';
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (IsSet(home))
    return home;
#ifndef _WIN32
  if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && IsSet(user->pw_dir))
    return user->pw_dir;
#endif
  return {};
}

}  // namespace

std::string RegistryFilePathFrom(const char* registryOverride, const char* configHome,
                                 const char* home) {
  if (IsSet(registryOverride))
    return registryOverride;
  // Only an absolute XDG_CONFIG_HOME counts; a relative one is to be ignored.
  std::string folder;
  if (IsSet(configHome) && IsPathSeparator(configHome[0]))
    folder = configHome;
  else
    folder = JoinPath(home == nullptr ? "" : home, ".config");
  return JoinPath(JoinPath(folder, "pagehold"), "registry.reg");
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
