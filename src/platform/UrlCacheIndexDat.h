// The URL cache calls answered from a cache folder's own index.dat, for systems without
// WinINet and for caches copied from another machine. Each enumeration reads the file once
// when it starts. Deleting an entry removes its cached file and leaves index.dat alone, so the
// next reading drops the entry (items without a cached file are not listed).
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/UrlCache.h"

namespace pagehold {

// The size WinINet needs for an entry: its fixed record (the 32-bit layout of the entry
// information record) followed by the strings it points to, each zero-terminated and
// starting on a 4-byte boundary.
std::uint32_t RequiredEntrySize(const UrlCacheEntry& entry);

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

  // The entries of index.dat as the calls report them, in their order; empty when the file
  // cannot be read.
  std::vector<UrlCacheEntry> ReadEntries() const;

 private:
  struct Enumeration {
    std::vector<UrlCacheEntry> entries;
    std::size_t next = 0;
  };

  bool GiveNext(Enumeration& enumeration, UrlCacheEntry& entry, std::uint32_t& bufferSize);
  bool Fail(UrlCacheError error);

  std::string cacheFolder_;
  std::unordered_map<UrlCacheFindHandle, std::unique_ptr<Enumeration>> enumerations_;
  UrlCacheError lastError_ = UrlCacheError::None;
};

}  // namespace pagehold
