// Reading many files once each, start to end, as a search through every archived page does.
//
// A page costs the least the system allows: one call to open it, one read (two for a page
// longer than the buffer) and one to close it, with no stream buffer and no status query in
// between. A read that gives fewer bytes than asked for is taken as the end of the file, as a
// short block ends the search of a page, instead of asking the system once more to be sure. Outside
// Windows each file is opened relative to its folder, which stays open for the files after it, so
// that the system looks up one name instead of walking the whole path again.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <unordered_map>

namespace pagehold {

// A file open for reading, closed when it goes.
class ScannedFile {
 public:
  ScannedFile() = default;
  explicit ScannedFile(int descriptor) : descriptor_(descriptor) {}
  ~ScannedFile();
  ScannedFile(ScannedFile&& other) noexcept;
  ScannedFile& operator=(ScannedFile&& other) = delete;
  ScannedFile(const ScannedFile&) = delete;
  ScannedFile& operator=(const ScannedFile&) = delete;

  explicit operator bool() const { return descriptor_ >= 0; }

  // Reads the next bytes of the file into buffer with one call to the system, and gives their
  // count: for a file on disk the buffer's size unless the file ends first. A read error, and a
  // folder, read as 0 bytes.
  std::size_t Read(std::span<char> buffer);

 private:
  int descriptor_ = -1;
};

// Opens files for a scan, keeping the folders of the files opened before.
class FileScanner {
 public:
  FileScanner() = default;
  ~FileScanner();
  FileScanner(const FileScanner&) = delete;
  FileScanner& operator=(const FileScanner&) = delete;

  // The file at path, or an empty one (false) when it cannot be opened.
  ScannedFile Open(const std::string& path);

 private:
  ScannedFile OpenOnce(const std::string& path);
  int FolderDescriptor(const std::string& folder);
  void CloseFolders();

  std::unordered_map<std::string, int> folders_;  // folder path -> open descriptor, or -1
};

}  // namespace pagehold
