// The reader on index files written through the original hash library.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "NavigatorTestCaches.h"
#include "navcache/NavCacheWriter.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testing::AsRawEntry;
using testing::ExpectedRawEntry;
using testing::RawEntry;
using testing::TempFolder;

TEST(NavigatorGenuineIndexTest, Explore) {
  SKIP_WITHOUT_DB185();
  for (int pageSize : {4096, 16384}) {
    TempFolder folder;
    testgen::SyntheticOptions options;
    const auto entries = testgen::SyntheticEntries(600, options);
    testgen::PagedIndexOptions paged;
    paged.table.pageSize = static_cast<unsigned>(pageSize);
    for (size_t i = 0; i < 600; i += 3)
      paged.removed.push_back(i);
    for (size_t i = 1; i < 600; i += 9)
      paged.removed.push_back(i);
    testgen::WritePagedIndex(folder.Child("fat.db"), entries, paged);
    const auto read = testing::ParseAllPages(folder.Child("fat.db"), pageSize);
    std::map<RawEntry, int> expected, got;
    std::set<size_t> gone(paged.removed.begin(), paged.removed.end());
    for (size_t i = 0; i < entries.size(); ++i)
      if (!gone.count(i))
        ++expected[ExpectedRawEntry(entries[i])];
    for (const auto& f : read)
      ++got[AsRawEntry(f)];
    int missing = 0, extra = 0, strange = 0;
    for (auto& [k, n] : expected)
      if (got[k] < n)
        ++missing;
    for (auto& [k, n] : got) {
      if (!expected.count(k)) {
        ++strange;
        if (strange < 5)
          printf("strange: %s | %s | %s | %d\n", std::get<0>(k).c_str(), std::get<1>(k).c_str(),
                 std::get<2>(k).c_str(), std::get<3>(k));
      } else if (n > expected[k])
        extra += n - expected[k];
    }
    printf("P=%d entries=%zu read=%zu missing=%d extra=%d strange=%d\n", pageSize, entries.size(),
           read.size(), missing, extra, strange);
  }
}

}  // namespace
}  // namespace pagehold
