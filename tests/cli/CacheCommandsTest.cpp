// The list, domains and delete commands, run as the program runs them, on the bundled
// Navigator sample and on IE caches written for each test with dates relative to now.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "cli/CommandRun.h"
#include "files/FolderCopy.h"
#include "iecache/IeCacheWriter.h"
#include "iecache/SyntheticIeCache.h"
#include "platform/Paths.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testing::CommandRun;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::RunCommand;
using testing::TempFolder;
using ::testing::UnorderedElementsAre;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

// Domain, kind and URL of each data line, the date column left out (it depends on the day the test
// runs).
std::vector<std::string> RowsWithoutDates(const std::string& text) {
  std::vector<std::string> rows;
  const std::vector<std::string> lines = Lines(text);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::vector<std::string> fields;
    std::istringstream in(lines[i]);
    for (std::string field; std::getline(in, field, '\t');)
      fields.push_back(field);
    EXPECT_EQ(fields.size(), 7u) << lines[i];
    if (fields.size() != 7)
      continue;
    // std::regex: GoogleTest's own expressions on Windows know no {n} repetition.
    EXPECT_TRUE(std::regex_match(
        fields[4], std::regex("[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}")))
        << fields[4];
    rows.push_back(fields[0] + " " + fields[1] + " " + fields[5]);
  }
  return rows;
}

// ---- an IE cache written for the test ----

struct IeItem {
  const char* url;
  const char* contentType;
  double ageDays;
  const char* fileName;
};

// Entries for the test's cache; their dates are now minus their age, in the local calendar
// fields that the cache stores without a time zone.
const IeItem kIeItems[] = {
    {"http://www.alpha.example/", "text/html", 0.25, "index[1].htm"},
    {"http://www.alpha.example/logo.gif", "image/gif", 0.25, "logo[1].gif"},
    {"http://Beta.Example/page.html", "text/html", 3, "page[1].htm"},
    {"http://beta.example/file.zip", "application/zip", 20, "file[1].zip"},
    {"http://www.alpha.example/old.html", "text/html", 20, "old[1].htm"},
    {"Cookie:user@www.alpha.example/", "text/plain", 0.25, "user@alpha[1].txt"},
};

class IeCacheCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    testgen::IeCache cache;
    int index = 0;
    for (const IeItem& item : kIeItems) {
      cache.entries.push_back(testgen::WebEntry(item.url, item.contentType, item.ageDays,
                                                item.fileName, std::string("body of ") + item.url,
                                                index++ % 2));
    }
    testgen::WriteIeCache(folder_.path(), cache);
  }

  CommandRun Cache(const char* command, Arguments more = {}) {
    Arguments args = {command, "--ie", folder_.path()};
    args.insert(args.end(), more.begin(), more.end());
    return RunCommand(args);
  }

  std::string CachedFile(int folderIndex, const char* name) const {
    return JoinPath(folder_.Child(folderIndex == 0 ? "A1B2C3D4" : "E5F6G7H8"), name);
  }

  TempFolder folder_;
};

TEST_F(IeCacheCommands, ListsEveryWebItem) {
  const CommandRun run = Cache("list");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Lines(run.out).at(0), "domain\tkind\tmime\ttype\tdate\turl\tcache_file");
  EXPECT_THAT(RowsWithoutDates(run.out),
              UnorderedElementsAre("www.alpha.example text http://www.alpha.example:80/",
                                   "www.alpha.example media http://www.alpha.example:80/logo.gif",
                                   "beta.example text http://beta.example:80/page.html",
                                   "beta.example other http://beta.example:80/file.zip",
                                   "www.alpha.example text http://www.alpha.example:80/old.html"));
  // text/html is MIME row 1; the cached file is the full path.
  EXPECT_THAT(run.out, HasSubstr("www.alpha.example\ttext\t1\ttext/html\t"));
  EXPECT_THAT(run.out, HasSubstr("beta.example\tother\t60\tapplication/zip\t"));
  EXPECT_THAT(run.err, HasSubstr("\npagehold list: read 6 entries, kept 5 items, skipped 1 (not "
                                 "an HTTP resource: 1)\n"));
  EXPECT_THAT(run.out,
              HasSubstr("\thttp://www.alpha.example:80/\t" + CachedFile(0, "index[1].htm") + "\n"));
}

TEST_F(IeCacheCommands, FiltersChooseWhatTheExplorerWould) {
  struct {
    Arguments filters;
    std::vector<std::string> urls;
  } const cases[] = {
      {{"--newer", "1d"}, {"http://www.alpha.example:80/", "http://www.alpha.example:80/logo.gif"}},
      {{"--newer", "1w"},
       {"http://www.alpha.example:80/", "http://www.alpha.example:80/logo.gif",
        "http://beta.example:80/page.html"}},
      {{"--older", "2w"},
       {"http://beta.example:80/file.zip", "http://www.alpha.example:80/old.html"}},
      {{"--older", "1h", "--kinds", "media,other"},
       {"http://www.alpha.example:80/logo.gif", "http://beta.example:80/file.zip"}},
      {{"--domain", "BETA.example"},
       {"http://beta.example:80/page.html", "http://beta.example:80/file.zip"}},
      {{"--domain", "beta.example", "--domain", "www.alpha.example", "--kinds", "other"},
       {"http://beta.example:80/file.zip"}},
      {{"--newer", "1d", "--domain", "beta.example"}, {}},
      {{"--older", "2d", "--newer", "10d"}, {"http://beta.example:80/page.html"}},  // between
      {{"--newer", "7h"}, {"http://www.alpha.example:80/", "http://www.alpha.example:80/logo.gif"}},
  };
  for (const auto& c : cases) {
    const CommandRun run = Cache("list", c.filters);
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::string> urls;
    for (const std::string& row : RowsWithoutDates(run.out))
      urls.push_back(row.substr(row.rfind(' ') + 1));
    std::sort(urls.begin(), urls.end());
    std::vector<std::string> expected = c.urls;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(urls, expected) << c.filters.front() << " " << c.filters.back();
  }
}

TEST_F(IeCacheCommands, WarnsAboutANamedDomainWithNothingInsideTheWindow) {
  const CommandRun run = Cache("list", {"--newer", "1d", "--domain", "beta.example"});
  EXPECT_EQ(run.status, 0);
  EXPECT_THAT(run.err, HasSubstr("no item of domain 'beta.example' inside the age window"));
  EXPECT_EQ(Lines(run.out).size(), 1u);
}

TEST_F(IeCacheCommands, CountsDomainsInsideTheWindow) {
  const CommandRun all = Cache("domains");
  EXPECT_EQ(all.status, 0) << all.err;
  EXPECT_EQ(all.out,
            "domain\ttext\tmedia\tother\n"
            "beta.example\t1\t0\t1\n"
            "www.alpha.example\t2\t1\t0\n");

  // The counts do not depend on the kinds; the domains follow --domain.
  const CommandRun newer =
      Cache("domains", {"--newer", "1w", "--kinds", "text", "--format", "json"});
  EXPECT_EQ(newer.status, 0) << newer.err;
  EXPECT_EQ(newer.out,
            "[\n"
            "  {\"domain\": \"beta.example\", \"text\": 1, \"media\": 0, \"other\": 0},\n"
            "  {\"domain\": \"www.alpha.example\", \"text\": 1, \"media\": 1, \"other\": 0}\n"
            "]\n");

  const CommandRun one = Cache("domains", {"--domain", "www.alpha.example"});
  EXPECT_EQ(one.out, "domain\ttext\tmedia\tother\nwww.alpha.example\t2\t1\t0\n");
}

TEST_F(IeCacheCommands, DeleteWithoutYesPrintsTheQuestionAndKeepsEverything) {
  struct {
    Arguments filters;
    bool warning;
  } const cases[] = {
      {{}, true},
      {{"--newer", "6w"}, false},
      {{"--domain", "beta.example"}, false},
      {{"--kinds", "text,media"}, false},
  };
  for (const auto& c : cases) {
    const CommandRun run = Cache("delete", c.filters);
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err,
                HasSubstr("Are you sure you want to delete these\nitems from the cache?\n"));
    EXPECT_EQ(run.err.find("WARNING : This selection will delete\nthe entire cache. Continue?\n") !=
                  std::string::npos,
              c.warning);
    EXPECT_THAT(run.err, HasSubstr("--yes"));
    EXPECT_EQ(run.out, "");
  }
  EXPECT_TRUE(FileExists(CachedFile(0, "index[1].htm")));
  EXPECT_EQ(RowsWithoutDates(Cache("list").out).size(), 5u);
}

TEST_F(IeCacheCommands, DeleteWithYesRemovesTheChosenItemsOnly) {
  const CommandRun run =
      Cache("delete", {"--domain", "www.alpha.example", "--kinds", "text", "--yes"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "deleted 2 items\n");
  EXPECT_FALSE(FileExists(CachedFile(0, "index[1].htm")));
  EXPECT_TRUE(FileExists(CachedFile(1, "logo[1].gif")));
  EXPECT_THAT(RowsWithoutDates(Cache("list").out),
              UnorderedElementsAre("www.alpha.example media http://www.alpha.example:80/logo.gif",
                                   "beta.example text http://beta.example:80/page.html",
                                   "beta.example other http://beta.example:80/file.zip"));
}

// A generated cache of a few thousand entries over twelve hosts: one host's items go, every
// other cached file and index.dat itself stay as they were.
TEST(IeCacheDeletion, RemovesTheChosenItemsAndOnlyThose) {
  TempFolder folder;
  const testgen::IeCache cache = testgen::SyntheticIeCache(3000);
  testgen::WriteIeCache(folder.path(), cache);
  const std::string index = testing::ReadFile(folder.Child("index.dat"));
  const std::string chosen = "www.example-3.test";
  const CommandRun run = RunCommand({"delete", "--ie", folder.path(), "--domain", chosen, "--yes"});
  EXPECT_EQ(run.status, 0) << run.err;
  std::size_t gone = 0;
  for (const testgen::IeCacheEntry& entry : cache.entries) {
    const bool isChosen = entry.url.starts_with("http://" + chosen + "/");
    const std::string file =
        JoinPath(folder.Child(cache.folders[entry.folderIndex]), entry.fileName);
    EXPECT_EQ(FileExists(file), !isChosen) << entry.url;
    gone += isChosen;
  }
  ASSERT_GT(gone, 100u);
  EXPECT_EQ(run.out, "deleted " + std::to_string(gone) + " items\n");
  EXPECT_EQ(testing::ReadFile(folder.Child("index.dat")), index);
}

// An entry naming the cache's own index.dat, one whose cached file is a link out of the cache
// and one in a sub-folder that links outside the cache are never items: the reading counts
// them, and nothing of them is deleted.
TEST(IeCacheDeletion, NeverDeletesTheIndexAndRemovesLinksNotTheirTargets) {
  if (const std::string& why = testing::WhyNoSymbolicLinks(); !why.empty())
    GTEST_SKIP() << why;
  TempFolder outside;
  testing::WriteFile(outside.Child("target.htm"), "outside the cache");
  const std::string cacheFolder = outside.Child("cache");
  testgen::IeCache cache = testgen::SyntheticIeCache(3);
  cache.entries[0].folderIndex = testgen::kInCacheFolder;
  cache.entries[0].fileName = "index.dat";
  cache.entries[0].body.reset();
  cache.entries[1].body.reset();
  testgen::WriteIeCache(cacheFolder, cache);
  const std::string link =
      JoinPath(JoinPath(cacheFolder, cache.folders[1]), cache.entries[1].fileName);
  std::filesystem::create_symlink(outside.Child("target.htm"), link);

  // A sub-folder that is a link to a folder outside the cache.
  const std::string linkedFolder = JoinPath(cacheFolder, cache.folders[2]);
  std::filesystem::remove_all(linkedFolder);
  std::filesystem::create_directory_symlink(outside.path(), linkedFolder);
  testing::WriteFile(outside.Child(cache.entries[2].fileName), "outside too");

  const CommandRun run = RunCommand({"delete", "--ie", cacheFolder, "--yes"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_THAT(run.err, HasSubstr("skipped 3 (link out of the cache: 2, the cache's own file: 1)"));
  EXPECT_THAT(run.err, HasSubstr("No files to delete."));
  EXPECT_EQ(testing::ReadFile(outside.Child(cache.entries[2].fileName)), "outside too");
  EXPECT_TRUE(FileExists(JoinPath(cacheFolder, "index.dat")));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(testing::ReadFile(outside.Child("target.htm")), "outside the cache");
}

TEST_F(IeCacheCommands, DeleteWithNothingChosenSaysSo) {
  const CommandRun run = Cache("delete", {"--newer", "1d", "--kinds", "other", "--yes"});
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, HasSubstr("No files to delete.\n"));
  EXPECT_EQ(RowsWithoutDates(Cache("list").out).size(), 5u);
}

TEST(CacheCommands, ReportBadUsageInOneLine) {
  TempFolder empty;
  struct {
    Arguments args;
    const char* err;
  } const cases[] = {
      {{"list"}, "pagehold list: no cache given: use --nav INDEX_FILE or --ie CACHE_FOLDER\n"},
      {{"list", "--nav", "x", "--format", "csv"},
       "pagehold list: --format takes tsv or json (not 'csv')\n"},
      {{"domains", "--nav", "x", "--frobnicate"},
       "pagehold domains: unexpected argument '--frobnicate'\n"},
      {{"delete", "--nav", "x", "--yes", "extra"},
       "pagehold delete: unexpected argument 'extra'\n"},
      {{"delete", "--newer", "2", "--nav", "x"},
       "pagehold delete: --newer wants a positive whole number and a unit, like 6h, 2d or 1w (not "
       "'2')\n"},
  };
  for (const auto& c : cases) {
    const CommandRun run = RunCommand(c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, "");
  }
  const CommandRun missing = RunCommand({"list", "--ie", empty.path()});
  EXPECT_EQ(missing.status, 2);
  EXPECT_THAT(missing.err, HasSubstr("pagehold list: cannot find the cache index "));
  const CommandRun missingNav = RunCommand({"domains", "--nav", empty.Child("fat.db")});
  EXPECT_EQ(missingNav.status, 2);
  EXPECT_THAT(missingNav.err, HasSubstr("cannot find the cache index"));
}

// ---- the bundled Navigator sample ----

class NavigatorSampleCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    index_ = JoinPath(testing::SamplesDir(), "nav/fat.db");
    if (!FileExists(index_))
      GTEST_SKIP() << "the Navigator sample is absent: " << index_;
  }
  std::string index_;
};

TEST_F(NavigatorSampleCommands, CountsTheTwoSites) {
  const CommandRun run = RunCommand({"domains", "--nav", index_});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "domain\ttext\tmedia\tother\n"
            "www.example-bikes.test\t3\t2\t0\n"
            "www.example-garden.test\t3\t2\t2\n");
}

TEST_F(NavigatorSampleCommands, ListsTheReadableEntriesOnly) {
  const CommandRun all = RunCommand({"list", "--nav", index_});
  EXPECT_EQ(all.status, 0) << all.err;
  const std::vector<std::string> rows = RowsWithoutDates(all.out);
  EXPECT_EQ(rows.size(), 12u);
  for (const std::string& row : rows) {
    EXPECT_THAT(
        row, ::testing::AnyOf(HasSubstr("example-garden.test"), HasSubstr("example-bikes.test")));
    EXPECT_THAT(row, ::testing::Not(HasSubstr("climbing.html")));  // its cached file is missing
  }

  const CommandRun other = RunCommand({"list", "--nav", index_, "--kinds", "other"});
  EXPECT_THAT(
      RowsWithoutDates(other.out),
      ElementsAre(
          "www.example-garden.test other http://www.example-garden.test:80/docs/guide.pdf",
          "www.example-garden.test other http://www.example-garden.test:80/files/seeds.zip"));
}

TEST_F(NavigatorSampleCommands, TheSampleIsOlderThanEveryWindowOffered) {
  const CommandRun newer = RunCommand({"list", "--nav", index_, "--newer", "6w"});
  EXPECT_EQ(newer.status, 0);
  EXPECT_EQ(Lines(newer.out).size(), 1u);
  const CommandRun older = RunCommand({"list", "--nav", index_, "--older", "6w"});
  EXPECT_EQ(RowsWithoutDates(older.out).size(), 12u);
}

TEST_F(NavigatorSampleCommands, DeletingRemovesTheCachedFilesOfACopy) {
  TempFolder copy;
  testgen::CopyFolderContents(testing::SamplesDir() + "nav", copy.path());
  const std::string index = copy.Child("fat.db");
  const CommandRun run =
      RunCommand({"delete", "--nav", index, "--domain", "www.example-bikes.test", "--yes"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "deleted 5 items\n");
  EXPECT_FALSE(FileExists(copy.Child("M0B7C8D1.HTM")));
  EXPECT_TRUE(FileExists(copy.Child("M0G1A2B3.HTM")));
  EXPECT_EQ(RunCommand({"domains", "--nav", index}).out,
            "domain\ttext\tmedia\tother\nwww.example-garden.test\t3\t2\t2\n");
}

// ---- the bundled IE sample ----

class IeSampleCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = JoinPath(testing::SamplesDir(), "ie");
    if (!FileExists(JoinPath(folder_, "index.dat")))
      GTEST_SKIP() << "the IE sample is absent: " << folder_;
  }
  std::string folder_;
};

TEST_F(IeSampleCommands, CountsItsThreeHosts) {
  const CommandRun run = RunCommand({"domains", "--ie", folder_});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "domain\ttext\tmedia\tother\n"
            "img.example-garden.test\t0\t1\t0\n"
            "www.example-garden.test\t2\t1\t2\n"
            "www.example-orchard.test\t2\t0\t0\n");
}

// The cache keeps its times as calendar fields without a zone, so the listed dates are the
// stored ones wherever the test runs.
TEST_F(IeSampleCommands, ListsTheWebEntriesWithTheirStoredDates) {
  const CommandRun run = RunCommand({"list", "--ie", folder_, "--kinds", "text,other"});
  EXPECT_EQ(run.status, 0) << run.err;
  std::vector<std::string> rows;
  for (const std::string& line : Lines(run.out)) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');)
      fields.push_back(field);
    ASSERT_EQ(fields.size(), 7u) << line;
    rows.push_back(fields[1] + " " + fields[4] + " " + fields[5] + " " + FileNamePart(fields[6]));
  }
  EXPECT_THAT(
      rows,
      UnorderedElementsAre(
          "kind date url cache_file",
          "text 2003-05-12T09:30:14 http://www.example-garden.test:80/ index[1].htm",
          "text 2003-05-12T09:31:14 http://www.example-garden.test:80/roses.htm roses[1].htm",
          "other 2003-05-14T17:05:14 http://www.example-garden.test:80/docs/planting-guide.pdf "
          "planting-guide[1].pdf",
          "other 2003-05-14T17:06:14 http://www.example-garden.test:80/downloads/seeds.zip "
          "seeds[1].zip",
          "text 2003-05-15T20:45:14 http://www.example-orchard.test:8080/apples.htm apples[1].htm",
          "text 2003-05-15T20:46:14 http://www.example-orchard.test:8080/notes.txt notes[1].txt"));
}

}  // namespace
}  // namespace pagehold
