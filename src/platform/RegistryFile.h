// The registry kept in a REGEDIT4 text file (see RegistryText.h for the form).
//
// Reading parses the file as it is at that moment and never creates or changes anything.
// Writing takes an exclusive lock beside the file (the file's name + ".lock"), reads the file
// again under the lock, changes the one value and replaces the file atomically (a complete,
// flushed temporary file renamed over it). So two programs writing different values at the
// same time both keep theirs, and a reader sees either the old file or the new one, never a
// half-written one. A file that exists but cannot be read is never replaced.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Registry.h"
#include "platform/RegistryText.h"

namespace pagehold {

class RegistryFile final : public Registry {
 public:
  explicit RegistryFile(std::string path);

  const std::string& Path() const { return path_; }

  std::optional<std::string> ReadString(RegistryRoot root, std::string_view key,
                                        std::string_view name) const override;
  bool WriteString(RegistryRoot root, std::string_view key, std::string_view name,
                   std::string_view value) override;

 private:
  std::string path_;
};

// The key's full path as the file names it: "HKEY_CURRENT_USER\" or "HKEY_LOCAL_MACHINE\"
// followed by the key.
std::string RegistryKeyPath(RegistryRoot root, std::string_view key);

// The file's content: an empty registry when the file does not exist, nothing when it exists
// but cannot be read.
std::optional<RegistryText> LoadRegistryText(const std::string& path);

}  // namespace pagehold
