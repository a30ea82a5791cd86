// What the cache commands say about the reading itself: files that are not cache indexes are
// refused (status 2), every reading ends with one summary line, a cut or damaged index gives
// status 1 unless --partial-ok, and hostile caches (an index naming itself, symbolic links
// out of the cache) never lend their files to the commands.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "cli/Commands.h"
#include "iecache/IeCacheWriter.h"
#include "navcache/NavCacheWriter.h"
#include "platform/Paths.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

Outcome Pagehold(const Arguments& args) {
  std::ostringstream out;
  std::ostringstream err;
  Outcome run;
  run.status = RunPagehold(args, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// The lines of err that begin with "pagehold COMMAND: read ".
int SummaryLines(const Outcome& run, const std::string& command) {
  int count = 0;
  std::istringstream in(run.err);
  for (std::string line; std::getline(in, line);)
    count += line.rfind("pagehold " + command + ": read ", 0) == 0 ? 1 : 0;
  return count;
}

testgen::IeCacheEntry Page(const std::string& url, int folder, const std::string& name) {
  testgen::IeCacheEntry entry;
  entry.url = url;
  entry.folderIndex = folder;
  entry.fileName = name;
  entry.body = "<html>" + url + "</html>";
  entry.headers = testgen::HttpHeaders({"Content-Type: text/html"});
  entry.lastAccess = testgen::MakeFileTime(2003, 5, 17, 9, 30, 40);
  return entry;
}

TEST(CacheReadingCommands, WhatIsNotACacheIndexIsRefusedInOneLine) {
  TempFolder folder;
  std::mt19937 random(5);
  std::string noise(1 << 20, '\0');
  for (char& c : noise)
    c = static_cast<char>(random());
  const struct {
    const char* option;
    std::string bytes;
    const char* reason;
  } cases[] = {
      {"--nav", "", "the file is empty"},
      {"--nav", noise, "neither"},
      {"--nav", "root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1::/:/bin/sh\n", "neither"},
      {"--ie", "", "does not begin with the signature"},
      {"--ie", noise, "does not begin with the signature"},
      {"--ie", "Client UrlCache MMF Ver 4.7", "only version 5.2 is read"},
      {"--ie", std::string("Client UrlCache MMF Ver 5.2\0", 28), "too short"},
  };
  for (const auto& c : cases) {
    const bool nav = std::string(c.option) == "--nav";
    const std::string index = folder.Child(nav ? "fat.db" : "index.dat");
    WriteFile(index, c.bytes);
    for (const char* command : {"list", "domains", "archive", "delete"}) {
      Arguments args = {command, c.option, nav ? index : folder.path()};
      if (std::string(command) == "archive")
        args.insert(args.end(), {"--to", folder.Child("archive"), "--yes"});
      if (std::string(command) == "delete")
        args.push_back("--yes");
      const Outcome run = Pagehold(args);
      EXPECT_EQ(run.status, 2) << command << " " << c.reason;
      EXPECT_THAT(run.err,
                  HasSubstr("pagehold " + std::string(command) + ": " + index + " is not a" +
                            (nav ? " Navigator" : "n Internet Explorer") + " cache index: "));
      EXPECT_THAT(run.err, HasSubstr(c.reason));
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(SummaryLines(run, command), 0);
    }
    fs::remove(index);
  }
  EXPECT_FALSE(fs::exists(folder.Child("archive")));
}

// A cut index is read as far as it goes; the summary says where it ended, and the status is 1
// unless --partial-ok accepts a partial reading.
TEST(CacheReadingCommands, ACutIndexIsReadInPartAndSaysSo) {
  TempFolder folder;
  testgen::IeCache cache;
  for (int i = 0; i < 60; ++i)
    cache.entries.push_back(Page("http://www.example.test/" + std::to_string(i) + ".htm", i % 4,
                                 std::to_string(i) + "[1].htm"));
  testgen::WriteIeCache(folder.path(), cache);
  const std::string whole = ReadFile(folder.Child("index.dat"));

  const Outcome complete = Pagehold({"list", "--ie", folder.path()});
  EXPECT_EQ(complete.status, 0) << complete.err;
  EXPECT_THAT(complete.err, HasSubstr("pagehold list: read 60 entries, kept 60 items\n"));

  WriteFile(folder.Child("index.dat"), whole.substr(0, whole.size() / 2));
  for (const char* command : {"list", "domains"}) {
    const Outcome cut = Pagehold({command, "--ie", folder.path()});
    EXPECT_EQ(cut.status, 1) << command;
    EXPECT_EQ(SummaryLines(cut, command), 1) << cut.err;
    EXPECT_THAT(cut.err,
                HasSubstr("the index ends early, at byte " + std::to_string(whole.size() / 2) +
                          " of " + std::to_string(whole.size())));
    EXPECT_THAT(cut.err, HasSubstr("--partial-ok"));
    EXPECT_THAT(cut.out, HasSubstr("domain\t"));  // what could be read is still given

    const Outcome accepted = Pagehold({command, "--ie", folder.path(), "--partial-ok"});
    EXPECT_EQ(accepted.status, 0) << accepted.err;
    EXPECT_EQ(accepted.out, cut.out);
  }
}

TEST(CacheReadingCommands, ACutNavigatorIndexGivesStatusOne) {
  if (!testgen::Db185HashFile::Available())
    GTEST_SKIP() << "libdb.so.2 (libdb1-compat) is not installed";
  TempFolder folder;
  testgen::SyntheticOptions options;
  options.awkward = false;
  const auto entries = testgen::SyntheticEntries(200, options);
  testgen::WritePagedIndex(folder.Child("fat.db"), entries, {});
  testgen::WriteCachedFiles(folder.path(), entries);
  const std::string whole = ReadFile(folder.Child("fat.db"));
  EXPECT_EQ(Pagehold({"domains", "--nav", folder.Child("fat.db")}).status, 0);
  WriteFile(folder.Child("fat.db"), whole.substr(0, whole.size() - 1000));
  const Outcome cut = Pagehold({"domains", "--nav", folder.Child("fat.db")});
  EXPECT_EQ(cut.status, 1);
  EXPECT_THAT(cut.err, HasSubstr("the index ends early"));
  EXPECT_EQ(Pagehold({"domains", "--nav", folder.Child("fat.db"), "--partial-ok"}).status, 0);
}

// Every cached file gone: the summary tells the empty result from a wrong path.
TEST(CacheReadingCommands, AnIndexWhoseFilesAreGoneSaysWhy) {
  TempFolder folder;
  testgen::IeCache cache;
  for (int i = 0; i < 5; ++i) {
    cache.entries.push_back(Page("http://www.example.test/" + std::to_string(i), 0, "p.htm"));
    cache.entries.back().body.reset();
  }
  cache.entries.push_back(Page("Cookie:someone@www.example.test/", 0, "c.txt"));
  testgen::WriteIeCache(folder.path(), cache);
  const Outcome list = Pagehold({"list", "--ie", folder.path()});
  EXPECT_EQ(list.status, 0);
  EXPECT_THAT(list.err, HasSubstr("pagehold list: read 6 entries, kept 0 items, skipped 6 (not an "
                                  "HTTP resource: 1, no cached file: 5)\n"));
  const Outcome archive =
      Pagehold({"archive", "--ie", folder.path(), "--to", folder.Child("out"), "--yes"});
  EXPECT_EQ(archive.status, 1);
  EXPECT_EQ(SummaryLines(archive, "archive"), 1);
  EXPECT_THAT(archive.err, HasSubstr("nothing to archive"));
}

// The reproducer: a text index whose one entry names the index file itself as its cached file.
TEST(CacheReadingCommands, AnIndexThatNamesItselfIsNeverAnItem) {
  const std::string reproducer = testing::SharedFuzzDir() + "index-names-itself.fat.db";
  if (testing::SharedFuzzDir().empty() || !FileExists(reproducer))
    GTEST_SKIP() << "the shared fuzz reproducers are absent";
  TempFolder folder;
  const std::string index = folder.Child("fat.db");
  WriteFile(index, ReadFile(reproducer));

  const Outcome list = Pagehold({"list", "--nav", index});
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out, "domain\tkind\tmime\ttype\tdate\turl\tcache_file\n");
  EXPECT_THAT(list.err, HasSubstr("kept 0 items, skipped 1 (the cache's own file: 1)"));
  const Outcome removal = Pagehold({"delete", "--nav", index, "--yes"});
  EXPECT_EQ(removal.status, 1);
  EXPECT_THAT(removal.err, HasSubstr("No files to delete."));
  EXPECT_THAT(removal.out, Not(HasSubstr("deleted")));
  EXPECT_EQ(ReadFile(index), ReadFile(reproducer));
}

// An IE record that names index.dat (in the cache folder or a sub-folder) or desktop.ini.
TEST(CacheReadingCommands, TheCachesOwnFilesAreNeverItems) {
  TempFolder folder;
  testgen::IeCache cache;
  cache.entries.push_back(Page("http://www.example.test/a", testgen::kInCacheFolder, "index.dat"));
  cache.entries.push_back(Page("http://www.example.test/b", 1, "INDEX.DAT"));
  cache.entries.push_back(Page("http://www.example.test/c", 2, "desktop.ini"));
  cache.entries.push_back(Page("http://www.example.test/d", 3, "kept[1].htm"));
  cache.entries[0].body.reset();  // it is the index written by the generator
  testgen::WriteIeCache(folder.path(), cache);
  const std::string index = ReadFile(folder.Child("index.dat"));

  const Outcome list = Pagehold({"list", "--ie", folder.path()});
  EXPECT_THAT(list.err, HasSubstr("kept 1 item, skipped 3 (the cache's own file: 3)"));
  const Outcome removal = Pagehold({"delete", "--ie", folder.path(), "--yes"});
  EXPECT_EQ(removal.status, 0) << removal.err;
  EXPECT_EQ(removal.out, "deleted 1 item\n");
  EXPECT_EQ(ReadFile(folder.Child("index.dat")), index);
  EXPECT_TRUE(FileExists(folder.Child("E5F6G7H8/INDEX.DAT")));
  EXPECT_TRUE(FileExists(folder.Child("J9K0L1M2/desktop.ini")));
  EXPECT_FALSE(FileExists(folder.Child("N3P4Q5R6/kept[1].htm")));
}

// Files reached through symbolic links that lead out of the cache folder are never read; a
// link inside the cache is an ordinary cached file, and deleting its item removes the link
// alone.
TEST(CacheReadingCommands, LinksOutOfTheCacheAreSkippedAndDeletingRemovesOnlyLinks) {
  TempFolder outside;
  WriteFile(outside.Child("secret.htm"), "outside the cache");
  WriteFile(outside.Child("folder/page.htm"), "a whole folder outside the cache");
  TempFolder folder;
  testgen::IeCache cache;
  cache.entries.push_back(Page("http://in.example.test/target", 0, "target[1].htm"));
  cache.entries.push_back(Page("http://inner.example.test/link", 0, "inner[1].htm"));
  cache.entries.push_back(Page("http://out.example.test/file", 0, "file[1].htm"));
  cache.entries.push_back(Page("http://link.example.test/page", 1, "page.htm"));
  for (std::size_t i = 1; i < cache.entries.size(); ++i)
    cache.entries[i].body.reset();
  testgen::WriteIeCache(folder.path(), cache);
  const std::string target = folder.Child("A1B2C3D4/target[1].htm");
  const std::string link = folder.Child("A1B2C3D4/inner[1].htm");
  fs::create_symlink(target, link);
  fs::create_symlink(outside.Child("secret.htm"), folder.Child("A1B2C3D4/file[1].htm"));
  fs::remove_all(folder.Child("E5F6G7H8"));
  fs::create_directory_symlink(outside.Child("folder"), folder.Child("E5F6G7H8"));

  const Outcome list = Pagehold({"list", "--ie", folder.path()});
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_THAT(list.err, HasSubstr("kept 2 items, skipped 2 (link out of the cache: 2)"));
  EXPECT_THAT(list.out, Not(HasSubstr("out.example.test")));
  EXPECT_THAT(list.out, Not(HasSubstr("link.example.test")));

  TempFolder archive;
  EXPECT_EQ(Pagehold({"archive", "--ie", folder.path(), "--to", archive.path()}).status, 0);
  for (const auto& entry : fs::recursive_directory_iterator(archive.path())) {
    if (entry.is_regular_file()) {
      EXPECT_THAT(ReadFile(entry.path().string()), Not(HasSubstr("outside the cache")));
    }
  }

  const Outcome removal =
      Pagehold({"delete", "--ie", folder.path(), "--domain", "inner.example.test", "--yes"});
  EXPECT_EQ(removal.status, 0) << removal.err;
  EXPECT_EQ(removal.out, "deleted 1 item\n");
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
  EXPECT_TRUE(FileExists(target));
  EXPECT_EQ(Pagehold({"delete", "--ie", folder.path(), "--yes"}).out, "deleted 1 item\n");
  EXPECT_EQ(ReadFile(outside.Child("secret.htm")), "outside the cache");
  EXPECT_EQ(ReadFile(outside.Child("folder/page.htm")), "a whole folder outside the cache");
  EXPECT_TRUE(fs::is_symlink(folder.Child("A1B2C3D4/file[1].htm")));
}

}  // namespace
}  // namespace pagehold
