#include "NavigatorTestCaches.h"

#include "cache/Text.h"
#include "support/TestFiles.h"

namespace pagehold::testing {

RawEntry ExpectedRawEntry(const testgen::NavCacheEntry& entry) {
  // Stored lengths count the zero byte: a name is taken below 50, a type below 100 and a URL
  // below 512; a taken type is cut to 50 characters and a URL to 255.
  const size_t nameLength = entry.fileName.size() + 1;
  const size_t typeLength = entry.contentType.size() + 1;
  const size_t urlLength = entry.url.size() + 1;
  std::string name = nameLength < 50 ? LowerCase(entry.fileName) : "";
  std::string type = typeLength < 100 ? LowerCase(entry.contentType).substr(0, 50) : "";
  std::string url = urlLength < 512 ? entry.url.substr(0, 255) : "";
  return {url, name, type, entry.lastAccessed};
}

RawEntry AsRawEntry(const NavigatorEntryFields& fields) {
  return {fields.url, fields.cacheFileName, fields.contentType, fields.time};
}

std::vector<NavigatorEntryFields> ParseAllPages(const std::string& indexPath, int pageSize) {
  const std::string file = ReadFile(indexPath);
  std::vector<NavigatorEntryFields> all;
  for (size_t at = static_cast<size_t>(pageSize); at < file.size();
       at += static_cast<size_t>(pageSize)) {
    for (NavigatorEntryFields& fields : ParseIndexPage(std::string_view(file).substr(at), pageSize))
      all.push_back(std::move(fields));
  }
  return all;
}

}  // namespace pagehold::testing
