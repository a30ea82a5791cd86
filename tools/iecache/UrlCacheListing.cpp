#include "iecache/UrlCacheListing.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <stdexcept>
#include <variant>

#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/UrlCacheIndexDat.h"
#include "sources/UrlCacheSource.h"

namespace pagehold::testgen {

namespace {

std::string Hex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char byte : bytes) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return hex;
}

// The shortest text that reads back as the same double.
std::string Exact(double value) {
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

std::string RelativeFile(const std::string& path, const std::string& cacheFolder) {
  const std::string folder = WithTrailingSeparator(cacheFolder);
  std::string relative = path.starts_with(folder) ? path.substr(folder.size()) : path;
  std::replace(relative.begin(), relative.end(), '\\', '/');
  return relative;
}

}  // namespace

std::string ListingLine(const UrlCacheEntry& entry, const std::string& cacheFolder,
                        TMimeTable& mimeTable) {
  std::string line = entry.sourceUrlName + "\t" + RelativeFile(entry.localFileName, cacheFolder) +
                     "\t" + std::to_string(entry.lastAccessTime) + "\t" +
                     std::to_string(entry.lastSyncTime) + "\t" +
                     Hex(entry.headerInfo.substr(0, entry.headerInfoSize));
  CachedFileCheck check(cacheFolder, IsUrlCacheOwnFileName);
  auto made = ItemFromEntry(entry, mimeTable, check);
  if (const auto* reason = std::get_if<SkipReason>(&made))
    return line + "\tdropped\t" + std::to_string(static_cast<int>(*reason));
  const TCacheItem& item = *std::get<std::unique_ptr<TCacheItem>>(made);
  return line + "\t" + item.Url + "\t" + Exact(item.Date) + "\t" +
         mimeTable.MimeTypeName(item.MimeIndex) + "\t" + std::to_string(item.ContentKind);
}

std::vector<std::string> SortedLines(std::vector<std::string> lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

std::vector<std::string> ListIndexDat(const std::string& cacheFolder, TMimeTable& mimeTable) {
  std::vector<std::string> lines;
  for (const UrlCacheEntry& entry : IndexDatUrlCache(cacheFolder).ReadEntries())
    lines.push_back(ListingLine(entry, cacheFolder, mimeTable));
  return SortedLines(std::move(lines));
}

void WriteListing(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\n";
  if (Status written = WriteWholeFile(path, text); !written)
    throw std::runtime_error(written.failure().Describe());
}

std::vector<std::string> ReadListing(const std::string& path) {
  const Result<std::string> text = ReadWholeFile(path);
  if (!text)
    throw std::runtime_error(text.failure().Describe());
  std::vector<std::string> lines;
  std::istringstream in(*text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

}  // namespace pagehold::testgen
