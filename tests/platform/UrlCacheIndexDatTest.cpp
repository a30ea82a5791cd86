// The URL cache calls answered from index.dat: the order and fields of the entries, the
// buffer-size rule, patterns, handles, deletion, and where the default cache folder is found.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "iecache/IeCacheWriter.h"
#include "platform/Paths.h"
#include "platform/UrlCacheFolder.h"
#include "platform/UrlCacheIndexDat.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testgen::IeCacheEntry;

IeCacheEntry Entry(std::string url, int folder, std::string fileName, std::string headers = {}) {
  IeCacheEntry entry;
  entry.url = std::move(url);
  entry.folderIndex = folder;
  entry.fileName = std::move(fileName);
  entry.body = "bytes of " + entry.fileName;
  entry.headers = std::move(headers);
  entry.lastAccess = testgen::MakeFileTime(2004, 3, 2, 1, 0, 0, 500);
  entry.lastSync = testgen::MakeFat(testgen::MakeFileTime(2004, 3, 2, 1, 0, 4));
  return entry;
}

class UrlCacheIndexDatTest : public ::testing::Test {
 protected:
  void Write(const std::vector<IeCacheEntry>& entries) {
    testgen::IeCache cache;
    cache.entries = entries;
    testgen::WriteIeCache(folder_.path(), cache);
  }

  // Every entry of a full enumeration with buffers of the given size; an entry that does not
  // fit ends it, as with WinINet.
  std::vector<UrlCacheEntry> Enumerate(const std::string& pattern,
                                       std::uint32_t size = kDefaultEntryBufferSize) {
    std::vector<UrlCacheEntry> entries;
    UrlCacheEntry entry;
    std::uint32_t bufferSize = size;
    UrlCacheFindHandle handle = cache_.FindFirstEntry(pattern, entry, bufferSize);
    if (!handle)
      return entries;
    do {
      entries.push_back(entry);
      bufferSize = size;
    } while (cache_.FindNextEntry(handle, entry, bufferSize));
    EXPECT_TRUE(cache_.FindClose(handle));
    return entries;
  }

  testing::TempFolder folder_;
  IndexDatUrlCache cache_{folder_.path()};
};

TEST_F(UrlCacheIndexDatTest, ReportsWhatWinInetReportsForEachEntry) {
  const std::string headers = testgen::HttpHeaders({"Content-Type: text/html"});
  Write({Entry("http://www.example-garden.test/", 1, "index[1].htm", headers),
         Entry("Cookie:visitor@example-garden.test/", testgen::kInCacheFolder, "visitor[1].txt"),
         Entry("http://www.example-garden.test/nofile", 0, "")});
  std::map<std::string, UrlCacheEntry> byKey;
  for (const UrlCacheEntry& entry : Enumerate("*.*"))
    byKey[entry.sourceUrlName] = entry;
  ASSERT_EQ(byKey.size(), 3u);

  const UrlCacheEntry& page = byKey["http://www.example-garden.test/"];
  EXPECT_EQ(page.localFileName, JoinPath(folder_.Child("E5F6G7H8"), "index[1].htm"));
  EXPECT_EQ(page.headerInfo, headers);
  EXPECT_EQ(page.headerInfoSize, headers.size());
  EXPECT_EQ(page.lastAccessTime, testgen::MakeFileTime(2004, 3, 2, 1, 0, 0, 500));
  EXPECT_EQ(page.lastSyncTime, testgen::MakeFileTime(2004, 3, 2, 1, 0, 4));
  EXPECT_EQ(testing::ReadFile(page.localFileName), "bytes of index[1].htm");

  EXPECT_EQ(byKey["Cookie:visitor@example-garden.test/"].localFileName,
            JoinPath(folder_.path(), "visitor[1].txt"));
  EXPECT_EQ(byKey["Cookie:visitor@example-garden.test/"].headerInfoSize, 0u);
  EXPECT_EQ(byKey["http://www.example-garden.test/nofile"].localFileName, "");
}

TEST_F(UrlCacheIndexDatTest, PatternsChooseByTheStartOfTheKey) {
  Write({Entry("http://a.example-garden.test/", 0, "a[1].htm"),
         Entry("Cookie:visitor@example-garden.test/", 0, "c[1].txt"),
         Entry("Visited: visitor@http://a.example-garden.test/", 0, "")});
  EXPECT_EQ(Enumerate("*.*").size(), 3u);
  EXPECT_EQ(Enumerate("").size(), 3u);
  ASSERT_EQ(Enumerate("cookie:").size(), 1u);
  EXPECT_EQ(Enumerate("cookie:")[0].sourceUrlName, "Cookie:visitor@example-garden.test/");
  EXPECT_EQ(Enumerate("Visited:").size(), 1u);
  EXPECT_EQ(Enumerate("ftp:").size(), 0u);
  EXPECT_EQ(cache_.LastError(), UrlCacheError::NoMoreItems);
}

TEST_F(UrlCacheIndexDatTest, AnEntryThatDoesNotFitIsRefusedWithTheSizeItNeeds) {
  const std::string big =
      testgen::HttpHeaders({"Content-Type: text/html"}) + std::string(20000, 'h');
  Write({Entry("http://www.example-garden.test/big", 0, "big[1].htm", big)});
  UrlCacheEntry entry;
  std::uint32_t bufferSize = kDefaultEntryBufferSize;
  EXPECT_EQ(cache_.FindFirstEntry("*.*", entry, bufferSize), nullptr);
  EXPECT_EQ(cache_.LastError(), UrlCacheError::InsufficientBuffer);
  EXPECT_GT(bufferSize, big.size());
  const std::uint32_t needed = bufferSize;
  UrlCacheFindHandle handle = cache_.FindFirstEntry("*.*", entry, bufferSize);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(bufferSize, needed);
  EXPECT_EQ(entry.headerInfo, big);
  EXPECT_TRUE(cache_.FindClose(handle));
}

TEST_F(UrlCacheIndexDatTest, AFailedNextCallKeepsThePosition) {
  std::vector<IeCacheEntry> entries;
  for (int i = 0; i < 6; ++i)
    entries.push_back(Entry("http://www.example-garden.test/" + std::to_string(i), 0,
                            std::to_string(i) + "[1].htm", std::string(i == 3 ? 9000 : 10, 'x')));
  Write(entries);
  // With the usual buffer the enumeration stops at the entry of 9000 header bytes.
  const std::vector<UrlCacheEntry> limited = Enumerate("*.*");
  EXPECT_LT(limited.size(), 6u);

  UrlCacheEntry entry;
  std::uint32_t bufferSize = kDefaultEntryBufferSize;
  UrlCacheFindHandle handle = cache_.FindFirstEntry("*.*", entry, bufferSize);
  if (!handle && cache_.LastError() == UrlCacheError::InsufficientBuffer)
    handle = cache_.FindFirstEntry("*.*", entry, bufferSize);
  ASSERT_NE(handle, nullptr);
  std::vector<std::string> keys = {entry.sourceUrlName};
  std::size_t refused = entry.headerInfo.size() == 9000;
  for (;;) {
    bufferSize = kDefaultEntryBufferSize;
    if (cache_.FindNextEntry(handle, entry, bufferSize)) {
      keys.push_back(entry.sourceUrlName);
      continue;
    }
    if (cache_.LastError() != UrlCacheError::InsufficientBuffer)
      break;
    // Asked again with the size it needs, the same call gives the entry it refused.
    ASSERT_TRUE(cache_.FindNextEntry(handle, entry, bufferSize));
    EXPECT_EQ(entry.headerInfo.size(), 9000u);
    keys.push_back(entry.sourceUrlName);
    ++refused;
  }
  EXPECT_EQ(refused, 1u);
  EXPECT_EQ(cache_.LastError(), UrlCacheError::NoMoreItems);
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys.size(), 6u);
  EXPECT_EQ(std::unique(keys.begin(), keys.end()), keys.end());
  EXPECT_TRUE(cache_.FindClose(handle));
}

TEST(UrlCacheEntrySize, FixedRecordAndAlignedStrings) {
  const struct {
    UrlCacheEntry entry;
    std::uint32_t expected;
  } kCases[] = {
      {{"", "", 0, 0, "", 0}, 80 + 4},
      {{"abc", "", 0, 0, "", 0}, 80 + 4},
      {{"abcd", "", 0, 0, "", 0}, 80 + 8},
      {{"abcd", "/c/x", 0, 0, "", 0}, 80 + 8 + 8},
      {{"abcd", "/c/x", 0, 0, std::string(7, 'h'), 7}, 80 + 8 + 8 + 8},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(RequiredEntrySize(c.entry), c.expected) << c.entry.sourceUrlName;
}

TEST_F(UrlCacheIndexDatTest, MissingOrUnreadableIndexIsAnEmptyCache) {
  EXPECT_TRUE(Enumerate("*.*").empty());
  EXPECT_EQ(cache_.LastError(), UrlCacheError::NoMoreItems);
  testing::WriteFile(folder_.Child("index.dat"), "not an index");
  EXPECT_TRUE(Enumerate("*.*").empty());
}

TEST_F(UrlCacheIndexDatTest, NoFolderReadsNoIndexFromTheWorkingFolder) {
  Write({Entry("http://a.test/", 0, "a[1].htm")});
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder_.path());
  UrlCacheIndexNotes notes;
  const std::vector<UrlCacheEntry> entries = IndexDatUrlCache("").ReadEntries(&notes);
  std::filesystem::current_path(before);
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(notes.unreadable, "index.dat: no cache folder is set");
}

TEST_F(UrlCacheIndexDatTest, UnknownHandlesAreRefused) {
  int notAHandle = 0;
  UrlCacheEntry entry;
  std::uint32_t bufferSize = kDefaultEntryBufferSize;
  EXPECT_FALSE(cache_.FindNextEntry(&notAHandle, entry, bufferSize));
  EXPECT_EQ(cache_.LastError(), UrlCacheError::InvalidHandle);
  EXPECT_FALSE(cache_.FindClose(&notAHandle));

  Write({Entry("http://a.example-garden.test/", 0, "a[1].htm")});
  UrlCacheFindHandle handle = cache_.FindFirstEntry("*.*", entry, bufferSize);
  ASSERT_NE(handle, nullptr);
  EXPECT_TRUE(cache_.FindClose(handle));
  EXPECT_FALSE(cache_.FindClose(handle));
}

TEST_F(UrlCacheIndexDatTest, DeleteRemovesTheCachedFileOfThatKeyOnly) {
  Write({Entry("http://a.example-garden.test/", 0, "a[1].htm"),
         Entry("http://b.example-garden.test/", 1, "b[1].htm")});
  const std::string fileA = JoinPath(folder_.Child("A1B2C3D4"), "a[1].htm");
  const std::string fileB = JoinPath(folder_.Child("E5F6G7H8"), "b[1].htm");
  EXPECT_TRUE(cache_.DeleteEntry("http://a.example-garden.test/"));
  EXPECT_FALSE(FileExists(fileA));
  EXPECT_TRUE(FileExists(fileB));
  EXPECT_FALSE(cache_.DeleteEntry("http://c.example-garden.test/"));
  EXPECT_EQ(cache_.LastError(), UrlCacheError::FileNotFound);
  // Keys match exactly, as WinINet's do.
  EXPECT_FALSE(cache_.DeleteEntry("HTTP://B.EXAMPLE-GARDEN.TEST/"));
  EXPECT_TRUE(FileExists(fileB));
}

// Deletions go by what the enumeration read, not by index.dat read again for each of them.
TEST_F(UrlCacheIndexDatTest, DeletionsUseTheEntriesTheEnumerationRead) {
  Write({Entry("http://a.example-garden.test/", 0, "a[1].htm"),
         Entry("http://b.example-garden.test/", 1, "b[1].htm")});
  ASSERT_EQ(Enumerate("*.*").size(), 2u);
  testing::WriteFile(folder_.Child("index.dat"), "no longer an index");
  EXPECT_TRUE(cache_.DeleteEntry("http://b.example-garden.test/"));
  EXPECT_FALSE(FileExists(JoinPath(folder_.Child("E5F6G7H8"), "b[1].htm")));
  EXPECT_FALSE(cache_.DeleteEntry("http://b.example-garden.test/"));
  EXPECT_EQ(cache_.LastError(), UrlCacheError::FileNotFound);
}

TEST(UrlCacheIndexDat, NamesThatLeaveTheCacheFolderNameNoFile) {
  // outside/keep.txt is what the sub-folder ".." and the file name "keep.txt" would name.
  testing::TempFolder outside;
  testing::WriteFile(outside.Child("keep.txt"), "must stay");
  const std::string cacheFolder = outside.Child("cache");
  testgen::IeCache cache;
  cache.folders = {"..", "A1B2C3D4"};
  IeCacheEntry parent = Entry("http://a.example-garden.test/", 0, "keep.txt");
  parent.body.reset();
  IeCacheEntry dots = Entry("http://b.example-garden.test/", 1, "..");
  dots.body.reset();
  cache.entries = {parent, dots};
  testgen::WriteIeCache(cacheFolder, cache);

  IndexDatUrlCache urlCache(cacheFolder);
  const std::vector<UrlCacheEntry> entries = urlCache.ReadEntries();
  ASSERT_EQ(entries.size(), 2u);
  for (const UrlCacheEntry& entry : entries)
    EXPECT_EQ(entry.localFileName, "") << entry.sourceUrlName;
  EXPECT_FALSE(urlCache.DeleteEntry("http://a.example-garden.test/"));
  EXPECT_FALSE(urlCache.DeleteEntry("http://b.example-garden.test/"));
  EXPECT_EQ(testing::ReadFile(outside.Child("keep.txt")), "must stay");
  EXPECT_TRUE(std::filesystem::is_directory(JoinPath(cacheFolder, "A1B2C3D4")));
}

class FixedRegistry : public Registry {
 public:
  explicit FixedRegistry(std::optional<std::string> cache) : cache_(std::move(cache)) {}
  std::optional<std::string> ReadString(RegistryRoot root, std::string_view key,
                                        std::string_view name) const override {
    if (root == RegistryRoot::CurrentUser && key == kShellFoldersKey && name == "Cache")
      return cache_;
    return std::nullopt;
  }
  bool WriteString(RegistryRoot, std::string_view, std::string_view, std::string_view) override {
    return false;
  }

 private:
  std::optional<std::string> cache_;
};

TEST(DefaultUrlCacheFolder, FollowsTheShellFoldersValue) {
  testing::TempFolder root;
  const std::string direct = root.Child("direct");
  const std::string nested = root.Child("nested");
  testing::WriteFile(JoinPath(direct, "index.dat"), "x");
  testing::WriteFile(JoinPath(JoinPath(nested, "Content.IE5"), "index.dat"), "x");

  EXPECT_EQ(DefaultUrlCacheFolder(FixedRegistry(direct)), direct);
  EXPECT_EQ(DefaultUrlCacheFolder(FixedRegistry(nested)), JoinPath(nested, "Content.IE5"));
  EXPECT_EQ(DefaultUrlCacheFolder(FixedRegistry(root.Child("empty"))), root.Child("empty"));
  EXPECT_EQ(DefaultUrlCacheFolder(FixedRegistry(std::nullopt)), "");
  EXPECT_EQ(DefaultUrlCacheFolder(FixedRegistry("")), "");
}

}  // namespace
}  // namespace pagehold
