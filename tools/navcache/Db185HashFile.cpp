#include "navcache/Db185HashFile.h"

#include <fcntl.h>
#ifndef _WIN32
#include <dlfcn.h>
#endif

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace pagehold::testgen {

namespace {

// The library's interface, declared here because no header is packaged with it. These are the
// 1.85 declarations as the library was built (64-bit: sizes are size_t, flags unsigned int).
struct Dbt {
  void* data;
  size_t size;
};

enum DbType { kBtree, kHash, kRecno };

struct Db {
  DbType type;
  int (*close)(Db*);
  int (*del)(const Db*, const Dbt*, unsigned);
  int (*get)(const Db*, const Dbt*, Dbt*, unsigned);
  int (*put)(const Db*, Dbt*, const Dbt*, unsigned);
  int (*seq)(const Db*, Dbt*, Dbt*, unsigned);
  int (*sync)(const Db*, unsigned);
  void* internal;
  int (*fd)(const Db*);
};

struct HashInfo {
  unsigned bsize;
  unsigned ffactor;
  unsigned nelem;
  unsigned cachesize;
  std::uint32_t (*hash)(const void*, size_t);
  int lorder;
};

constexpr unsigned kSeqFirst = 3;
constexpr unsigned kSeqNext = 7;

using DbOpen = Db* (*)(const char*, int, int, DbType, const void*);

DbOpen LoadDbOpen() {
#ifdef _WIN32
  // The library exists only as a Linux shared object: the tests that need it skip on Windows.
  return nullptr;
#else
  // Loaded once and kept for the life of the process.
  static void* library = dlopen("libdb.so.2", RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr)
    return nullptr;
  void* symbol = dlsym(library, "dbopen");
  if (symbol == nullptr)
    symbol = dlsym(library, "__dbopen");
  return reinterpret_cast<DbOpen>(symbol);
#endif
}

Dbt MakeDbt(std::string_view bytes) {
  return Dbt{const_cast<char*>(bytes.data()), bytes.size()};
}

}  // namespace

bool Db185HashFile::Available() {
  return LoadDbOpen() != nullptr;
}

Db185HashFile::Db185HashFile(const std::string& path, const HashFileOptions& options) {
  const DbOpen open = LoadDbOpen();
  if (open == nullptr)
    throw std::runtime_error("libdb.so.2 (libdb1-compat) is not installed");
  HashInfo info{options.pageSize, options.fillFactor, options.expectedEntries, options.cacheBytes,
                nullptr,          options.byteOrder};
  db_ = open(path.c_str(), O_CREAT | O_RDWR | O_TRUNC, 0644, kHash, &info);
  if (db_ == nullptr)
    throw std::runtime_error("cannot create the hash file " + path);
}

Db185HashFile::~Db185HashFile() {
  Close();
}

void Db185HashFile::Put(std::string_view key, std::string_view data) {
  Db* db = static_cast<Db*>(db_);
  Dbt keyDbt = MakeDbt(key);
  const Dbt dataDbt = MakeDbt(data);
  if (db == nullptr || db->put(db, &keyDbt, &dataDbt, 0) != 0)
    throw std::runtime_error("hash file put failed");
}

bool Db185HashFile::Remove(std::string_view key) {
  Db* db = static_cast<Db*>(db_);
  const Dbt keyDbt = MakeDbt(key);
  return db != nullptr && db->del(db, &keyDbt, 0) == 0;
}

size_t Db185HashFile::CountPairs() {
  Db* db = static_cast<Db*>(db_);
  size_t count = 0;
  Dbt key{}, data{};
  for (unsigned flag = kSeqFirst; db != nullptr && db->seq(db, &key, &data, flag) == 0;
       flag = kSeqNext)
    ++count;
  return count;
}

void Db185HashFile::Close() {
  Db* db = static_cast<Db*>(db_);
  db_ = nullptr;
  if (db != nullptr)
    db->close(db);
}

}  // namespace pagehold::testgen

#if defined(__SANITIZE_ADDRESS__)
// The 1.85 library loses a few buffers of its own when it stores pairs longer than a page;
// that is the library's doing, not ours, so the leak checker is told to leave it out.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdb.so.2\n";
}
#endif
