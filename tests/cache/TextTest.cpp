#include "cache/Text.h"

#include <gtest/gtest.h>

namespace pagehold {
namespace {

TEST(TextTest, CaseFoldingTouchesOnlyAsciiLetters) {
  EXPECT_EQ(UpperCase("abc-\xe9z"), "ABC-\xe9Z");
  EXPECT_EQ(LowerCase("ABC-\xc9Z"), "abc-\xc9z");
  EXPECT_TRUE(SameText("Http://X", "hTTP://x"));
  EXPECT_FALSE(SameText("\xe9", "\xc9"));
}

TEST(TextTest, CompareTextOrdersWithoutCaseAndByLength) {
  EXPECT_LT(CompareText("apple", "Banana"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
  EXPECT_LT(CompareText("ab", "ABC"), 0);
  EXPECT_EQ(CompareText("", ""), 0);
}

TEST(TextTest, TrimDropsControlCharactersAndSpaces) {
  EXPECT_EQ(TrimBlanks("\t\r\n a b \x01"), "a b");
  EXPECT_EQ(TrimLeftBlanks("  x "), "x ");
  EXPECT_EQ(TrimRightBlanks("  x "), "  x");
  EXPECT_EQ(TrimBlanks("\x7f"), "\x7f");  // 127 is not blank
}

TEST(TextTest, ParseIntAcceptsWholeDecimalTextsOnly) {
  struct Case {
    const char* text;
    bool ok;
    int value;
  } cases[] = {{"80", true, 80},  {"-3", true, -3}, {"+7", true, 7},  {"", false, 0},
               {"abc", false, 0}, {"8a", false, 0}, {" 8", false, 0}, {"99999999999", false, 0}};
  for (const Case& c : cases) {
    int value = 0;
    EXPECT_EQ(ParseInt(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

}  // namespace
}  // namespace pagehold
