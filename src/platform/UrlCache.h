// The URL cache of Internet Explorer, in the shape of WinINet's enumeration calls: find first
// (with a pattern), find next, close, and delete by source name.
//
// Each call fills one entry as WinINet fills its entry information record. The caller passes
// the size of its entry buffer; an entry whose record (the fixed part followed by its strings)
// needs more than that is not given: the call fails with UrlCacheError::InsufficientBuffer,
// bufferSize is set to the size needed, and the enumeration stays where it was, so the same
// call can be repeated with a larger buffer.
//
// On Windows with an empty cache folder the system's cache is used through WinINet; otherwise
// the cache folder's own index.dat is read.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace pagehold {

// Windows file time: 100-nanosecond ticks since 1601-01-01 UTC; 0 = not set.
using FileTime = std::uint64_t;

// The error codes of the calls, with the values of the system's error codes.
enum class UrlCacheError : std::uint32_t {
  None = 0,
  FileNotFound = 2,
  InvalidHandle = 6,
  InsufficientBuffer = 122,
  NoMoreItems = 259,
  ServiceNotActive = 1062,
  Other = 0xFFFFFFFF,
};

// The entry fields that callers use.
struct UrlCacheEntry {
  std::string sourceUrlName;  // the entry's key: a URL, or a key such as "Cookie:user@host/"
  std::string localFileName;  // full path of the cached copy; empty when the entry has none
  FileTime lastAccessTime = 0;
  FileTime lastSyncTime = 0;
  std::string headerInfo;  // header information, exactly headerInfoSize bytes
  std::uint32_t headerInfoSize = 0;
  // The entry names a cached file that cannot be used as it stands (a name that is not a plain
  // file name, or a sub-folder the index does not list); localFileName is then empty.
  bool unusableLocalName = false;
};

// What reading a cache's own index file found, for caches that are read from one: known once
// an enumeration has started. A cache read through the system knows none of it.
struct UrlCacheIndexNotes {
  std::string indexPath;           // the index file; empty when the cache is not read from one
  std::string unreadable;          // not empty: the index file could not be read, and why
  std::string refusal;             // not empty: the file is not a cache index of this kind, and why
  std::size_t entries = 0;         // entries the enumeration gives (0: not known)
  std::size_t damagedRecords = 0;  // live entries whose record cannot be read
  std::size_t damagedTables = 0;   // hash tables of the chain that cannot be read
  std::uint64_t fileSize = 0;      // the file ended early when this is below recordedSize
  std::uint64_t recordedSize = 0;
};

// The buffer size WinINet callers traditionally pass.
inline constexpr std::uint32_t kDefaultEntryBufferSize = 8192;

using UrlCacheFindHandle = void*;

class UrlCache {
 public:
  virtual ~UrlCache() = default;

  // Starts an enumeration of the entries whose key matches the pattern ("*.*" or empty: all;
  // otherwise the keys that begin with it, case ignored) and gives the first one. Returns
  // nullptr on failure (see LastError: NoMoreItems for an empty cache).
  virtual UrlCacheFindHandle FindFirstEntry(const std::string& pattern, UrlCacheEntry& entry,
                                            std::uint32_t& bufferSize) = 0;

  // Gives the next entry; false at the end (NoMoreItems) or on failure.
  virtual bool FindNextEntry(UrlCacheFindHandle handle, UrlCacheEntry& entry,
                             std::uint32_t& bufferSize) = 0;

  virtual bool FindClose(UrlCacheFindHandle handle) = 0;

  // Removes the entry with this key from the cache. Fails with FileNotFound when the cache
  // holds no such entry.
  virtual bool DeleteEntry(const std::string& sourceUrlName) = 0;

  // The error of the last failed call, and why it failed in words (the system's, where the
  // system gave a reason).
  virtual UrlCacheError LastError() const = 0;
  virtual std::string LastErrorMessage() const = 0;

  // What the last enumeration found in the cache's index file.
  virtual UrlCacheIndexNotes IndexNotes() const { return {}; }
};

// The URL cache of a cache folder (the folder that holds index.dat). On Windows an empty
// folder means the system's WinINet cache.
std::unique_ptr<UrlCache> OpenUrlCache(const std::string& cacheFolder);

}  // namespace pagehold
