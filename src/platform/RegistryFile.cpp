#include "platform/RegistryFile.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/RegistryFileLock.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

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

#ifdef _WIN32

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  return static_cast<bool>(out);
}

#else

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (descriptor < 0)
    return false;
  size_t written = 0;
  bool ok = true;
  while (ok && written < bytes.size()) {
    const ssize_t count = ::write(descriptor, bytes.data() + written, bytes.size() - written);
    if (count < 0 && errno == EINTR)
      continue;
    ok = count > 0;
    if (ok)
      written += static_cast<size_t>(count);
  }
  ok = ok && ::fsync(descriptor) == 0;
  return ::close(descriptor) == 0 && ok;
}

#endif

// Replaces the file with a complete new one. The old file's permissions are kept.
bool ReplaceFile(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".tmp";
  if (!WriteWholeFile(temporary, bytes)) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  std::error_code error;
  const fs::file_status old = fs::status(path, error);
  if (!error && fs::exists(old))
    fs::permissions(temporary, old.permissions(), error);
  fs::rename(temporary, path, error);
  if (error) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  return true;
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
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad())
    return std::nullopt;
  return RegistryText::Parse(bytes.str());
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
  return ReplaceFile(target, text->Format());
}

}  // namespace pagehold
