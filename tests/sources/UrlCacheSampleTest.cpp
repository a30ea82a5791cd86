// The bundled sample IE cache: it is exactly what the generator writes, and reading it lists
// the eight web entries whose files are there.
#include <gtest/gtest.h>

#include <map>

#include "iecache/SampleIeCache.h"
#include "platform/Paths.h"
#include "sources/UrlCacheSource.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

const std::string kSample = JoinPath(testing::SamplesDir(), "ie");

TEST(UrlCacheSample, IsWhatTheGeneratorWrites) {
  const testgen::IeCache cache = testgen::SampleIeCache();
  EXPECT_EQ(testing::ReadFile(JoinPath(kSample, "index.dat")), testgen::BuildIndexDat(cache))
      << "regenerate samples/ie with make_ie_cache (see its README.md)";
  for (const testgen::IeCacheEntry& entry : cache.entries) {
    if (entry.fileName.empty())
      continue;
    const std::string folder = entry.folderIndex == testgen::kInCacheFolder
                                   ? kSample
                                   : JoinPath(kSample, cache.folders[entry.folderIndex]);
    const std::string path = JoinPath(folder, entry.fileName);
    EXPECT_EQ(FileExists(path), entry.body.has_value()) << path;
    if (entry.body && FileExists(path)) {
      EXPECT_EQ(testing::ReadFile(path), *entry.body) << path;
    }
  }
}

TEST(UrlCacheSample, ListsTheWebEntriesWithTheirKinds) {
  testing::TempFolder programFolder;
  TMimeTable mimeTable(programFolder.path());
  UrlCacheSource source(kSample, mimeTable);
  testing::ScriptedInteraction ui;
  const CacheReading reading = source.ReadCache(ui);
  const CacheList& list = reading.items;
  EXPECT_EQ(reading.report.itemsKept, 8u);
  EXPECT_EQ(reading.report.Skipped(SkipReason::NotHttp), 2u);
  EXPECT_EQ(reading.report.Skipped(SkipReason::NoCachedFile), 1u);

  std::map<std::string, const TCacheItem*> byUrl;
  for (const auto& item : list)
    byUrl[item->Url] = item.get();
  const struct {
    std::string url;
    std::string domain;
    std::string type;
    int kind;
  } kExpected[] = {
      {"http://www.example-garden.test:80/", "www.example-garden.test", "text/html", Text},
      {"http://www.example-garden.test:80/roses.htm", "www.example-garden.test", "text/html", Text},
      {"http://www.example-garden.test:80/images/rose.gif", "www.example-garden.test", "image/gif",
       Media},
      {"http://img.example-garden.test:80/photos/bed.jpg", "img.example-garden.test", "image/jpeg",
       Media},
      {"http://www.example-garden.test:80/docs/planting-guide.pdf", "www.example-garden.test",
       "application/pdf", Other},
      {"http://www.example-garden.test:80/downloads/seeds.zip", "www.example-garden.test",
       "application/zip", Other},
      {"http://www.example-orchard.test:8080/apples.htm", "www.example-orchard.test",
       "text/html; charset=iso-8859-1", Text},
      {"http://www.example-orchard.test:8080/notes.txt", "www.example-orchard.test", "text/html",
       Text},
  };
  EXPECT_EQ(list.size(), std::size(kExpected));
  for (const auto& expected : kExpected) {
    const auto found = byUrl.find(expected.url);
    if (found == byUrl.end()) {
      ADD_FAILURE() << "not listed: " << expected.url;
      continue;
    }
    const TCacheItem& item = *found->second;
    EXPECT_EQ(item.Domain, expected.domain) << expected.url;
    EXPECT_EQ(item.ContentKind, expected.kind) << expected.url;
    EXPECT_EQ(item.MimeIndex, mimeTable.MimeIndexOf(expected.type) & 0xFF) << expected.url;
    EXPECT_TRUE(FileExists(item.CacheFile)) << expected.url;
  }
}

}  // namespace
}  // namespace pagehold
