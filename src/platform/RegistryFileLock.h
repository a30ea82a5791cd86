// An exclusive lock on a lock file, held for the life of the object. It serialises the writers
// of one registry file, whether they are other programs or other threads of this one (each
// lock opens the file anew, so two locks never share one open file).
#pragma once

#include <string>

namespace pagehold {

class RegistryFileLock {
 public:
  // Waits until the lock is free. Creates the lock file when it is missing.
  explicit RegistryFileLock(const std::string& lockPath);
  ~RegistryFileLock();
  RegistryFileLock(const RegistryFileLock&) = delete;
  RegistryFileLock& operator=(const RegistryFileLock&) = delete;

  // False when the lock file could not be opened or locked.
  bool Held() const { return held_; }

 private:
  bool held_ = false;
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int descriptor_ = -1;
#endif
};

}  // namespace pagehold
