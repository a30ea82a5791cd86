// Caches named directly to a desktop program: what each program takes from a path, and that
// what it refuses it refuses at once with the line a reading of the same path gives.
#include "sources/GivenCache.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Paths.h"
#include "sources/NavigatorSource.h"
#include "sources/UrlCacheSource.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testing::TempFolder;
using testing::WriteFile;

const std::string kNav = JoinPath(testing::SamplesDir(), "nav");
const std::string kIe = JoinPath(testing::SamplesDir(), "ie");

// The reason a reading of the cache gives when it reads nothing.
template <typename Source>
std::string ReadingReason(const std::string& cache) {
  TempFolder programFolder;
  TMimeTable mimeTable(programFolder.path());
  Source source(cache, mimeTable);
  testing::ScriptedInteraction ui;
  const CacheReading reading = source.ReadCache(ui);
  EXPECT_TRUE(reading.report.Failed()) << cache;
  return reading.report.reason;
}

TEST(GivenCacheTest, EachProgramTakesItsIndexOrTheFolderThatHoldsIt) {
  TempFolder folder;
  // A copied IE 5 cache whose index lies in Content.IE5 below the folder named.
  std::filesystem::create_directories(folder.Child("Temporary Internet Files"));
  std::filesystem::create_directory_symlink(kIe,
                                            folder.Child("Temporary Internet Files/Content.IE5"));
  const std::string nested = folder.Child("Temporary Internet Files");
  const struct {
    Result<std::string> (*take)(const std::string&);
    std::string given;
    std::string read;
  } kCases[] = {
      {NavigatorIndexGiven, JoinPath(kNav, "fat.db"), JoinPath(kNav, "fat.db")},
      {NavigatorIndexGiven, kNav, JoinPath(kNav, "fat.db")},
      {UrlCacheFolderGiven, kIe, kIe},
      {UrlCacheFolderGiven, JoinPath(kIe, "index.dat"), WithTrailingSeparator(kIe)},
      {UrlCacheFolderGiven, nested, JoinPath(nested, "Content.IE5")},
  };
  for (const auto& [take, given, read] : kCases) {
    const Result<std::string> taken = take(given);
    ASSERT_TRUE(taken) << given << ": " << taken.failure().Describe();
    EXPECT_EQ(*taken, read) << given;
  }
}

TEST(GivenCacheTest, WhatIsNoCacheOfTheKindIsRefusedWithTheReadingsLine) {
  TempFolder folder;
  WriteFile(folder.Child("passwd"), "root:x:0:0:root:/root:/bin/bash\n");
  WriteFile(folder.Child("empty"), "");
  std::filesystem::create_directories(folder.Child("bad"));
  WriteFile(folder.Child("bad/index.dat"), "Client UrlCache MMF Ver 4.7");
  std::filesystem::create_directories(folder.Child("none"));

  for (const std::string& path : {folder.Child("passwd"), folder.Child("empty"),
                                  JoinPath(kIe, "index.dat"), folder.Child("missing.db")}) {
    const Result<std::string> taken = NavigatorIndexGiven(path);
    ASSERT_FALSE(taken) << path;
    EXPECT_EQ(taken.failure().Describe(), ReadingReason<NavigatorSource>(path));
  }
  for (const std::string& path : {folder.Child("bad"), folder.Child("none")}) {
    const Result<std::string> taken = UrlCacheFolderGiven(path);
    ASSERT_FALSE(taken) << path;
    EXPECT_EQ(taken.failure().Describe(), ReadingReason<UrlCacheSource>(path));
  }

  // A folder without a Navigator index, and files given to the IE program that are no index.dat.
  EXPECT_FALSE(NavigatorIndexGiven(folder.Child("none")));
  const Result<std::string> navIndex = UrlCacheFolderGiven(JoinPath(kNav, "fat.db"));
  ASSERT_FALSE(navIndex);
  EXPECT_NE(navIndex.failure().Describe().find("is not an Internet Explorer cache index"),
            std::string::npos);
  std::filesystem::create_symlink(JoinPath(kIe, "index.dat"), folder.Child("renamed.dat"));
  EXPECT_FALSE(UrlCacheFolderGiven(folder.Child("renamed.dat")));
}

}  // namespace
}  // namespace pagehold
