// Whether files lie inside a folder once symbolic links are followed: a cache whose sub-folder
// is a link to somewhere else must not have files deleted there. The folder that holds a file
// is resolved once for all the files in it.
#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>

namespace pagehold {

class FolderBoundary {
 public:
  explicit FolderBoundary(const std::string& folder);

  // True when the folder holding path, links followed, is the boundary folder or lies inside
  // it. The file itself is not followed: a link inside the folder is inside, wherever it points.
  bool Holds(const std::string& path);

 private:
  std::filesystem::path root_;
  std::unordered_map<std::string, bool> parents_;  // holding folder as written -> inside
};

}  // namespace pagehold
