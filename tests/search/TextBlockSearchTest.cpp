#include "search/TextBlockSearch.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "cache/Text.h"
#include "platform/FileScan.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

using namespace std::string_literals;

TEST(PageTextFinderBlockTest, SearchesTheLowerCasedBlockUpToItsFirstZeroByte) {
  const struct {
    std::string block;
    std::string pattern;
    bool found;
  } cases[] = {
      {"<TITLE>Harbour</TITLE>", "harbour", true},
      {"<title>harbour</title>", "harbour", true},
      {"harbou", "harbour", false},
      {"before\0harbour"s, "harbour", false},
      {"harbour\0after"s, "harbour", true},
      {"\0"s, "x", false},
      {"", "x", false},
      // Only A-Z are folded: a byte above 127 must match itself exactly.
      {"Caf\xC9", "caf\xC9", true},
      {"Caf\xC9", "caf\xE9", false},
      {"anything", "", true},
      {"harbour", "harbour", true},
      {"HARBOUR at the start", "harbour", true},
      {"ends with harBOUR", "harbour", true},
      {"aaaab", "aab", true},
      {"abababac", "ababac", true},
      {"ababab", "ababac", false},
      {"x=1&y=2", "&y=", true},
      {"see A.B", "a.b", true},
      {"see AxB", "a.b", false},
      // A pattern with upper-case letters is never found, as the block is lower-cased.
      {"HARBOUR", "Harbour", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.block + " / " + c.pattern);
    EXPECT_EQ(PageTextFinder(c.pattern).InBlock(c.block), c.found);
  }
}

// Against the plain way on many small texts over a few letters, where partial matches abound.
TEST(PageTextFinderBlockTest, AgreesWithLowerCasingAndFinding) {
  std::mt19937 random(7);
  const std::string letters = "abAB.";
  const auto text = [&](size_t most) {
    std::string made(random() % (most + 1), ' ');
    for (char& c : made)
      c = letters[random() % letters.size()];
    return made;
  };
  for (int round = 0; round < 20000; ++round) {
    const std::string pattern = LowerCase(text(4)), block = text(12);
    const bool expected = LowerCase(block).find(pattern) != std::string::npos;
    ASSERT_EQ(PageTextFinder(pattern).InBlock(block), expected) << block << " / " << pattern;
  }
}

TEST(PageTextFinderBlockTest, BlocksLongerThanAFileBlockAreSearchedWhole) {
  std::string text(5000, 'a');
  text.replace(4990, 6, "NEEDLE");
  EXPECT_TRUE(PageTextFinder("needle").InBlock(text));
}

TEST(PageTextFinderFileTest, StopsAtTheFirstHitOrAfterTheFirstShortBlock) {
  testing::TempFolder folder;
  const std::string path = folder.Child("page.htm");
  const struct {
    const char* name;
    size_t size;
    size_t offset;
    bool found;
  } cases[] = {
      {"last bytes of a whole block", 2048, 2042, true},
      {"across the block border", 4096, 2046, false},
      {"start of the third block", 6000, 4096, true},
      {"small file", 10, 2, true},
      {"across the end of the first 32 blocks", 70000, 65534, false},
      {"in the 33rd block", 70000, 65536 + 2000, true},
  };
  const PageTextFinder finder("needle");
  FileScanner files;
  for (const auto& c : cases) {
    std::string content(c.size, '.');
    content.replace(c.offset, 6, "Needle");
    testing::WriteFile(path, content);
    EXPECT_EQ(finder.InFile(path, files), c.found) << c.name;
  }
  EXPECT_FALSE(finder.InFile(folder.Child("missing.htm"), files));
  EXPECT_FALSE(finder.InFile(folder.path(), files));  // a folder opens, but is no page
#ifndef _WIN32
  ASSERT_EQ(::mkfifo(folder.Child("pipe.htm").c_str(), 0600), 0);
  EXPECT_FALSE(finder.InFile(folder.Child("pipe.htm"), files));  // and does not wait for a writer
#endif
}

// More folders than are kept open at once, each visited twice: every file is still read, also
// when the process may hold only a few files at once.
TEST(PageTextFinderFileTest, ReadsFilesInManyFolders) {
  testing::TempFolder folder;
  std::vector<std::string> pages;
  for (int i = 0; i < 300; ++i) {
    const std::string sub = folder.Child("site" + std::to_string(i));
    std::filesystem::create_directories(sub);
    pages.push_back(sub + "/page.htm");
    testing::WriteFile(pages.back(), i % 2 ? "a Needle" : "no");
  }
  const PageTextFinder finder("needle");
  const auto scanTwice = [&] {
    FileScanner files;
    for (int round = 0; round < 2; ++round) {
      for (int i = 0; i < 300; ++i)
        ASSERT_EQ(finder.InFile(pages[i], files), i % 2 == 1) << i;
    }
  };
  scanTwice();
#ifndef _WIN32
  rlimit limit{};
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
  rlimit few = limit;
  few.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &few), 0);
  scanTwice();
  ::setrlimit(RLIMIT_NOFILE, &limit);
#endif
}

}  // namespace
}  // namespace pagehold
