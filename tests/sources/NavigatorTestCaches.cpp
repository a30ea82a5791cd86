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

std::string BuildPage(int pageSize, const std::vector<std::pair<std::string, std::string>>& pairs,
                      unsigned linkAddress) {
  std::string page(static_cast<size_t>(pageSize), '\0');
  std::vector<unsigned> words;
  size_t offset = page.size();
  for (const auto& [data, key] : pairs) {
    offset -= key.size();
    page.replace(offset, key.size(), key);
    words.push_back(static_cast<unsigned>(offset));
    offset -= data.size();
    page.replace(offset, data.size(), data);
    words.push_back(static_cast<unsigned>(offset));
  }
  if (linkAddress != 0) {
    words.push_back(linkAddress);
    words.push_back(0);
  }
  const auto putWord = [&](size_t at, unsigned value) {
    page[at] = static_cast<char>(value & 0xFF);
    page[at + 1] = static_cast<char>(value >> 8 & 0xFF);
  };
  putWord(0, static_cast<unsigned>(words.size()));
  for (size_t i = 0; i < words.size(); ++i)
    putWord(2 + 2 * i, words[i]);
  const size_t tableEnd = (words.size() + 3) * 2;
  putWord(2 + 2 * words.size(), static_cast<unsigned>(offset - tableEnd));
  putWord(4 + 2 * words.size(), static_cast<unsigned>(offset));
  return page;
}

std::pair<std::string, std::string> EntryPair(const testgen::NavCacheEntry& entry) {
  return {testgen::CacheDataRecord(entry), testgen::CacheKeyRecord(entry)};
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
