// The URL cache calls answered from a cache folder's own index.dat, for systems without
// WinINet and for caches copied from another machine.
//
// Each enumeration reads and decodes the file once when it starts, and the entries it read
// stay for the deletions that follow, which look their key up in them: reading a cache and
// deleting any number of its entries costs one reading of index.dat. Deleting an entry removes
// its cached file and leaves index.dat alone, so the next reading drops the entry (items
// without a cached file are not listed). The cache's own files (every index.dat, the folders'
// desktop.ini) and files that a linked sub-folder puts outside the cache are never deleted.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/FolderBoundary.h"
#include "platform/UrlCache.h"

namespace pagehold {

// The size WinINet needs for an entry: its fixed record (the 32-bit layout of the entry
// information record) followed by the strings it points to, each zero-terminated and
// starting on a 4-byte boundary.
std::uint32_t RequiredEntrySize(const UrlCacheEntry& entry);

// True for the file names of the cache's own bookkeeping (letter case aside), which no entry
// may have deleted.
bool IsUrlCacheOwnFileName(std::string_view fileName);

class IndexDatUrlCache : public UrlCache {
 public:
  // cacheFolder: the folder that holds index.dat.
  explicit IndexDatUrlCache(std::string cacheFolder);
  ~IndexDatUrlCache() override;

  UrlCacheFindHandle FindFirstEntry(const std::string& pattern, UrlCacheEntry& entry,
                                    std::uint32_t& bufferSize) override;
  bool FindNextEntry(UrlCacheFindHandle handle, UrlCacheEntry& entry,
                     std::uint32_t& bufferSize) override;
  bool FindClose(UrlCacheFindHandle handle) override;
  bool DeleteEntry(const std::string& sourceUrlName) override;
  UrlCacheError LastError() const override { return lastError_; }
  std::string LastErrorMessage() const override { return lastErrorMessage_; }
  UrlCacheIndexNotes IndexNotes() const override { return notes_; }

  // The entries of index.dat as the calls report them, in their order; empty when the file
  // cannot be read. notes, when given, receive what the reading found.
  std::vector<UrlCacheEntry> ReadEntries(UrlCacheIndexNotes* notes = nullptr) const;

 private:
  // One reading of index.dat.
  struct Snapshot {
    std::vector<UrlCacheEntry> entries;
  };
  struct Enumeration {
    std::shared_ptr<const Snapshot> snapshot;
    std::string pattern;
    std::size_t next = 0;
  };

  std::shared_ptr<const Snapshot> ReadSnapshot(UrlCacheIndexNotes* notes = nullptr) const;
  bool GiveNext(Enumeration& enumeration, UrlCacheEntry& entry, std::uint32_t& bufferSize);
  bool Fail(UrlCacheError error, std::string message);
  const std::unordered_map<std::string_view, std::size_t>& LiveKeys();

  std::string cacheFolder_;
  // The latest reading, which deletions use, and where each key first occurs in it (views
  // into its entries), built by the first deletion; a deleted entry's key leaves the map.
  std::shared_ptr<const Snapshot> snapshot_;
  std::optional<std::unordered_map<std::string_view, std::size_t>> liveKeys_;
  std::optional<FolderBoundary> boundary_;  // where deletions may remove files
  std::unordered_map<UrlCacheFindHandle, std::unique_ptr<Enumeration>> enumerations_;
  UrlCacheError lastError_ = UrlCacheError::None;
  std::string lastErrorMessage_;
  UrlCacheIndexNotes notes_;  // of the last enumeration started
};

}  // namespace pagehold
