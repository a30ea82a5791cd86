#include "iecache/SyntheticIeCache.h"

#include <iterator>
#include <random>
#include <string>

namespace pagehold::testgen {

namespace {

struct TypeChoice {
  const char* type;
  const char* extension;
};

constexpr TypeChoice kTypes[] = {
    {"text/html", "htm"},  {"text/html", "htm"},       {"image/gif", "gif"},
    {"image/jpeg", "jpg"}, {"text/css", "css"},        {"application/x-javascript", "js"},
    {"text/plain", "txt"}, {"application/pdf", "pdf"},
};

constexpr FileTime kOneSecond = 10'000'000;

}  // namespace

IeCache SyntheticIeCache(std::size_t count, const SyntheticIeOptions& options) {
  std::mt19937 random(options.seed);
  const auto pick = [&](std::size_t size) { return static_cast<std::size_t>(random() % size); };
  const FileTime first =
      options.firstAccess ? options.firstAccess : MakeFileTime(2003, 5, 12, 9, 30, 14);
  IeCache cache;
  cache.entries.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const TypeChoice& type = kTypes[pick(std::size(kTypes))];
    IeCacheEntry entry;
    entry.url = "http://www.example-" + std::to_string(pick(12)) + ".test/dir" +
                std::to_string(pick(50)) + "/item" + std::to_string(i) + "." + type.extension;
    entry.folderIndex = static_cast<int>(i % cache.folders.size());
    entry.fileName = "item" + std::to_string(i) + "[1]." + type.extension;
    entry.body = std::string(options.bodyBytes, static_cast<char>('a' + i % 26));
    entry.headers = HttpHeaders({std::string("Content-Type: ") + type.type});
    entry.lastAccess = first + static_cast<FileTime>(i * 37 + pick(3600)) * kOneSecond;
    entry.lastSync = MakeFat(entry.lastAccess);
    cache.entries.push_back(std::move(entry));
  }
  return cache;
}

}  // namespace pagehold::testgen
