#include "platform/Files.h"

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pagehold {

namespace fs = std::filesystem;

namespace {

bool IsOpenFolder(std::FILE* file) {
#ifdef _WIN32
  (void)file;
  return false;  // a folder cannot be opened as a file here
#else
  struct stat status {};
  return ::fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode);
#endif
}

// Makes a completed rename survive a crash: the folder entry itself is flushed.
void FlushFolderOf(const std::string& path) {
#ifndef _WIN32
  const fs::path parent = fs::path(path).parent_path();
  const fs::path folder = parent.empty() ? fs::path(".") : parent;
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor >= 0) {
    ::fsync(descriptor);
    ::close(descriptor);
  }
#else
  (void)path;  // MOVEFILE_WRITE_THROUGH already waited for the rename to reach the disk
#endif
}

// Renames source over target in one step.
Status MoveIntoPlace(const std::string& source, const std::string& target) {
#ifdef _WIN32
  // A hidden or read-only target would refuse to be replaced.
  const DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES)
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (MoveFileExA(source.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
    const std::error_code error(static_cast<int>(GetLastError()), std::system_category());
    if (attributes != INVALID_FILE_ATTRIBUTES)
      SetFileAttributesA(target.c_str(), attributes);
    return Failure::FromErrorCode(target, error);
  }
  return {};
#else
  if (std::rename(source.c_str(), target.c_str()) != 0)
    return Failure::FromErrno(target);
  return {};
#endif
}

// The permissions of the file being replaced go to its successor.
void KeepPermissions(const std::string& from, const std::string& to) {
  std::error_code error;
  const fs::file_status old = fs::status(from, error);
  if (!error && fs::exists(old))
    fs::permissions(to, old.permissions(), error);
}

}  // namespace

bool IsFolder(const std::string& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

FileHandle::~FileHandle() {
  if (file_ != nullptr)
    std::fclose(file_);
}

FileHandle::FileHandle(FileHandle&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)), path_(std::move(other.path_)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    if (file_ != nullptr)
      std::fclose(file_);
    file_ = std::exchange(other.file_, nullptr);
    path_ = std::move(other.path_);
  }
  return *this;
}

Result<FileHandle> FileHandle::Open(const std::string& path, const char* mode) {
  // The folder test comes after the opening, which most often succeeds: a path looked up
  // once more for every file costs a run over many files dearly.
  std::FILE* file = std::fopen(path.c_str(), mode);
  if (file == nullptr) {
    const int error = errno;
    return Failure::FromErrno(path, IsFolder(path) ? EISDIR : error);
  }
  FileHandle handle(file, path);
  if (IsOpenFolder(file))
    return Failure::FromErrno(path, EISDIR);  // a folder opens for reading on some systems
  return handle;
}

Status FileHandle::Write(std::string_view bytes) {
  if (bytes.empty())
    return {};
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
    return Failure::FromErrno(path_, errno != 0 ? errno : EIO);
  return {};
}

Status FileHandle::FlushToDisk() {
  if (std::fflush(file_) != 0)
    return Failure::FromErrno(path_);
#ifdef _WIN32
  if (_commit(_fileno(file_)) != 0)
    return Failure::FromErrno(path_);
#else
  if (::fsync(fileno(file_)) != 0)
    return Failure::FromErrno(path_);
#endif
  return {};
}

Status FileHandle::Close() {
  std::FILE* file = std::exchange(file_, nullptr);
  if (file != nullptr && std::fclose(file) != 0)
    return Failure::FromErrno(path_);
  return {};
}

#ifndef _WIN32
// Whole files are read and written with the system's own calls: no stream buffer, one status
// query for the size, and nothing else in between, since a run reads and writes thousands of
// pages.
namespace {

// Closes a descriptor when it goes.
class Descriptor {
 public:
  explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
  ~Descriptor() {
    if (descriptor_ >= 0)
      ::close(descriptor_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return descriptor_; }
  // Closes now; false when the close failed (written bytes may be lost).
  bool Close() { return ::close(std::exchange(descriptor_, -1)) == 0; }

 private:
  int descriptor_;
};

}  // namespace

Result<std::string> ReadWholeFile(const std::string& path) {
  // Without waiting, so that a named pipe where a file should be is a failure at once instead
  // of holding the program until something writes into it; files on disk are not affected.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0)
    return Failure::FromErrno(path);
  struct stat status {};
  if (::fstat(file.get(), &status) != 0)
    return Failure::FromErrno(path);
  if (S_ISDIR(status.st_mode))
    return Failure::FromErrno(path, EISDIR);
  if (!S_ISREG(status.st_mode))
    return Failure::FromErrno(path, EINVAL);  // a pipe or device holds no file to read whole
  // One byte more than the size, so that the first read takes a file that did not grow whole
  // and the second sees its end.
  std::string bytes(status.st_size > 0 ? static_cast<std::size_t>(status.st_size) + 1 : 65536,
                    '\0');
  std::size_t used = 0;
  for (;;) {
    if (used == bytes.size())
      bytes.resize(bytes.size() * 2);
    const ssize_t got = ::read(file.get(), bytes.data() + used, bytes.size() - used);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0)
      return Failure::FromErrno(path);
    if (got == 0)
      break;
    used += static_cast<std::size_t>(got);
  }
  bytes.resize(used);
  return bytes;
}
#else
Result<std::string> ReadWholeFile(const std::string& path) {
  Result<FileHandle> file = FileHandle::Open(path, "rb");
  if (!file)
    return file.failure();
  std::string bytes;
  // Room for the whole file at once where its size can be told, so that a file of tens of
  // megabytes is not grown and copied step by step.
  if (std::fseek(file->get(), 0, SEEK_END) == 0) {
    const long size = std::ftell(file->get());
    if (size > 0)
      bytes.reserve(static_cast<std::size_t>(size));
    std::rewind(file->get());
  }
  char block[65536];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file->get())) > 0)
    bytes.append(block, got);
  if (std::ferror(file->get()))
    return Failure::FromErrno(path, errno != 0 ? errno : EIO);
  return bytes;
}
#endif

Result<std::string> ReadFileStart(const std::string& path, std::size_t count) {
  Result<FileHandle> file = FileHandle::Open(path, "rb");
  if (!file)
    return file.failure();
  std::string bytes(count, '\0');
  bytes.resize(std::fread(bytes.data(), 1, count, file->get()));
  if (std::ferror(file->get()))
    return Failure::FromErrno(path, errno != 0 ? errno : EIO);
  return bytes;
}

Status WriteWholeFile(const std::string& path, std::string_view bytes) {
#ifndef _WIN32
  Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (file.get() < 0)
    return Failure::FromErrno(path);
  while (!bytes.empty()) {
    const ssize_t put = ::write(file.get(), bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR)
      continue;
    if (put <= 0)
      return Failure::FromErrno(path, put < 0 ? errno : EIO);
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  if (!file.Close())
    return Failure::FromErrno(path);
  return {};
#else
  Result<FileHandle> file = FileHandle::Open(path, "wb");
  if (!file)
    return file.failure();
  if (Status written = file->Write(bytes); !written)
    return written;
  return file->Close();
#endif
}

Status ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                             const std::string& temporaryPath) {
  const auto written = [&]() -> Status {
    Result<FileHandle> file = FileHandle::Open(temporaryPath, "wb");
    if (!file)
      return file.failure();
    if (Status status = file->Write(bytes); !status)
      return status;
    if (Status status = file->FlushToDisk(); !status)
      return status;
    return file->Close();
  }();
  // Only a complete, flushed temporary file may take the place of the old one.
  Status moved = written;
  if (moved) {
    KeepPermissions(path, temporaryPath);
    moved = MoveIntoPlace(temporaryPath, path);
  }
  if (!moved) {
    // The failure to report is the one above; a temporary file that cannot be removed either
    // is replaced by the next attempt.
    (void)RemoveFile(temporaryPath);
    return moved;
  }
  FlushFolderOf(path);
  return {};
}

Status ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  return ReplaceFileAtomically(path, bytes, path + ".tmp");
}

#ifndef _WIN32
namespace {

// Copies with the system's calls what the C++ library's copy_file copies, without looking both
// paths up first (a run copies thousands of files): the source is opened and asked for its
// size and permissions, the target opened or made with them, checked not to be the source
// itself, emptied when it held something, and filled by the kernel. Gives 0, or the number of
// the error that stopped it (EINVAL when the kernel cannot copy between the two).
int CopyWithDescriptors(const std::string& source, const std::string& target) {
  Descriptor from(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat fromStatus {};
  if (from.get() < 0 || ::fstat(from.get(), &fromStatus) != 0)
    return errno;
  if (!S_ISREG(fromStatus.st_mode))
    return S_ISDIR(fromStatus.st_mode) ? EISDIR : EINVAL;
  const mode_t permissions = fromStatus.st_mode & 07777;
  Descriptor to(::open(target.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, permissions));
  struct stat toStatus {};
  if (to.get() < 0 || ::fstat(to.get(), &toStatus) != 0)
    return errno;
  if (toStatus.st_dev == fromStatus.st_dev && toStatus.st_ino == fromStatus.st_ino)
    return EEXIST;  // copying a file onto itself would empty it before reading it
  if (toStatus.st_size > 0 && ::ftruncate(to.get(), 0) != 0)
    return errno;
  // A new file's permissions are the source's less the process's mask; the copy keeps the
  // source's whole.
  if ((toStatus.st_mode & 07777) != permissions && ::fchmod(to.get(), permissions) != 0)
    return errno;
  for (off_t left = fromStatus.st_size; left > 0;) {
    const ssize_t sent = ::sendfile(to.get(), from.get(), nullptr, static_cast<size_t>(left));
    if (sent < 0 && errno == EINTR)
      continue;
    if (sent < 0)
      return errno;
    if (sent == 0)
      break;  // the source became shorter meanwhile
    left -= sent;
  }
  return to.Close() ? 0 : errno;
}

}  // namespace
#endif

Status CopyFileReplacing(const std::string& source, const std::string& target) {
#ifdef _WIN32
  // The C++ library's copy_file takes every two files of a Windows volume for the same file
  // (their stat gives no inode number) and so refuses to replace any target.
  if (CopyFileA(source.c_str(), target.c_str(), FALSE) == 0)
    return Failure::FromErrorCode(
        target, std::error_code(static_cast<int>(GetLastError()), std::system_category()));
#else
  const int copyError = CopyWithDescriptors(source, target);
  if (copyError == 0)
    return {};
  if (copyError != EINVAL && copyError != ENOSYS)
    return Failure::FromErrno(target, copyError);
  // A pair of files the kernel cannot copy between: the library's copy, which reads and writes.
  std::error_code error;
  fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
  if (error)
    return Failure::FromErrorCode(target, error);
#endif
  return {};
}

void MarkHidden(const std::string& path) {
#ifdef _WIN32
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
#else
  (void)path;
#endif
}

Status RemoveFile(const std::string& path) {
  std::error_code error;
  fs::remove(path, error);
  if (error)
    return Failure::FromErrorCode(path, error);
  return {};
}

}  // namespace pagehold
