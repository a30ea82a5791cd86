#include "search/TextBlockSearch.h"

#include <gtest/gtest.h>

#include <string>

#include "support/TestFiles.h"

namespace pagehold {
namespace {

using namespace std::string_literals;

TEST(BlockContainsTextTest, SearchesTheLowerCasedBlockUpToItsFirstZeroByte) {
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
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.block + " / " + c.pattern);
    EXPECT_EQ(BlockContainsText(c.block, c.pattern), c.found);
  }
}

TEST(BlockContainsTextTest, BlocksLongerThanAFileBlockAreSearchedWhole) {
  std::string text(5000, 'a');
  text.replace(4990, 6, "NEEDLE");
  EXPECT_TRUE(BlockContainsText(text, "needle"));
}

TEST(FileContainsTextTest, StopsAtTheFirstHitOrAfterTheFirstShortBlock) {
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
  for (const auto& c : cases) {
    std::string content(c.size, '.');
    content.replace(c.offset, 6, "Needle");
    testing::WriteFile(path, content);
    EXPECT_EQ(FileContainsText(path, "needle"), c.found) << c.name;
  }
  EXPECT_FALSE(FileContainsText(folder.Child("missing.htm"), "needle"));
  EXPECT_FALSE(FileContainsText(folder.path(), "needle"));  // a folder opens, but is no page
}

}  // namespace
}  // namespace pagehold
