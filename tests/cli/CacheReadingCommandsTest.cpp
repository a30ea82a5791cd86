// What the cache commands say about the reading itself: what is not a cache index is refused
// (status 2), a reading ends with one summary line, a cut index gives status 1 unless
// --partial-ok, hostile caches never lend their files to the commands, and pages typed with a
// character set are archived as pages.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <regex>

#include "cli/CommandRun.h"
#include "iecache/IeCacheWriter.h"
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

using Outcome = testing::CommandRun;
const auto Pagehold = testing::RunCommand;

testgen::IeCacheEntry Page(const std::string& url, int folder, const std::string& name,
                           const std::string& type = "text/html", std::string body = "<html>") {
  testgen::IeCacheEntry entry;
  entry.url = url;
  entry.folderIndex = folder;
  entry.fileName = name;
  entry.body = std::move(body);
  entry.headers = testgen::HttpHeaders({"Content-Type: " + type});
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
    bool nav;
    std::string bytes;
    const char* reason;
  } cases[] = {
      {true, "", "the file is empty"},
      {true, noise, "neither"},
      {true, "root:x:0:0:root:/root:/bin/bash\n", "neither"},
      {false, "Client UrlCache MMF Ver 4.7", "only version 5.2 is read"},
      {false, std::string("Client UrlCache MMF Ver 5.2\0", 28), "too short"},
  };
  for (const auto& c : cases) {
    const std::string index = folder.Child(c.nav ? "fat.db" : "index.dat");
    WriteFile(index, c.bytes);
    const std::string option = c.nav ? "--nav" : "--ie";
    const std::string source = c.nav ? index : folder.path();
    for (const Arguments& args :
         {Arguments{"list", option, source}, Arguments{"domains", option, source},
          Arguments{"archive", option, source, "--to", folder.Child("archive"), "--yes"},
          Arguments{"delete", option, source, "--yes"}}) {
      const Outcome run = Pagehold(args);
      EXPECT_EQ(run.status, 2) << args[0] << " " << c.reason;
      EXPECT_THAT(run.err,
                  HasSubstr("pagehold " + args[0] + ": " + index + " is not a" +
                            (c.nav ? " Navigator" : "n Internet Explorer") + " cache index: "));
      EXPECT_THAT(run.err, HasSubstr(c.reason));
      EXPECT_EQ(run.out, "");
    }
    fs::remove(index);
  }
  EXPECT_FALSE(fs::exists(folder.Child("archive")));
}

// Every cached file gone: the summary tells that from a wrong path. Cut in half: read as far as
// it goes, with status 1 unless --partial-ok.
TEST(CacheReadingCommands, TheSummarySaysWhatWasLeftOutAndWhereTheIndexEnded) {
  TempFolder folder;
  testgen::IeCache cache;
  for (int i = 0; i < 60; ++i)
    cache.entries.push_back(Page("http://www.example.test/" + std::to_string(i) + ".htm", i % 4,
                                 std::to_string(i) + "[1].htm"));
  cache.entries.push_back(Page("Cookie:someone@www.example.test/", 0, "c.txt"));
  for (testgen::IeCacheEntry& entry : cache.entries)
    entry.body.reset();
  testgen::WriteIeCache(folder.path(), cache);
  const Outcome gone = Pagehold({"list", "--ie", folder.path()});
  EXPECT_EQ(gone.status, 0);
  EXPECT_THAT(gone.err, HasSubstr("pagehold list: read 61 entries, kept 0 items, skipped 61 (not "
                                  "an HTTP resource: 1, no cached file: 60)\n"));

  const std::string whole = ReadFile(folder.Child("index.dat"));
  WriteFile(folder.Child("index.dat"), whole.substr(0, whole.size() / 2));
  for (const char* command : {"list", "domains"}) {
    const Outcome cut = Pagehold({command, "--ie", folder.path()});
    EXPECT_EQ(cut.status, 1) << command;
    EXPECT_THAT(cut.err,
                HasSubstr("the index ends early, at byte " + std::to_string(whole.size() / 2) +
                          " of " + std::to_string(whole.size())));
    EXPECT_THAT(cut.out, HasSubstr("domain\t"));  // what could be read is still given
    const Outcome accepted = Pagehold({command, "--ie", folder.path(), "--partial-ok"});
    EXPECT_EQ(accepted.status, 0) << accepted.err;
  }
  const Outcome archive =
      Pagehold({"archive", "--ie", folder.path(), "--to", folder.Child("out"), "--yes"});
  EXPECT_EQ(archive.status, 1);
  EXPECT_THAT(archive.err, HasSubstr("nothing to archive"));
}

// The reproducer: a text index whose one entry names the index file itself as its cached file;
// and IE records naming index.dat (in the cache folder or a sub-folder) or desktop.ini.
TEST(CacheReadingCommands, TheCachesOwnFilesAreNeverItems) {
  const std::string reproducer = testing::SharedFuzzDir() + "index-names-itself.fat.db";
  if (testing::SharedFuzzDir().empty() || !FileExists(reproducer))
    GTEST_SKIP() << "the shared fuzz reproducers are absent";
  TempFolder folder;
  const std::string index = folder.Child("fat.db");
  WriteFile(index, ReadFile(reproducer));
  EXPECT_THAT(Pagehold({"list", "--nav", index}).err,
              HasSubstr("kept 0 items, skipped 1 (the cache's own file: 1)"));
  const Outcome removal = Pagehold({"delete", "--nav", index, "--yes"});
  EXPECT_EQ(removal.status, 1);
  EXPECT_THAT(removal.err, HasSubstr("No files to delete."));
  EXPECT_EQ(ReadFile(index), ReadFile(reproducer));

  testgen::IeCache cache;
  cache.entries = {Page("http://a.test/1", testgen::kInCacheFolder, "index.dat"),
                   Page("http://a.test/2", 1, "INDEX.DAT"),
                   Page("http://a.test/3", 2, "desktop.ini"),
                   Page("http://a.test/4", 3, "kept[1].htm")};
  cache.entries[0].body.reset();  // it is the index the generator writes
  testgen::WriteIeCache(folder.path(), cache);
  const std::string indexDat = ReadFile(folder.Child("index.dat"));
  EXPECT_THAT(Pagehold({"list", "--ie", folder.path()}).err,
              HasSubstr("kept 1 item, skipped 3 (the cache's own file: 3)"));
  EXPECT_EQ(Pagehold({"delete", "--ie", folder.path(), "--yes"}).out, "deleted 1 item\n");
  EXPECT_EQ(ReadFile(folder.Child("index.dat")), indexDat);
  EXPECT_TRUE(FileExists(folder.Child("E5F6G7H8/INDEX.DAT")));
  EXPECT_TRUE(FileExists(folder.Child("J9K0L1M2/desktop.ini")));
}

// Files reached through symbolic links out of the cache folder are never read; a link inside
// the cache is an ordinary cached file, and deleting its item removes the link alone.
TEST(CacheReadingCommands, LinksOutOfTheCacheAreSkippedAndDeletingRemovesOnlyLinks) {
  if (const std::string& why = testing::WhyNoSymbolicLinks(); !why.empty())
    GTEST_SKIP() << why;
  TempFolder outside;
  WriteFile(outside.Child("secret.htm"), "outside the cache");
  WriteFile(outside.Child("folder/page.htm"), "a whole folder outside the cache");
  TempFolder folder;
  testgen::IeCache cache;
  cache.entries = {Page("http://in.test/target", 0, "target[1].htm"),
                   Page("http://inner.test/link", 0, "inner[1].htm"),
                   Page("http://out.test/file", 0, "file[1].htm"),
                   Page("http://folder.test/page", 1, "page.htm")};
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
  EXPECT_THAT(list.err, HasSubstr("kept 2 items, skipped 2 (link out of the cache: 2)"));
  EXPECT_EQ(Pagehold({"delete", "--ie", folder.path(), "--domain", "inner.test", "--yes"}).out,
            "deleted 1 item\n");
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
  EXPECT_TRUE(FileExists(target));
  EXPECT_EQ(Pagehold({"delete", "--ie", folder.path(), "--yes"}).out, "deleted 1 item\n");
  EXPECT_EQ(ReadFile(outside.Child("secret.htm")), "outside the cache");
  EXPECT_EQ(ReadFile(outside.Child("folder/page.htm")), "a whole folder outside the cache");
}

// Pages typed "text/html; charset=..." as real servers send them: every relative link opens its
// archived file, the titles reach the index pages and the text is searched.
TEST(CacheReadingCommands, PagesWithACharacterSetAreArchivedAsPages) {
  TempFolder cache;
  TempFolder archive;
  // MIMETYPE.DAT cannot be kept (its folder would lie under a file): the run goes on all the
  // same, says so once, and the pages are still pages in the next run.
  WriteFile(cache.Child("a-file"), "");
  const testing::ScopedEnvironment data("XDG_DATA_HOME", cache.Child("a-file"));
  testgen::IeCache ie;
  ie.entries = {
      Page("http://www.example.test/news/index.html", 0, "index[1].htm", "text/html; charset=utf-8",
           "<html><title>Front page</title><a href=\"story.html\">story</a>"
           "<img src=\"../pics/logo.gif\"><a href=\"/about.html#team\">about</a></html>"),
      Page("http://www.example.test/news/story.html", 1, "story[1].htm",
           "Text/HTML;charset=ISO-8859-1", "<title>A story</title>Tidewater <a href=index.html>"),
      Page("http://www.example.test/about.html", 2, "about[1].htm",
           "text/html; charset=\"windows-1252\"",
           "<title>About us</title><a href='news/story.html'>"),
      Page("http://www.example.test/pics/logo.gif", 3, "logo[1].gif", "image/gif", "GIF89a"),
  };
  testgen::WriteIeCache(cache.path(), ie);
  const Outcome run = Pagehold({"archive", "--ie", cache.path(), "--to", archive.path()});
  ASSERT_EQ(run.status, 0);
#ifndef _WIN32  // where MIMETYPE.DAT stays beside the program
  const std::size_t notice =
      run.err.find("MIME types new to the table cannot be kept (" + cache.Child("a-file"));
  EXPECT_NE(notice, std::string::npos);
  EXPECT_EQ(notice, run.err.rfind("MIME types new to the table"));
#endif

  const std::regex link(R"((?:href|src)\s*=\s*["']?([^"' >]+))", std::regex::icase);
  int links = 0;
  for (const auto& file : fs::directory_iterator(archive.Child("www.example.test/text"))) {
    const std::string page = ReadFile(file.path().string());
    for (std::sregex_iterator it(page.begin(), page.end(), link), end; it != end; ++it, ++links) {
      const std::string target = (*it)[1].str();
      EXPECT_THAT(target, Not(HasSubstr("notfound")));
      EXPECT_TRUE(
          fs::is_regular_file(file.path().parent_path() / target.substr(0, target.find('#'))))
          << file.path() << ": " << target;
    }
  }
  EXPECT_EQ(links, 5);
  const std::string textList = ReadFile(archive.Child("www.example.test/text_index.htm"));
  for (const char* title : {"Front page", "A story", "About us"})
    EXPECT_THAT(textList, HasSubstr(title));
  EXPECT_THAT(Pagehold({"search", archive.path(), "--text", "tidewater"}).out,
              HasSubstr("http://www.example.test/news/story.html\t"));
}

}  // namespace
}  // namespace pagehold
