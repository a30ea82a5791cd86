#include "platform/FolderBoundary.h"

#include <system_error>

#include "platform/Paths.h"

namespace pagehold {

namespace {

std::filesystem::path Resolved(const std::string& folder) {
  std::error_code error;
  std::filesystem::path resolved =
      std::filesystem::weakly_canonical(folder.empty() ? "." : folder, error);
  return error ? std::filesystem::path() : resolved;
}

}  // namespace

FolderBoundary::FolderBoundary(const std::string& folder) : root_(Resolved(folder)) {}

bool FolderBoundary::Holds(const std::string& path) {
  const std::string parent = FolderPart(path);
  const auto known = parents_.find(parent);
  if (known != parents_.end())
    return known->second;
  const std::filesystem::path resolved = Resolved(parent);
  const std::filesystem::path relative = resolved.lexically_relative(root_);
  const bool inside = !root_.empty() && !resolved.empty() && !relative.empty() &&
                      *relative.begin() != std::filesystem::path("..");
  parents_.emplace(parent, inside);
  return inside;
}

}  // namespace pagehold
