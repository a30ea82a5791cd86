// Fills the system's URL cache through WinINet itself, the genuine producer of IE caches: the
// cache names each entry's local file, the body is written there, and the entry is committed
// with its headers, as a browser does. And hands such a cache to another reader: a copy of the
// cache folder with the listing of what the program's WinINet path reported. Windows only.
#pragma once

#ifdef _WIN32

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cache/MimeTable.h"
#include "platform/UrlCache.h"

namespace pagehold::testgen {

inline constexpr std::uint32_t kNormalEntry = 0x00000001;  // NORMAL_CACHE_ENTRY
inline constexpr std::uint32_t kCookieEntry = 0x00100000;  // COOKIE_CACHE_ENTRY

struct WinInetEntry {
  std::string url;      // the key; "Cookie:..." for a cookie
  std::string headers;  // empty: none
  std::uint32_t entryType = kNormalEntry;
  std::optional<FileTime> lastAccess{};  // set after the commit when given (the commit sets now)
  std::string localFile{};               // where the cache put the body; filled by the commit
};

// Commits the entry, its body being "content of " and its key. Throws std::runtime_error with
// the system's error code when WinINet refuses.
void CommitToWinInet(WinInetEntry& entry);

// Every key in every container of the cache (content, cookies, history).
std::vector<std::string> WinInetKeys();

// Deletes every entry of every container.
void ClearWinInetCache();

// Copies the folder of the content entries (the one whose index.dat the program's default IE
// cache folder names) to exportFolder/cache, and writes exportFolder/entries.tsv: the content
// entries as the program's WinINet path reports them. Returns the number of entries listed.
std::size_t ExportWinInetCache(const std::string& exportFolder, TMimeTable& mimeTable);

}  // namespace pagehold::testgen

#endif  // _WIN32
