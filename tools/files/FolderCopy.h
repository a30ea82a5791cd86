// Copies a folder tree, for tests and tools that work on a copy of a cache.
#pragma once

#include <string>

namespace pagehold::testgen {

// Copies every file and sub-folder inside from into the folder to (created when missing;
// files there are replaced). Throws std::runtime_error naming the file that could not be copied.
void CopyFolderContents(const std::string& from, const std::string& to);

}  // namespace pagehold::testgen
