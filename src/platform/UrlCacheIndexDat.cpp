#include "platform/UrlCacheIndexDat.h"

#include <filesystem>
#include <system_error>

#include "platform/IndexDatFile.h"
#include "platform/Paths.h"

namespace pagehold {

namespace {

// Size of the fixed entry information record of the 32-bit WinINet interface.
constexpr std::uint32_t kEntryRecordSize = 80;

std::uint64_t Aligned(std::uint64_t size) {
  return (size + 3) & ~std::uint64_t{3};
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size())
    return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const char a = (text[i] >= 'A' && text[i] <= 'Z') ? text[i] - 'A' + 'a' : text[i];
    const char b = (prefix[i] >= 'A' && prefix[i] <= 'Z') ? prefix[i] - 'A' + 'a' : prefix[i];
    if (a != b)
      return false;
  }
  return true;
}

bool MatchesPattern(const UrlCacheEntry& entry, const std::string& pattern) {
  return pattern.empty() || pattern == "*.*" ||
         StartsWithIgnoringCase(entry.sourceUrlName, pattern);
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

IndexDatUrlCache::IndexDatUrlCache(std::string cacheFolder)
    : cacheFolder_(std::move(cacheFolder)) {}

IndexDatUrlCache::~IndexDatUrlCache() = default;

std::vector<UrlCacheEntry> IndexDatUrlCache::ReadEntries() const {
  std::vector<UrlCacheEntry> entries;
  const std::optional<IndexDatContents> contents =
      ReadIndexDat(JoinPath(cacheFolder_, "index.dat"));
  if (!contents)
    return entries;
  entries.reserve(contents->entries.size());
  for (const IndexDatEntry& indexEntry : contents->entries)
    entries.push_back(EntryFromRecord(indexEntry.record, contents->header, cacheFolder_));
  return entries;
}

bool IndexDatUrlCache::Fail(UrlCacheError error) {
  lastError_ = error;
  return false;
}

bool IndexDatUrlCache::GiveNext(Enumeration& enumeration, UrlCacheEntry& entry,
                                std::uint32_t& bufferSize) {
  if (enumeration.next >= enumeration.entries.size())
    return Fail(UrlCacheError::NoMoreItems);
  const UrlCacheEntry& next = enumeration.entries[enumeration.next];
  const std::uint32_t needed = RequiredEntrySize(next);
  if (needed > bufferSize) {
    // The position stays, so that the caller can ask again with a larger buffer.
    bufferSize = needed;
    return Fail(UrlCacheError::InsufficientBuffer);
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
  auto enumeration = std::make_unique<Enumeration>();
  for (UrlCacheEntry& candidate : ReadEntries())
    if (MatchesPattern(candidate, pattern))
      enumeration->entries.push_back(std::move(candidate));
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
    return Fail(UrlCacheError::InvalidHandle);
  return GiveNext(*found->second, entry, bufferSize);
}

bool IndexDatUrlCache::FindClose(UrlCacheFindHandle handle) {
  if (enumerations_.erase(handle) == 0)
    return Fail(UrlCacheError::InvalidHandle);
  return true;
}

bool IndexDatUrlCache::DeleteEntry(const std::string& sourceUrlName) {
  for (const UrlCacheEntry& entry : ReadEntries()) {
    if (entry.sourceUrlName != sourceUrlName)
      continue;
    if (entry.localFileName.empty())
      return true;
    std::error_code error;
    std::filesystem::remove(entry.localFileName, error);
    if (error)
      return Fail(UrlCacheError::Other);
    return true;
  }
  return Fail(UrlCacheError::FileNotFound);
}

}  // namespace pagehold
