#include "platform/UserFolders.h"

#include <cstdlib>

#include "platform/Paths.h"

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace pagehold {

bool IsSetVariable(const char* value) {
  return value != nullptr && *value != '\0';
}

std::string XdgBaseFolder(const char* value, const char* home, std::string_view fallback) {
  if (IsSetVariable(value) && IsPathSeparator(value[0]))
    return value;
  return JoinPath(home == nullptr ? "" : home, fallback);
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (IsSetVariable(home))
    return home;
#ifndef _WIN32
  if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && IsSetVariable(user->pw_dir))
    return user->pw_dir;
#endif
  return {};
}

std::string UserDataFolderFrom(const char* dataHome, const char* home) {
  const std::string local = JoinPath(".local", "share");
  return WithTrailingSeparator(JoinPath(XdgBaseFolder(dataHome, home, local), "pagehold"));
}

}  // namespace pagehold
