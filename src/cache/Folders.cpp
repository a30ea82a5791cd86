// Folder tests and creation, and file copies that replace their target.
//
// ForceFolder walks up to the first folder that exists (or to a root: "/", "C:", "C:\") and
// creates the missing ones on the way back down, stopping at the first one that cannot be made.
#include "cache/Folders.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/Files.h"
#include "platform/Paths.h"

namespace pagehold {
namespace {

// A path that is only a root: nothing above it to create, and nothing to create itself.
bool IsRoot(const std::string& folder) {
  return !std::filesystem::path(folder).has_relative_path();
}

}  // namespace

bool DirectoryExists(const std::string& path) {
  return !path.empty() && IsFolder(path);
}

Status ForceFolder(const std::string& path) {
  if (path.empty())
    throw std::runtime_error("Unable to create directory");
  std::string folder = path;
  if (IsPathSeparator(folder.back()))
    folder.pop_back();
  if (folder.empty() || IsRoot(folder) || DirectoryExists(folder))
    return {};
  const std::string parent = FolderPart(folder);
  if (parent == folder)
    return {};
  // A relative name without a folder part has its parent in the working folder, which exists.
  if (!parent.empty()) {
    if (Status made = ForceFolder(parent); !made)
      return made;
  }
  std::error_code error;
  std::filesystem::create_directory(folder, error);
  if (DirectoryExists(folder))
    return {};
  return Failure::FromErrorCode(folder,
                                error ? error : std::make_error_code(std::errc::not_a_directory));
}

Status CopyOver(const std::string& source, const std::string& target) {
  Status copied = CopyFileReplacing(source, target);
  if (copied)
    return copied;
  // The source is named when it is the one at fault, so that a report says which file to look
  // at. It is looked at only now: a copy that succeeds needs no second lookup of its source.
  std::error_code sourceError;
  if (!std::filesystem::is_regular_file(source, sourceError))
    return Failure::FromErrorCode(
        source,
        sourceError ? sourceError : std::make_error_code(std::errc::no_such_file_or_directory));
  return copied;
}

}  // namespace pagehold
