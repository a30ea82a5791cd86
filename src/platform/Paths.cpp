#include "platform/Paths.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace pagehold {

bool IsPathSeparator(char c) {
  return c == '/' || c == '\\';
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  if (folder.empty())
    return std::string(name);
  std::string joined = WithTrailingSeparator(folder);
  while (!name.empty() && IsPathSeparator(name.front()))
    name.remove_prefix(1);
  joined += name;
  return joined;
}

std::string WithTrailingSeparator(std::string_view folder) {
  std::string result(folder);
  if (!result.empty() && !IsPathSeparator(result.back()))
    result += kPathSeparator;
  return result;
}

std::string NativeSeparators(std::string_view path) {
  std::string result(path);
  for (char& c : result) {
    if (IsPathSeparator(c))
      c = kPathSeparator;
  }
  return result;
}

std::string FileNamePart(std::string_view path) {
  const size_t last = path.find_last_of("/\\");
  return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string FolderPart(std::string_view path) {
  const size_t last = path.find_last_of("/\\");
  return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

std::string AbsolutePath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

bool FileExists(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::string ShortPathForm(const std::string& path) {
#ifdef _WIN32
  char buffer[512];
  const DWORD length = GetShortPathNameA(path.c_str(), buffer, 511);
  if (length == 0 || length > 511)
    return path;
  return std::string(buffer, length);
#else
  return path;
#endif
}

std::string RunningProgramFolder() {
#ifdef _WIN32
  char buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return FolderPart(std::string_view(buffer, length));
#else
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error)
    return WithTrailingSeparator(std::filesystem::current_path(error).string());
  return FolderPart(self.string());
#endif
}

}  // namespace pagehold
