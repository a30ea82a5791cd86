#ifdef _WIN32

#include "wininet/WinInetCache.h"

#include <windows.h>
// wininet.h needs the types of windows.h.
#include <wininet.h>

#include <filesystem>
#include <stdexcept>

#include "files/FolderCopy.h"
#include "iecache/UrlCacheListing.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/UrlCacheFolder.h"
#include "platform/UrlCacheWinInet.h"

namespace pagehold::testgen {

namespace fs = std::filesystem;

namespace {

void Check(bool done, const std::string& what) {
  if (!done)
    throw std::runtime_error(what + ": system error " + std::to_string(GetLastError()));
}

}  // namespace

void CommitToWinInet(WinInetEntry& entry) {
  char file[MAX_PATH] = {};
  Check(CreateUrlCacheEntryA(entry.url.c_str(), 0, "htm", file, 0),
        "cannot name a file for " + entry.url);
  entry.localFile = file;
  if (Status written = WriteWholeFile(entry.localFile, "content of " + entry.url); !written)
    throw std::runtime_error(written.failure().Describe());
  const FILETIME unset{};
  Check(CommitUrlCacheEntryA(
            entry.url.c_str(), file, unset, unset, entry.entryType,
            entry.headers.empty() ? nullptr : reinterpret_cast<BYTE*>(entry.headers.data()),
            static_cast<DWORD>(entry.headers.size()), "htm", nullptr),
        "cannot commit " + entry.url);
  if (!entry.lastAccess)
    return;
  INTERNET_CACHE_ENTRY_INFOA info{};
  info.dwStructSize = sizeof info;
  info.LastAccessTime = {static_cast<DWORD>(*entry.lastAccess),
                         static_cast<DWORD>(*entry.lastAccess >> 32)};
  Check(SetUrlCacheEntryInfoA(entry.url.c_str(), &info, CACHE_ENTRY_ACCTIME_FC),
        "cannot set the access time of " + entry.url);
}

std::vector<std::string> WinInetKeys() {
  std::vector<std::string> keys;
  constexpr DWORD kBufferSize = 16384;
  std::vector<std::uint64_t> buffer(kBufferSize / 8);
  auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
  DWORD size = kBufferSize;
  // No pattern: every container.
  HANDLE find = FindFirstUrlCacheEntryA(nullptr, info, &size);
  if (!find)
    return keys;
  do {
    keys.push_back(info->lpszSourceUrlName);
    size = kBufferSize;
  } while (FindNextUrlCacheEntryA(find, info, &size));
  FindCloseUrlCache(find);
  return keys;
}

void ClearWinInetCache() {
  for (const std::string& key : WinInetKeys())
    Check(DeleteUrlCacheEntryA(key.c_str()), "cannot delete " + key);
}

std::size_t ExportWinInetCache(const std::string& exportFolder, TMimeTable& mimeTable) {
  const std::string cacheFolder = DefaultUrlCacheFolder(*OpenRegistry());
  if (!FileExists(JoinPath(cacheFolder, "index.dat")))
    throw std::runtime_error("no index.dat in the cache folder " + cacheFolder);
  WinInetUrlCache cache;
  std::vector<std::string> lines;
  UrlCacheEntry entry;
  std::uint32_t size = kDefaultEntryBufferSize;
  UrlCacheFindHandle find = cache.FindFirstEntry("*.*", entry, size);
  if (find == nullptr)
    throw std::runtime_error("cannot enumerate the cache: " + cache.LastErrorMessage());
  do {
    // Cookies and history keep index files of their own, elsewhere.
    if (entry.localFileName.starts_with(WithTrailingSeparator(cacheFolder)))
      lines.push_back(ListingLine(entry, cacheFolder, mimeTable));
    size = kDefaultEntryBufferSize;
  } while (cache.FindNextEntry(find, entry, size));
  cache.FindClose(find);

  const std::string target = JoinPath(exportFolder, kExportedCacheFolder);
  fs::remove_all(target);
  CopyFolderContents(cacheFolder, target);
  WriteListing(JoinPath(exportFolder, kListingFileName), SortedLines(lines));
  return lines.size();
}

}  // namespace pagehold::testgen

#endif  // _WIN32
