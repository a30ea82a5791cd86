#ifdef _WIN32

#include "platform/UrlCacheWinInet.h"

// clang-format off
#include <windows.h>
#include <wininet.h>
// clang-format on

#include <string>
#include <vector>

namespace pagehold {

namespace {

// The WinINet calls, looked up in wininet.dll when first needed, so that the program links
// without an import library and reports a missing library as a failed call.
struct WinInetCalls {
  decltype(&FindFirstUrlCacheEntryA) findFirst = nullptr;
  decltype(&FindNextUrlCacheEntryA) findNext = nullptr;
  decltype(&FindCloseUrlCache) findClose = nullptr;
  decltype(&DeleteUrlCacheEntryA) deleteEntry = nullptr;
};

template <typename Function>
void LookUp(HMODULE library, const char* name, Function& function) {
  // Through the generic function pointer type, which converts to any other without a warning.
  function =
      reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

const WinInetCalls& Calls() {
  static const WinInetCalls calls = [] {
    WinInetCalls loaded;
    if (HMODULE library = LoadLibraryA("wininet.dll")) {
      LookUp(library, "FindFirstUrlCacheEntryA", loaded.findFirst);
      LookUp(library, "FindNextUrlCacheEntryA", loaded.findNext);
      LookUp(library, "FindCloseUrlCache", loaded.findClose);
      LookUp(library, "DeleteUrlCacheEntryA", loaded.deleteEntry);
    }
    return loaded;
  }();
  return calls;
}

FileTime FromFileTime(const FILETIME& time) {
  return (static_cast<FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

UrlCacheError ErrorOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_HANDLE:
    case ERROR_INSUFFICIENT_BUFFER:
    case ERROR_NO_MORE_ITEMS:
    case ERROR_SERVICE_NOT_ACTIVE:
      return static_cast<UrlCacheError>(error);
    default:
      return UrlCacheError::Other;
  }
}

// Copies what callers use out of the entry information record in the buffer.
void CopyEntry(const INTERNET_CACHE_ENTRY_INFOA& info, UrlCacheEntry& entry) {
  entry.sourceUrlName = info.lpszSourceUrlName ? info.lpszSourceUrlName : "";
  entry.localFileName = info.lpszLocalFileName ? info.lpszLocalFileName : "";
  entry.lastAccessTime = FromFileTime(info.LastAccessTime);
  entry.lastSyncTime = FromFileTime(info.LastSyncTime);
  entry.headerInfoSize = info.lpHeaderInfo ? info.dwHeaderInfoSize : 0;
  entry.headerInfo.assign(info.lpHeaderInfo ? reinterpret_cast<const char*>(info.lpHeaderInfo) : "",
                          entry.headerInfoSize);
}

// A buffer for one entry, aligned for the record at its start.
std::vector<std::uint64_t> EntryBuffer(std::uint32_t bufferSize) {
  return std::vector<std::uint64_t>((bufferSize + 7) / 8 + 1);
}

}  // namespace

void WinInetUrlCache::TakeSystemError() {
  systemError_ = GetLastError();
  lastError_ = ErrorOf(systemError_);
}

std::string WinInetUrlCache::LastErrorMessage() const {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, systemError_, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length ? std::string(text, length) : std::string();
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
    message.pop_back();
  return message.empty() ? "system error " + std::to_string(systemError_) : message;
}

UrlCacheFindHandle WinInetUrlCache::FindFirstEntry(const std::string& pattern, UrlCacheEntry& entry,
                                                   std::uint32_t& bufferSize) {
  std::vector<std::uint64_t> buffer = EntryBuffer(bufferSize);
  auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
  if (!Calls().findFirst) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    TakeSystemError();
    return nullptr;
  }
  DWORD size = bufferSize;
  // WinINet documents no pattern but "cookie:", "visited:" and none at all (every content
  // entry). Windows takes "*.*" like none; other implementations (Wine) match it against the
  // prefixes of the cache's containers and so find nothing.
  const bool everyEntry = pattern.empty() || pattern == "*.*";
  HANDLE handle = Calls().findFirst(everyEntry ? nullptr : pattern.c_str(), info, &size);
  bufferSize = size;
  if (!handle) {
    TakeSystemError();
    return nullptr;
  }
  CopyEntry(*info, entry);
  lastError_ = UrlCacheError::None;
  return handle;
}

bool WinInetUrlCache::FindNextEntry(UrlCacheFindHandle handle, UrlCacheEntry& entry,
                                    std::uint32_t& bufferSize) {
  std::vector<std::uint64_t> buffer = EntryBuffer(bufferSize);
  auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
  if (!Calls().findNext) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    TakeSystemError();
    return false;
  }
  DWORD size = bufferSize;
  const BOOL found = Calls().findNext(handle, info, &size);
  bufferSize = size;
  if (!found) {
    TakeSystemError();
    return false;
  }
  CopyEntry(*info, entry);
  lastError_ = UrlCacheError::None;
  return true;
}

bool WinInetUrlCache::FindClose(UrlCacheFindHandle handle) {
  if (!Calls().findClose || !Calls().findClose(handle)) {
    TakeSystemError();
    return false;
  }
  return true;
}

bool WinInetUrlCache::DeleteEntry(const std::string& sourceUrlName) {
  if (!Calls().deleteEntry || !Calls().deleteEntry(sourceUrlName.c_str())) {
    TakeSystemError();
    return false;
  }
  return true;
}

}  // namespace pagehold

#endif  // _WIN32
