#include "navcache/NavCacheWriter.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <stdexcept>

namespace pagehold::testgen {

namespace {

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out)
    throw std::runtime_error("cannot write " + path.string());
}

void StoreBookkeeping(Db185HashFile& table, std::uint32_t totalBytes, std::uint32_t count) {
  table.Put(kDiskCacheSizeKey, NumberRecord(totalBytes));
  table.Put(kDiskCacheNumberKey, NumberRecord(count));
  table.Put(kCacheNameKey, CacheNameRecord());
}

std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  return text;
}

struct TypeChoice {
  const char* type;
  const char* extension;
};

constexpr TypeChoice kTypes[] = {{"text/html", "htm"},       {"image/gif", "gif"},
                                 {"image/jpeg", "jpg"},      {"text/plain", "txt"},
                                 {"application/pdf", "pdf"}, {"application/zip", "zip"},
                                 {"Image/GIF", "gif"},       {"audio/x-wav", "wav"},
                                 {"video/mpeg", "mpg"},      {"application/x-javascript", "js"}};

}  // namespace

void WritePagedIndex(const std::string& indexPath, const std::vector<NavCacheEntry>& entries,
                     const PagedIndexOptions& options) {
  Db185HashFile table(indexPath, options.table);
  std::uint32_t totalBytes = 0;
  std::uint32_t count = 0;
  for (const NavCacheEntry& entry : entries) {
    table.Put(CacheKeyRecord(entry), CacheDataRecord(entry));
    totalBytes += static_cast<std::uint32_t>(entry.body.size());
    ++count;
    if (options.bookkeeping)
      StoreBookkeeping(table, totalBytes, count);
  }
  for (size_t position : options.removed) {
    const NavCacheEntry& entry = entries.at(position);
    if (table.Remove(CacheKeyRecord(entry))) {
      totalBytes -= static_cast<std::uint32_t>(entry.body.size());
      --count;
      if (options.bookkeeping)
        StoreBookkeeping(table, totalBytes, count);
    }
  }
  table.Close();
}

std::string TextIndexBytes(const std::vector<NavCacheEntry>& entries,
                           const std::string& systemFolder) {
  std::string text = "MCOM-Cache-file-allocation-table-format-1\n";
  size_t number = 0;
  for (const NavCacheEntry& entry : entries) {
    std::string path = systemFolder;
    for (char c : entry.fileName)
      path += c == '/' ? '\\' : c;
    text += std::to_string(++number) + "\t" + std::to_string(entry.body.size()) + "\t" +
            std::to_string(entry.lastAccessed) + "\t" + path + "\t" + entry.url + "\t" +
            entry.contentType + "\t" + std::to_string(entry.expires) + "\t\n";
  }
  return text;
}

void WriteTextIndex(const std::string& indexPath, const std::vector<NavCacheEntry>& entries) {
  WriteBytes(indexPath, TextIndexBytes(entries, "C:\\NETSCAPE\\CACHE\\"));
}

void WriteCachedFiles(const std::string& folder, const std::vector<NavCacheEntry>& entries,
                      const std::vector<size_t>& removed) {
  const std::set<size_t> skipped(removed.begin(), removed.end());
  for (size_t i = 0; i < entries.size(); ++i) {
    const NavCacheEntry& entry = entries[i];
    if (!entry.writeFile || skipped.count(i) || entry.NameOnDisk().empty())
      continue;
    WriteBytes(std::filesystem::path(folder) / entry.NameOnDisk(), entry.body);
  }
}

std::vector<NavCacheEntry> SyntheticEntries(size_t count, const SyntheticOptions& options) {
  std::mt19937 random(options.seed);
  const auto pick = [&](size_t size) { return static_cast<size_t>(random() % size); };
  std::vector<NavCacheEntry> entries;
  entries.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    NavCacheEntry entry;
    const TypeChoice& type = kTypes[pick(std::size(kTypes))];
    const std::string host = "www.example-" + std::to_string(pick(12)) + ".test";
    const std::string port = pick(10) == 0 ? ":8080" : "";
    entry.url = "http://" + host + port + "/dir" + std::to_string(pick(50)) + "/item" +
                std::to_string(i) + "." + type.extension;
    if (pick(8) == 0)
      entry.url += "?q=" + std::to_string(random());
    entry.contentType = type.type;
    entry.fileName = "M" + std::to_string(100000 + i) + "." + UpperAscii(type.extension);
    if (!options.upperCaseDiskNames)
      entry.fileName = [&] {
        std::string lower = entry.fileName;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
        return lower;
      }();
    else
      entry.diskName = UpperAscii(entry.fileName);
    entry.lastAccessed = options.firstTime + static_cast<std::int32_t>(i * 37 + pick(3600));
    entry.lastModified = entry.lastAccessed - static_cast<std::int32_t>(pick(100000));
    entry.body = std::string(options.bodyBytes, static_cast<char>('a' + i % 26));

    if (options.awkward) {
      switch (i % 29) {
        case 3:  // a URL longer than the 255 characters that are kept
          entry.url += "/" + std::string(300, 'x');
          break;
        case 7:  // a URL too long to be taken at all: the entry is dropped
          entry.url += "/" + std::string(600, 'y');
          break;
        case 11:  // a name of 49 characters: too long to be taken, so the entry is dropped
          entry.fileName =
              std::string(45 - std::to_string(i).size(), 'n') + std::to_string(i) + ".htm";
          entry.diskName.clear();
          break;
        case 13:  // a type longer than the 50 characters that are kept
          entry.contentType = "application/x-" + std::string(60, 't');
          break;
        case 17:  // a type too long to be taken
          entry.contentType = "application/x-" + std::string(100, 'u');
          break;
        case 19:
          entry.url = "ftp://ftp.example-files.test/pub/file" + std::to_string(i) + ".txt";
          break;
        case 23:
          entry.writeFile = false;
          break;
        default:
          break;
      }
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace pagehold::testgen
