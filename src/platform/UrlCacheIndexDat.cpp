#include "platform/UrlCacheIndexDat.h"

#include <filesystem>
#include <system_error>

#include "platform/Files.h"
#include "platform/IndexDatFile.h"
#include "platform/Paths.h"

namespace pagehold {

namespace {

// Size of the fixed entry information record of the 32-bit WinINet interface.
constexpr std::uint32_t kEntryRecordSize = 80;

std::uint64_t Aligned(std::uint64_t size) {
  return (size + 3) & ~std::uint64_t{3};
}

char LowerLetter(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerLetter(a[i]) != LowerLetter(b[i]))
      return false;
  return true;
}

bool MatchesPattern(const UrlCacheEntry& entry, const std::string& pattern) {
  return pattern.empty() || pattern == "*.*" ||
         EqualIgnoringCase(std::string_view(entry.sourceUrlName).substr(0, pattern.size()),
                           pattern);
}

void NoteDamage(const IndexDatDamage& damage, UrlCacheIndexNotes& notes) {
  notes.damagedRecords = damage.damagedRecords;
  notes.damagedTables = damage.damagedTables;
  notes.fileSize = damage.fileSize;
  notes.recordedSize = damage.recordedSize;
}

}  // namespace

std::uint32_t RequiredEntrySize(const UrlCacheEntry& entry) {
  std::uint64_t size = kEntryRecordSize + Aligned(entry.sourceUrlName.size() + 1);
  if (!entry.localFileName.empty())
    size += Aligned(entry.localFileName.size() + 1);
  if (entry.headerInfoSize != 0)
    size += Aligned(std::uint64_t{entry.headerInfoSize} + 1);
  return size > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(size);
}

bool IsUrlCacheOwnFileName(std::string_view fileName) {
  return EqualIgnoringCase(fileName, "index.dat") || EqualIgnoringCase(fileName, "desktop.ini");
}

IndexDatUrlCache::IndexDatUrlCache(std::string cacheFolder)
    : cacheFolder_(std::move(cacheFolder)) {}

IndexDatUrlCache::~IndexDatUrlCache() = default;

std::vector<UrlCacheEntry> IndexDatUrlCache::ReadEntries(UrlCacheIndexNotes* notes) const {
  // Record by record straight into entries, without holding every decoded record as well.
  std::vector<UrlCacheEntry> entries;
  UrlCacheIndexNotes found;
  found.indexPath = JoinPath(cacheFolder_, "index.dat");
  // Without a folder the path would name an index.dat in whatever folder the program runs in.
  const Result<std::string> file =
      cacheFolder_.empty() ? Result<std::string>(Failure{"index.dat", "no cache folder is set"})
                           : ReadWholeFile(found.indexPath);
  const Result<IndexDatHeader> header =
      file ? ParseIndexDatHeader(*file) : Result<IndexDatHeader>(file.failure());
  if (!file) {
    found.unreadable = file.failure().Describe();
  } else if (!header) {
    found.refusal = header.failure().reason;
  } else {
    IndexDatDamage damage = DamageOfSize(*file, *header);
    const std::vector<std::uint32_t> offsets = LiveRecordOffsets(*file, *header, &damage);
    entries.reserve(offsets.size());
    for (std::uint32_t offset : offsets)
      if (std::optional<IndexDatUrlRecord> record = UrlRecordAt(*file, offset, damage))
        entries.push_back(EntryFromRecord(std::move(*record), *header, cacheFolder_));
    NoteDamage(damage, found);
    found.entries = entries.size();
  }
  if (notes != nullptr)
    *notes = std::move(found);
  return entries;
}

std::shared_ptr<const IndexDatUrlCache::Snapshot> IndexDatUrlCache::ReadSnapshot(
    UrlCacheIndexNotes* notes) const {
  auto snapshot = std::make_shared<Snapshot>();
  snapshot->entries = ReadEntries(notes);
  return snapshot;
}

const std::unordered_map<std::string_view, std::size_t>& IndexDatUrlCache::LiveKeys() {
  if (!snapshot_)
    snapshot_ = ReadSnapshot();
  if (!liveKeys_) {
    liveKeys_.emplace();
    liveKeys_->reserve(snapshot_->entries.size());
    for (std::size_t i = 0; i < snapshot_->entries.size(); ++i)
      liveKeys_->emplace(snapshot_->entries[i].sourceUrlName, i);  // the first one stays
  }
  return *liveKeys_;
}

bool IndexDatUrlCache::Fail(UrlCacheError error, std::string message) {
  lastError_ = error;
  lastErrorMessage_ = std::move(message);
  return false;
}

bool IndexDatUrlCache::GiveNext(Enumeration& enumeration, UrlCacheEntry& entry,
                                std::uint32_t& bufferSize) {
  const std::vector<UrlCacheEntry>& entries = enumeration.snapshot->entries;
  while (enumeration.next < entries.size() &&
         !MatchesPattern(entries[enumeration.next], enumeration.pattern))
    ++enumeration.next;
  if (enumeration.next >= entries.size())
    return Fail(UrlCacheError::NoMoreItems, "no more entries");
  const UrlCacheEntry& next = entries[enumeration.next];
  const std::uint32_t needed = RequiredEntrySize(next);
  if (needed > bufferSize) {
    // The position stays, so that the caller can ask again with a larger buffer.
    bufferSize = needed;
    return Fail(UrlCacheError::InsufficientBuffer, "the entry does not fit the buffer");
  }
  bufferSize = needed;
  entry = next;
  ++enumeration.next;
  lastError_ = UrlCacheError::None;
  return true;
}

UrlCacheFindHandle IndexDatUrlCache::FindFirstEntry(const std::string& pattern,
                                                    UrlCacheEntry& entry,
                                                    std::uint32_t& bufferSize) {
  // A new enumeration is a new reading: the deletions after it go by what it read.
  snapshot_ = ReadSnapshot(&notes_);
  liveKeys_.reset();
  auto enumeration = std::make_unique<Enumeration>(Enumeration{snapshot_, pattern, 0});
  if (!GiveNext(*enumeration, entry, bufferSize))
    return nullptr;
  UrlCacheFindHandle handle = enumeration.get();
  enumerations_.emplace(handle, std::move(enumeration));
  return handle;
}

bool IndexDatUrlCache::FindNextEntry(UrlCacheFindHandle handle, UrlCacheEntry& entry,
                                     std::uint32_t& bufferSize) {
  const auto found = enumerations_.find(handle);
  if (found == enumerations_.end())
    return Fail(UrlCacheError::InvalidHandle, "not an open enumeration");
  return GiveNext(*found->second, entry, bufferSize);
}

bool IndexDatUrlCache::FindClose(UrlCacheFindHandle handle) {
  if (enumerations_.erase(handle) == 0)
    return Fail(UrlCacheError::InvalidHandle, "not an open enumeration");
  return true;
}

bool IndexDatUrlCache::DeleteEntry(const std::string& sourceUrlName) {
  const auto found = LiveKeys().find(sourceUrlName);
  if (found == liveKeys_->end())
    return Fail(UrlCacheError::FileNotFound, "the cache holds no entry with this key");
  const std::string& path = snapshot_->entries[found->second].localFileName;
  if (!path.empty() && IsUrlCacheOwnFileName(FileNamePart(path)))
    return Fail(UrlCacheError::Other,
                "the entry names " + path + ", one of the cache's own files, never deleted");
  if (!boundary_)
    boundary_.emplace(cacheFolder_);
  if (!path.empty() && !boundary_->Holds(path))
    return Fail(UrlCacheError::Other, "the entry's file " + path +
                                          " lies outside the cache folder (through a linked "
                                          "folder), not deleted");
  // An entry is its cached file here: one whose file is gone already was not there to delete.
  bool removed = false;
  if (!path.empty()) {
    std::error_code error;
    // remove() takes a symbolic link away itself and never follows it.
    removed = std::filesystem::remove(path, error);
    if (error)
      return Fail(UrlCacheError::Other, "cannot delete " + path + ": " + error.message());
  }
  liveKeys_->erase(found);
  if (!removed)
    return Fail(UrlCacheError::FileNotFound, "the entry's cached file is gone already");
  lastError_ = UrlCacheError::None;
  return true;
}

}  // namespace pagehold
