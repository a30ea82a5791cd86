// index.dat of an IE cache: the whole file decoded, and each live record turned into the
// entry that the cache enumeration reports.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "ItemCheck.h"
#include "cache/Url.h"
#include "platform/IndexDatFile.h"
#include "platform/IndexDatHeader.h"
#include "platform/UrlCacheIndexDat.h"
#include "sources/UrlCacheSource.h"

using namespace pagehold;

namespace {

const std::string kCacheFolder = "/cache";

// A local file name is the cache folder, at most one sub-folder and a file name, each a plain
// component: never a path that leads elsewhere.
void CheckLocalFileName(const std::string& path) {
  if (path.empty())
    return;
  FUZZ_CHECK(path.starts_with(kCacheFolder + "/"));
  std::string_view rest = std::string_view(path).substr(kCacheFolder.size() + 1);
  int components = 0;
  while (true) {
    const std::size_t slash = rest.find('/');
    FUZZ_CHECK(IsPlainPathComponent(rest.substr(0, slash)));
    ++components;
    if (slash == std::string_view::npos)
      break;
    rest.remove_prefix(slash + 1);
  }
  FUZZ_CHECK(components <= 2);
}

// The item the IE cache reading makes of the entry (see ItemFromEntry of UrlCacheSource).
void CheckItem(const UrlCacheEntry& entry) {
  const std::string type = ContentTypeFromHeaders(entry.headerInfo);
  FUZZ_CHECK(!type.empty() && type.size() <= 241);
  FUZZ_CHECK(type.find_first_of("\r\n") == std::string::npos && !HoldsUpperCase(type));
  // Dates come from DOS times from 1980 on, or are 0 when the time cannot be one.
  FUZZ_CHECK(CacheFileTimeToDate(entry.lastSyncTime) >= 0);
  FUZZ_CHECK(CacheFileTimeToDate(entry.lastAccessTime) >= 0);

  const ItemAddress address = ItemAddressFromKey(entry.sourceUrlName);
  if (address.domain != "NONE")
    CheckDomainReloads(address.url, address.domain);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  auto contents = ParseIndexDat(file);
  if (!contents)
    return 0;
  FUZZ_CHECK(contents->header.cacheFolders.size() <= kIndexDatMaxFolders);
  for (const std::string& folder : contents->header.cacheFolders)
    FUZZ_CHECK(folder.empty() || IsPlainPathComponent(folder));
  for (const IndexDatEntry& entry : contents->entries) {
    FUZZ_CHECK(entry.recordOffset >= 0x4000 && entry.recordOffset < size);
    // Everything a record holds lies inside its blocks, which lie inside the file.
    FUZZ_CHECK(entry.record.blocks > 0);
    FUZZ_CHECK(entry.recordOffset + std::uint64_t{entry.record.blocks} * 128 <= size);
    const UrlCacheEntry reported = EntryFromRecord(entry.record, contents->header, kCacheFolder);
    CheckLocalFileName(reported.localFileName);
    FUZZ_CHECK(reported.headerInfo.size() == reported.headerInfoSize);
    FUZZ_CHECK(RequiredEntrySize(reported) >= reported.sourceUrlName.size());
    CheckItem(reported);
  }
  return 0;
}
