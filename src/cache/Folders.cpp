// Folder tests and creation, file copies that replace their target, and whole-file reads.
//
// ForceFolder walks up to the first folder that exists (or to a root: "/", "C:", "C:\") and
// creates the missing ones on the way back down. A failure to create is deliberately silent:
// callers test DirectoryExists afterwards and explain the failure in their own words.
#include "cache/Folders.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/Paths.h"

namespace pagehold {
namespace {

// A path that is only a root: nothing above it to create, and nothing to create itself.
bool IsRoot(const std::string& folder) {
  return !std::filesystem::path(folder).has_relative_path();
}

}  // namespace

bool DirectoryExists(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(path, error);
}

void ForceFolder(const std::string& path) {
  if (path.empty())
    throw std::runtime_error("Unable to create directory");
  std::string folder = path;
  if (IsPathSeparator(folder.back()))
    folder.pop_back();
  if (folder.empty() || IsRoot(folder) || DirectoryExists(folder))
    return;
  const std::string parent = FolderPart(folder);
  if (parent == folder)
    return;
  // A relative name without a folder part has its parent in the working folder, which exists.
  if (!parent.empty())
    ForceFolder(parent);
  std::error_code error;
  std::filesystem::create_directory(folder, error);
}

bool CopyOver(const std::string& source, const std::string& target) {
  std::error_code error;
  const bool copied = std::filesystem::copy_file(
      source, target, std::filesystem::copy_options::overwrite_existing, error);
  return copied && !error;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  if (!FileExists(path))
    return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr)
    return false;
  char block[65536];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0)
    bytes.append(block, got);
  std::fclose(file);
  return true;
}

}  // namespace pagehold
