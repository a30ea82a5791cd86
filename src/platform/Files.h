// The one way Pagehold reads and writes whole files: a file handle that closes itself, whole-file
// reads and writes, and the atomic replacement of a file. Every operation says why it failed, in
// the system's words, with the path it was about.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "platform/Failure.h"

namespace pagehold {

// An open C file, closed when the handle goes. Close() reports a failed close (the last buffered
// bytes not written); the destructor of a handle still open closes it silently, which is only
// right for files that were read.
class FileHandle {
 public:
  FileHandle() = default;
  ~FileHandle();
  FileHandle(FileHandle&& other) noexcept;
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  // Opens path with an fopen mode ("rb", "wb", "ab", "wbx"). A folder is refused for every mode.
  [[nodiscard]] static Result<FileHandle> Open(const std::string& path, const char* mode);

  std::FILE* get() const { return file_; }
  explicit operator bool() const { return file_ != nullptr; }
  const std::string& path() const { return path_; }

  // Writes all of bytes.
  Status Write(std::string_view bytes);
  // Pushes what the C library and the system hold for the file onto the disk.
  Status FlushToDisk();
  // Closes the file; a failure means that bytes written before may be lost.
  Status Close();

 private:
  FileHandle(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}

  std::FILE* file_ = nullptr;
  std::string path_;
};

// Every byte of the file. A missing file, a folder and a read error are failures.
[[nodiscard]] Result<std::string> ReadWholeFile(const std::string& path);

// The first count bytes of the file, or all of it when it is shorter. Failures as ReadWholeFile.
[[nodiscard]] Result<std::string> ReadFileStart(const std::string& path, std::size_t count);

// Creates or truncates the file and writes bytes into it.
[[nodiscard]] Status WriteWholeFile(const std::string& path, std::string_view bytes);

// Replaces the file at path by one holding bytes, so that at every moment path is either the old
// file or the new one, whole: bytes go to temporaryPath (replaced if present), which is flushed
// to disk and then renamed over path; the folder entry is flushed too. A replaced file's
// permissions are kept. On failure path is as it was and temporaryPath is removed.
[[nodiscard]] Status ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                                           const std::string& temporaryPath);

// The same with path + ".tmp" as the temporary file.
[[nodiscard]] Status ReplaceFileAtomically(const std::string& path, std::string_view bytes);

// True when path names a folder (following a link); false for anything else, and when the
// system cannot tell.
bool IsFolder(const std::string& path);

// Copies source over target, replacing a target that exists.
[[nodiscard]] Status CopyFileReplacing(const std::string& source, const std::string& target);

// Leaves the file with the hidden attribute and no other (Windows); other systems have no such
// attribute, and the file stays as it is.
void MarkHidden(const std::string& path);

// Removes a file; a file that is not there is no failure.
[[nodiscard]] Status RemoveFile(const std::string& path);

}  // namespace pagehold
