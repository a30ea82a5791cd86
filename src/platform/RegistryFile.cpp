#include "platform/RegistryFile.h"

#include <filesystem>
#include <system_error>

#include "platform/Files.h"
#include "platform/RegistryFileLock.h"

namespace pagehold {

namespace fs = std::filesystem;

namespace {

// Writes replace the file a symbolic link points at, not the link itself, so that a registry
// file kept elsewhere (a synchronised settings folder) stays where it is.
std::string WriteTarget(const std::string& path) {
  std::error_code error;
  if (fs::is_symlink(path, error)) {
    const fs::path target = fs::weakly_canonical(path, error);
    if (!error)
      return target.string();
  }
  return path;
}

}  // namespace

std::string RegistryKeyPath(RegistryRoot root, std::string_view key) {
  while (!key.empty() && key.front() == '\\')
    key.remove_prefix(1);
  std::string path =
      root == RegistryRoot::CurrentUser ? "HKEY_CURRENT_USER\\" : "HKEY_LOCAL_MACHINE\\";
  path += key;
  return path;
}

std::optional<RegistryText> LoadRegistryText(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found)
    return RegistryText();
  if (error || fs::is_directory(status))
    return std::nullopt;
  const Result<std::string> bytes = ReadWholeFile(path);
  if (!bytes)
    return std::nullopt;
  return RegistryText::Parse(*bytes);
}

RegistryFile::RegistryFile(std::string path) : path_(std::move(path)) {}

std::optional<std::string> RegistryFile::ReadString(RegistryRoot root, std::string_view key,
                                                    std::string_view name) const {
  const std::optional<RegistryText> text = LoadRegistryText(path_);
  if (!text)
    return std::nullopt;
  return text->Find(RegistryKeyPath(root, key), name);
}

bool RegistryFile::WriteString(RegistryRoot root, std::string_view key, std::string_view name,
                               std::string_view value) {
  const std::string target = WriteTarget(path_);
  std::error_code error;
  const fs::path folder = fs::path(target).parent_path();
  if (!folder.empty())
    fs::create_directories(folder, error);
  const RegistryFileLock lock(target + ".lock");
  if (!lock.Held())
    return false;
  std::optional<RegistryText> text = LoadRegistryText(target);
  if (!text || !text->Set(RegistryKeyPath(root, key), name, value))
    return false;
  return ReplaceFileAtomically(target, text->Format()).ok();
}

}  // namespace pagehold
