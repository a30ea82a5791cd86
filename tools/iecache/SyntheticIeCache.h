// Large generated IE caches for benchmarks and tests: many entries spread over a few invented
// hosts and the four cache sub-folders, each with a small cached file and a header block that
// names its content type.
#pragma once

#include <cstddef>
#include <cstdint>

#include "iecache/IeCacheWriter.h"

namespace pagehold::testgen {

struct SyntheticIeOptions {
  std::uint32_t seed = 1;
  std::size_t bodyBytes = 16;
  FileTime firstAccess = 0;  // 0: 2003-05-12
};

// count entries, every one a web resource whose cached file is written. File names are unique
// across the cache; entry i's URL holds "item" followed by i.
IeCache SyntheticIeCache(std::size_t count, const SyntheticIeOptions& options = {});

}  // namespace pagehold::testgen
