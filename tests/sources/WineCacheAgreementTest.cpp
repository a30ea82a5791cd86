// The index.dat reader against an independent writer: the URL cache that Wine's WinINet wrote
// (WinInetCacheTest leaves a copy of it in the folder named by PAGEHOLD_WINE_CACHE, with the
// entries as WinINet reported them) gives the same entries and the same items.
#include <gtest/gtest.h>

#include <cstdlib>

#include "cache/MimeTable.h"
#include "iecache/UrlCacheListing.h"
#include "platform/Paths.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

TEST(WineCacheAgreementTest, TheReaderSeesWhatWinInetReported) {
#ifdef _WIN32
  GTEST_SKIP() << "a check of the Linux reading; on Windows the WinINet tests read the cache "
                  "through WinINet itself";
#endif
  const char* exported = std::getenv("PAGEHOLD_WINE_CACHE");
  if (exported == nullptr || *exported == '\0')
    GTEST_SKIP() << "PAGEHOLD_WINE_CACHE names no cache written under Wine (the CI runs the "
                    "Windows tests first and sets it)";
  const std::vector<std::string> reported =
      testgen::ReadListing(JoinPath(exported, testgen::kListingFileName));
  ASSERT_FALSE(reported.empty());
  testing::TempFolder program;
  TMimeTable mimeTable(program.path());
  EXPECT_EQ(testgen::ListIndexDat(JoinPath(exported, testgen::kExportedCacheFolder), mimeTable),
            reported);
}

}  // namespace
}  // namespace pagehold
