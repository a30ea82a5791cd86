// What the search and reindex command tests share: a registry file of the test's own.
#pragma once

#include <cstdlib>
#include <string>

namespace pagehold::testing {

// Points the commands' settings at the given registry file while the object lives.
class ScopedRegistryFile {
 public:
  explicit ScopedRegistryFile(std::string path) : path_(std::move(path)) {
    if (const char* previous = std::getenv("PAGEHOLD_REGISTRY")) {
      hadPrevious_ = true;
      previous_ = previous;
    }
    setenv("PAGEHOLD_REGISTRY", path_.c_str(), 1);
  }
  ~ScopedRegistryFile() {
    if (hadPrevious_)
      setenv("PAGEHOLD_REGISTRY", previous_.c_str(), 1);
    else
      unsetenv("PAGEHOLD_REGISTRY");
  }
  ScopedRegistryFile(const ScopedRegistryFile&) = delete;
  ScopedRegistryFile& operator=(const ScopedRegistryFile&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  bool hadPrevious_ = false;
  std::string previous_;
};

}  // namespace pagehold::testing
