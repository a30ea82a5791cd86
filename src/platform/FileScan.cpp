#include "platform/FileScan.h"

#include <cerrno>
#include <utility>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace pagehold {

namespace {

// Folders kept open at once by one scanner; past this all are closed and the scan starts keeping
// them anew. An archive has one folder per domain and kind; a process may often hold no more
// than 1,024 files, and a search runs a scanner on each core.
constexpr std::size_t kFoldersKeptOpen = 128;

#ifndef _WIN32
// Without waiting: a named pipe put where a page should be opens at once and reads as empty,
// instead of holding the scan until something writes into it. Files on disk are not affected.
constexpr int kOpenForScan = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
#endif

void CloseDescriptor(int descriptor) {
#ifdef _WIN32
  ::_close(descriptor);
#else
  ::close(descriptor);
#endif
}

}  // namespace

ScannedFile::~ScannedFile() {
  if (descriptor_ >= 0)
    CloseDescriptor(descriptor_);
}

ScannedFile::ScannedFile(ScannedFile&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)) {}

std::size_t ScannedFile::Read(std::span<char> buffer) {
#ifdef _WIN32
  const int got = ::_read(descriptor_, buffer.data(), static_cast<unsigned>(buffer.size()));
#else
  const ssize_t got = ::read(descriptor_, buffer.data(), buffer.size());
#endif
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

FileScanner::~FileScanner() {
  CloseFolders();
}

void FileScanner::CloseFolders() {
  for (const auto& [folder, descriptor] : folders_) {
    if (descriptor >= 0)
      CloseDescriptor(descriptor);
  }
  folders_.clear();
}

int FileScanner::FolderDescriptor(const std::string& folder) {
  if (const auto kept = folders_.find(folder); kept != folders_.end())
    return kept->second;
  if (folders_.size() >= kFoldersKeptOpen)
    CloseFolders();
#ifdef _WIN32
  const int descriptor = -1;
#else
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#endif
  folders_.emplace(folder, descriptor);
  return descriptor;
}

ScannedFile FileScanner::Open(const std::string& path) {
  ScannedFile file = OpenOnce(path);
  if (file || errno != EMFILE || folders_.empty())
    return file;
  // The process holds as many files as it may: the folders kept open make room, so that a page
  // that exists is never taken for a missing one.
  CloseFolders();
  return OpenOnce(path);
}

ScannedFile FileScanner::OpenOnce(const std::string& path) {
#ifdef _WIN32
  return ScannedFile(::_open(path.c_str(), _O_RDONLY | _O_BINARY));
#else
  const std::size_t cut = path.find_last_of('/');
  if (cut != std::string::npos && cut > 0 && cut + 1 < path.size()) {
    const int folder = FolderDescriptor(path.substr(0, cut));
    if (folder >= 0)
      return ScannedFile(::openat(folder, path.c_str() + cut + 1, kOpenForScan));
  }
  return ScannedFile(::open(path.c_str(), kOpenForScan));
#endif
}

}  // namespace pagehold
