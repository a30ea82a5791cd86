// Caches named directly to a desktop program: what each program takes from a path, and that
// what it refuses it refuses with the line a reading of the same path gives.
#include "sources/GivenCache.h"

#include <gtest/gtest.h>

#include "files/FolderCopy.h"
#include "platform/Paths.h"
#include "sources/NavigatorSource.h"
#include "sources/UrlCacheSource.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

template <typename Source>
std::string ReadingReason(const std::string& cache) {
  testing::TempFolder programFolder;
  TMimeTable mimeTable(programFolder.path());
  testing::ScriptedInteraction ui;
  return Source(cache, mimeTable).ReadCache(ui).report.reason;
}

TEST(GivenCacheTest, TakesTheIndexOrItsFolderAndRefusesTheRestWithTheReadingsLine) {
  const std::string nav = JoinPath(testing::SamplesDir(), "nav");
  const std::string ie = JoinPath(testing::SamplesDir(), "ie");
  testing::TempFolder folder;
  const std::string copied = folder.Child("Temporary Internet Files");
  testgen::CopyFolderContents(ie, JoinPath(copied, "Content.IE5"));
  testing::WriteFile(folder.Child("bad/index.dat"), "Client UrlCache MMF Ver 4.7");
  const struct {
    bool navigator;
    std::string given;
    std::string read;  // empty: refused with the reason the reading gives
  } kCases[] = {
      {true, JoinPath(nav, "fat.db"), JoinPath(nav, "fat.db")},
      // Found in a folder listing, the index path comes back with the system's separators.
      {true, nav, NativeSeparators(JoinPath(nav, "fat.db"))},
      {true, JoinPath(ie, "index.dat"), ""},
      {false, ie, ie},
      {false, JoinPath(ie, "index.dat"), WithTrailingSeparator(ie)},
      {false, copied, JoinPath(copied, "Content.IE5")},
      {false, folder.Child("bad"), ""},
      {false, folder.path(), ""},
  };
  for (const auto& [navigator, given, read] : kCases) {
    const Result<std::string> taken =
        navigator ? NavigatorIndexGiven(given) : UrlCacheFolderGiven(given);
    const std::string expected = !read.empty() ? read
                                 : navigator   ? ReadingReason<NavigatorSource>(given)
                                               : ReadingReason<UrlCacheSource>(given);
    EXPECT_EQ(taken ? *taken : taken.failure().Describe(), expected) << given;
  }
  EXPECT_FALSE(UrlCacheFolderGiven(JoinPath(nav, "fat.db")));  // a file that is no index.dat
}

}  // namespace
}  // namespace pagehold
