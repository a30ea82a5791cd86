#include "platform/RegistryFileLock.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace pagehold {

#ifdef _WIN32

RegistryFileLock::RegistryFileLock(const std::string& lockPath) {
  HANDLE file = CreateFileA(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return;
  handle_ = file;
  OVERLAPPED whole = {};
  held_ = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole) != 0;
}

RegistryFileLock::~RegistryFileLock() {
  if (handle_ == nullptr)
    return;
  if (held_) {
    OVERLAPPED whole = {};
    UnlockFileEx(handle_, 0, MAXDWORD, MAXDWORD, &whole);
  }
  CloseHandle(handle_);
}

#else

// flock locks belong to the open file description, so they exclude other threads of this
// process as well as other processes (unlike fcntl record locks).
RegistryFileLock::RegistryFileLock(const std::string& lockPath) {
  descriptor_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (descriptor_ < 0)
    return;
  int result;
  do {
    result = ::flock(descriptor_, LOCK_EX);
  } while (result != 0 && errno == EINTR);
  held_ = result == 0;
}

RegistryFileLock::~RegistryFileLock() {
  if (descriptor_ >= 0)
    ::close(descriptor_);  // closing releases the lock
}

#endif

}  // namespace pagehold
