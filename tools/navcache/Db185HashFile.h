// A hash table file written through the original Berkeley DB 1.85 library (libdb.so.2 from
// libdb1-compat), loaded at run time so that nothing at build time needs it. This is the
// library the browser's cache index was written with, so the files it makes have genuine page
// layouts: overflow pages and their links, freed pages with stale pairs, big pairs.
#pragma once

#include <string>
#include <string_view>

namespace pagehold::testgen {

struct HashFileOptions {
  unsigned pageSize = 4096;  // the "bsize" of the table
  unsigned fillFactor = 0;   // 0: the library's default
  unsigned expectedEntries = 0;
  unsigned cacheBytes = 96 * 1024;  // what the browser asked for
  int byteOrder = 1234;             // 1234 little-endian pages, 4321 big-endian
};

class Db185HashFile {
 public:
  // True when libdb.so.2 can be loaded; tests skip with a message otherwise.
  static bool Available();

  // Creates (truncates) the file. Throws std::runtime_error when the library is missing or the
  // file cannot be created.
  Db185HashFile(const std::string& path, const HashFileOptions& options);
  ~Db185HashFile();
  Db185HashFile(const Db185HashFile&) = delete;
  Db185HashFile& operator=(const Db185HashFile&) = delete;

  // Stores a pair, replacing any pair with the same key (throws on failure).
  void Put(std::string_view key, std::string_view data);
  // Removes a pair; false when the key was not there.
  bool Remove(std::string_view key);
  // Number of pairs the table holds, counted by a sequential scan.
  size_t CountPairs();
  // Writes everything to disk and closes the file (also done by the destructor).
  void Close();

 private:
  void* db_ = nullptr;
};

}  // namespace pagehold::testgen
