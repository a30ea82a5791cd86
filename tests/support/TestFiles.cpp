#include "support/TestFiles.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "platform/Paths.h"

namespace pagehold::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        fs::temp_directory_path() /
        ("pagehold-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    if (fs::create_directory(candidate)) {
      path_ = WithTrailingSeparator(candidate.string());
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code error;
  // Tests may leave read-only files or folders behind; make them writable before removing.
  // A symbolic link is left as it is: changing it would change what it leads to.
  for (auto it = fs::recursive_directory_iterator(path_, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (!it->is_symlink(error))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
  }
  fs::remove_all(path_, error);
}

std::string TempFolder::Child(std::string_view relative) const {
  return path_ + NativeSeparators(relative);
}

void WriteFile(const std::string& path, std::string_view bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out)
    throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw std::runtime_error("cannot read " + path);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

const std::string& WhyNoSymbolicLinks() {
  static const std::string why = [] {
    const TempFolder folder;
    std::error_code error;
    fs::create_symlink(folder.Child("target"), folder.Child("link"), error);
    return error ? "this system makes no symbolic links (" + error.message() + ")" : "";
  }();
  return why;
}

std::string SourceDir() {
  return WithTrailingSeparator(PAGEHOLD_SOURCE_DIR);
}

std::string SamplesDir() {
  return SourceDir() + "samples" + kPathSeparator;
}

std::string SharedFixturesDir() {
  const fs::path fixtures = fs::path(PAGEHOLD_SOURCE_DIR) / ".." / "shared" / "fixtures";
  std::error_code error;
  if (!fs::is_directory(fixtures, error))
    return {};
  return WithTrailingSeparator(fs::canonical(fixtures, error).string());
}

std::string SharedFuzzDir() {
  const std::string fixtures = SharedFixturesDir();
  return fixtures.empty() ? fixtures : WithTrailingSeparator(JoinPath(fixtures, "../fuzz"));
}

}  // namespace pagehold::testing
