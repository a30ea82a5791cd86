#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cache/HtmlScan.h"

namespace pagehold {
namespace {

std::vector<std::string> AllWords(std::string_view tag) {
  std::vector<std::string> words;
  std::size_t position = 0;
  while (position < tag.size()) {
    std::string word = NextTagWord(tag, position);
    if (!word.empty())
      words.push_back(word);
  }
  return words;
}

TEST(TagScanTest, WordsAreUpperCasedAndStopAtNonWordCharacters) {
  struct Case {
    const char* tag;
    std::vector<std::string> words;
  } cases[] = {
      {"a href=\"x.html\">", {"A", "HREF", "X.HTML"}},
      {"/a>", {"/A"}},
      {"IMG  SRC=pic.gif ALT='hi'>", {"IMG", "SRC", "PIC.GIF", "ALT", "'HI'"}},
      // The character at the end is never part of a word, even when it is a word character.
      {"abc", {"AB"}},
      {"!-- x>", {"!--", "X"}},
      // Bytes above 127 and controls separate words like spaces do.
      {"td\xe9x\tY>", {"TD", "X", "Y"}},
      {">", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AllWords(c.tag), c.words) << c.tag;
}

TEST(TagScanTest, WordLeavesPositionOnTheCharacterAfterIt) {
  const std::string tag = "A HREF=x>";
  std::size_t position = 0;
  EXPECT_EQ(NextTagWord(tag, position), "A");
  EXPECT_EQ(position, 2u);  // the space
  EXPECT_EQ(NextTagWord(tag, position), "HREF");
  EXPECT_EQ(position, 7u);  // the "="
  position = 40;
  EXPECT_EQ(NextTagWord(tag, position), "");
  EXPECT_EQ(position, tag.size());
}

struct ValueCase {
  const char* tag;
  std::size_t from;  // the position after the attribute name
  const char* value;
  std::size_t start;
  std::size_t end;
};

TEST(TagScanTest, AttributeValuesQuotedAndUnquoted) {
  const ValueCase cases[] = {
      // A quoted value stops at its first space, even inside the quotes.
      {"A HREF=\"my page.html\">", 6, "my", 8, 11},
      {"A HREF=page.html>", 6, "page.html", 7, 17},
      {"A HREF='x.htm'>", 6, "x.htm", 8, 14},
      // An unquoted value takes a single quote and "=" as ordinary characters.
      {"A HREF=it's=x>", 6, "it's=x", 7, 14},
      // Blanks and "=" before the value are passed over; so are bytes of 127 and above.
      {"A HREF = \x7f\xff"
       "x>",
       6, "x", 11, 13},
      // Controls inside a value are dropped; a quoted value is trimmed.
      {"A HREF=\"\tab\x01"
       "c\">",
       6, "abc", 8, 14},
      {"A HREF=a\tb>", 6, "ab", 7, 11},
      // An unterminated value runs to the end; the last character is not taken.
      {"A HREF=abc", 6, "ab", 7, 10},
      {"A HREF=\"abc", 6, "ab", 8, 11},
  };
  for (const ValueCase& c : cases) {
    std::size_t position = c.from;
    std::size_t start = 0;
    EXPECT_EQ(NextAttributeValue(c.tag, position, start), c.value) << c.tag;
    EXPECT_EQ(start, c.start) << c.tag;
    EXPECT_EQ(position, c.end) << c.tag;
  }
}

TEST(TagScanTest, NoValueLeftGivesEmptyAtTheEnd) {
  for (const std::string tag : {"A HREF>", "A HREF  = >", "A HREF"}) {
    std::size_t position = 6;
    std::size_t start = 0;
    EXPECT_EQ(NextAttributeValue(tag, position, start), "") << tag;
    EXPECT_EQ(position, tag.size()) << tag;
    EXPECT_EQ(start, tag.size()) << tag;
  }
}

}  // namespace
}  // namespace pagehold
