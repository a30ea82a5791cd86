#include "files/FolderCopy.h"

#include <filesystem>
#include <stdexcept>

#include "platform/Files.h"

namespace pagehold::testgen {

namespace fs = std::filesystem;

// Not std::filesystem::copy: on Windows the C++ library takes any two folders for one and
// refuses to copy.
void CopyFolderContents(const std::string& from, const std::string& to) {
  fs::create_directories(to);
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(from)) {
    const fs::path target = fs::path(to) / fs::relative(entry.path(), from);
    if (entry.is_directory()) {
      fs::create_directories(target);
    } else if (Status copied = CopyFileReplacing(entry.path().string(), target.string()); !copied) {
      throw std::runtime_error(copied.failure().Describe());
    }
  }
}

}  // namespace pagehold::testgen
