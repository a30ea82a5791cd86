// Writes browser cache folders for tests, benchmarks and the bundled sample: the cache index
// (paged through the original hash library, or the older text form) and the cached files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "navcache/Db185HashFile.h"
#include "navcache/NavCacheRecords.h"

namespace pagehold::testgen {

struct PagedIndexOptions {
  HashFileOptions table;
  // Store the three bookkeeping pairs after every entry, as the browser does.
  bool bookkeeping = true;
  // Entries (by position) removed again after all were stored, as when the browser trims its
  // cache; their cached files are not written.
  std::vector<size_t> removed;
};

// Stores the entries in order. Throws std::runtime_error when the library is missing.
void WritePagedIndex(const std::string& indexPath, const std::vector<NavCacheEntry>& entries,
                     const PagedIndexOptions& options);

// The text index: a header line, then one tab-separated line per entry whose cached file path
// is written as on the system that made it (under systemFolder, with "\" separators).
std::string TextIndexBytes(const std::vector<NavCacheEntry>& entries,
                           const std::string& systemFolder);
void WriteTextIndex(const std::string& indexPath, const std::vector<NavCacheEntry>& entries);

// Writes each entry's body under its name on disk (subfolders made as needed), except for the
// entries that must be missing and the removed ones.
void WriteCachedFiles(const std::string& folder, const std::vector<NavCacheEntry>& entries,
                      const std::vector<size_t>& removed = {});

struct SyntheticOptions {
  std::uint32_t seed = 1;
  std::int32_t firstTime = 883612800;  // 1998-01-01
  // Names on disk in upper case while the index names them as written (mixed case).
  bool upperCaseDiskNames = false;
  // Add the awkward entries: long URLs (cut or dropped), long names and types, foreign
  // schemes, missing files.
  bool awkward = true;
  size_t bodyBytes = 64;
};

// count entries spread over a few invented hosts with a mix of content types.
std::vector<NavCacheEntry> SyntheticEntries(size_t count, const SyntheticOptions& options);

}  // namespace pagehold::testgen
