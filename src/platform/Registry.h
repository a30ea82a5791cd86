// The registry: named text values under keys of the current user's and the local machine's
// hives. On Windows this is the system registry; everywhere else it is a registry file in
// REGEDIT4 text form, so that a user (or a test) can describe settings and installed programs
// the same way on every platform.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pagehold {

enum class RegistryRoot { CurrentUser, LocalMachine };

class Registry {
 public:
  virtual ~Registry() = default;

  // The text of a string value; nothing when the key or the value is missing or the value is
  // not a string. Key and value names match without regard to letter case. Never writes.
  virtual std::optional<std::string> ReadString(RegistryRoot root, std::string_view key,
                                                std::string_view name) const = 0;

  // Stores a string value, creating the key and its parents when they are missing. False when
  // the value could not be stored.
  virtual bool WriteString(RegistryRoot root, std::string_view key, std::string_view name,
                           std::string_view value) = 0;
};

// The user's registry on this platform: the system registry on Windows, the registry file named
// by RegistryFilePath() elsewhere. Opening reads and writes nothing.
std::unique_ptr<Registry> OpenRegistry();

// Where the registry file lies: $PAGEHOLD_REGISTRY when set, otherwise
// $XDG_CONFIG_HOME/pagehold/registry.reg, with ~/.config in place of an unset, empty or relative
// XDG_CONFIG_HOME.
std::string RegistryFilePath();

// The same rule over given environment values (a null pointer is an unset variable).
std::string RegistryFilePathFrom(const char* registryOverride, const char* configHome,
                                 const char* home);

}  // namespace pagehold
