#include "archive/ArchiveFile.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cache/BufferStream.h"
#include "cache/Folders.h"
#include "cache/Text.h"
#include "cache/Url.h"
#include "platform/Paths.h"
#include "prefs/AppContext.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace pagehold {

namespace {

constexpr char kArchiveFileName[] = "archive.dat";
constexpr char kTemporaryFileName[] = "archive.tmp";
// Serialized records are appended to the temporary file in blocks of about this many records.
constexpr std::size_t kRecordsPerBlock = 10;

std::string ArchiveFolderOf(const AppContext& context) {
  return WithTrailingSeparator(context.settings.CurrentArchiveFolder);
}

// Domain is not stored: it follows from the Url by the split that stored URLs use.
void RecomputeDomain(TCacheItem& record) {
  std::string rest = record.Url;
  record.Domain = DomainFromHost(HostFromKey(rest));
}

void RemoveQuietly(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

// Writes all of bytes; false on a short write.
bool WriteAll(std::FILE* file, const std::string& bytes) {
  return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// Pushes what the C library and the system hold for the file onto the disk.
bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0)
    return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

// Makes a completed rename survive a crash: the folder entry itself is flushed.
void FlushFolder(const std::string& folder) {
#ifndef _WIN32
  const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (descriptor >= 0) {
    fsync(descriptor);
    close(descriptor);
  }
#else
  (void)folder;
#endif
}

// Replaces target by source in one step: at every moment target is either the old file or the
// new one.
bool MoveIntoPlace(const std::string& source, const std::string& target) {
#ifdef _WIN32
  // A hidden or read-only target would refuse to be replaced.
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  return MoveFileExA(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  return std::rename(source.c_str(), target.c_str()) == 0;
#endif
}

void MarkHidden(const std::string& path) {
#ifdef _WIN32
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
#else
  (void)path;  // this platform has no hidden attribute
#endif
}

// Serializes the records into the open file, freeing each one as soon as it is written out. A
// record that cannot be serialized is left out.
bool WriteRecords(std::FILE* file, ArchiveList::Records records) {
  std::string block;
  for (std::size_t position = 0; position < records.size(); ++position) {
    const std::size_t recordStart = block.size();
    try {
      WriteRecord(*records[position], block);
    } catch (...) {
      block.resize(recordStart);
    }
    records[position].reset();
    // Blocks end after positions 0, 10, 20 and so on.
    if (position % kRecordsPerBlock == 0) {
      if (!WriteAll(file, block))
        return false;
      block.clear();
    }
  }
  return WriteAll(file, block);
}

// The records of the file as far as they can be read.
void ReadRecords(const std::string& path, ArchiveList& archive) {
  try {
    TSimpleBufferFileStream stream(path);
    for (;;) {
      auto record = std::make_unique<TCacheItem>();
      if (ReadRecord(*record, stream))
        break;
      RecomputeDomain(*record);
      archive.Append(std::move(record));
    }
  } catch (...) {
    // A damaged file gives the records read before the damage.
  }
}

}  // namespace

std::string UsedNames::Key(std::string_view domain, std::string_view typeFolder,
                           std::string_view fileName) {
  std::string key;
  key.reserve(domain.size() + typeFolder.size() + fileName.size() + 2);
  key.append(domain).append("\\").append(typeFolder).append("\\").append(fileName);
  return key;
}

void UsedNames::Add(std::string_view key) {
  keys_.insert(LowerCase(key));
}

bool UsedNames::Contains(std::string_view key) const {
  return keys_.count(LowerCase(key)) != 0;
}

const TCacheItem* ArchiveList::Find(std::string_view url) const {
  const auto found = firstPosition_.find(std::string(url));
  return found == firstPosition_.end() ? nullptr : records_[found->second].get();
}

void ArchiveList::Append(std::unique_ptr<TCacheItem> record) {
  // emplace keeps an existing entry: the index always names the first record with a Url.
  firstPosition_.emplace(record->Url, records_.size());
  records_.push_back(std::move(record));
}

void ArchiveList::Merge(const TCacheItem& item) {
  const auto found = firstPosition_.find(item.Url);
  if (found != firstPosition_.end()) {
    // Same Url, so the index stays right.
    Assign(*records_[found->second], item);
    return;
  }
  auto record = std::make_unique<TCacheItem>();
  Assign(*record, item);
  Append(std::move(record));
}

ArchiveList::Records ArchiveList::TakeAll() {
  firstPosition_.clear();
  Records taken = std::move(records_);
  records_.clear();
  return taken;
}

bool IsSafePathComponent(std::string_view name) {
  if (name.empty() || name == "." || name == "..")
    return false;
  for (const char c : name) {
    if (IsPathSeparator(c))
      return false;
  }
  return true;
}

std::optional<std::string> ArchivedFilePath(std::string_view archiveFolder, std::string_view domain,
                                            std::string_view typeFolder,
                                            std::string_view fileName) {
  if (!IsSafePathComponent(domain) || !IsSafePathComponent(typeFolder) ||
      !IsSafePathComponent(fileName))
    return std::nullopt;
  return JoinPath(JoinPath(JoinPath(archiveFolder, domain), typeFolder), fileName);
}

ArchiveList ReadArchiveFile(const std::string& archiveFolder) {
  ArchiveList archive;
  const std::string path = JoinPath(archiveFolder, kArchiveFileName);
  if (FileExists(path))
    ReadRecords(path, archive);
  return archive;
}

ArchiveList LoadArchive(const AppContext& context, UsedNames& usedNames) {
  const std::string folder = ArchiveFolderOf(context);
  const std::string path = folder + kArchiveFileName;
  ArchiveList archive;
  if (FileExists(path)) {
    ArchiveList stored = ReadArchiveFile(folder);
    // Keep the records whose archived file is there. Records whose Domain, type folder or
    // FileName cannot be a single path component inside the archive folder are dropped too:
    // no file of theirs can be found or written safely.
    for (auto& record : stored.TakeAll()) {
      const std::string typeFolder = context.mimeTable.MimeTypeFolder(record->MimeIndex);
      const auto file = ArchivedFilePath(folder, record->Domain, typeFolder, record->FileName);
      if (!file || !FileExists(*file))
        continue;
      usedNames.Add(UsedNames::Key(record->Domain, typeFolder, record->FileName));
      archive.Append(std::move(record));
    }
  } else if (!DirectoryExists(folder)) {
    try {
      ForceFolder(folder);
    } catch (...) {
      // The run checks the folder itself and reports in its own words.
    }
  }
  CopyIndexImages(context);
  return archive;
}

std::optional<std::string> FindArchivedName(const ArchiveList& archive, std::string_view url) {
  const TCacheItem* record = archive.Find(url);
  if (!record)
    return std::nullopt;
  return record->FileName;
}

void MergeIntoArchive(ArchiveList& archive, const TCacheItem& item) {
  archive.Merge(item);
}

bool SaveArchive(const AppContext& context, ArchiveList& archive) {
  const std::string folder = ArchiveFolderOf(context);
  const std::string path = folder + kArchiveFileName;
  const std::string temporary = folder + kTemporaryFileName;
  ArchiveList::Records records = archive.TakeAll();
  if (records.empty()) {
    RemoveQuietly(path);
    RemoveQuietly(temporary);
    return !FileExists(path);
  }

  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file)
    return false;
  bool written = WriteRecords(file, std::move(records));
  written = FlushToDisk(file) && written;
  written = std::fclose(file) == 0 && written;
  // Only a complete, flushed archive.tmp may take the place of archive.dat.
  if (!written || !MoveIntoPlace(temporary, path)) {
    RemoveQuietly(temporary);
    return false;
  }
  FlushFolder(folder);
  MarkHidden(path);
  return true;
}

const std::vector<std::string>& IndexImageNames() {
  // Spelled as the pages name them, so that the pages find them where letter case matters.
  static const std::vector<std::string> names = {
      "audio",   "text",    "video",  "other",  "image",    "uAudio",   "utext",
      "uVideo",  "uOther",  "uImage", "dAudio", "dtext",    "dVideo",   "dOther",
      "dImage",  "gAudio",  "gtext",  "gVideo", "gOther",   "gImage",   "folder",
      "lfolder", "ofolder", "ftext",  "ltext",  "notfound", "Pagehold", "CorvaneLogo"};
  return names;
}

void CopyIndexImages(const AppContext& context) {
  const std::string images = ArchiveFolderOf(context) + "images";
  const std::string sources = JoinPath(context.programFolder, "images");
  try {
    if (!DirectoryExists(images))
      ForceFolder(images);
    for (const std::string& name : IndexImageNames()) {
      const std::string target = JoinPath(images, name + ".gif");
      if (!FileExists(target))
        CopyOver(JoinPath(sources, name + ".gif"), target);
    }
  } catch (...) {
    // Pictures are a nicety of the pages; a missing one never stops a run.
  }
}

}  // namespace pagehold
