#include "archive/TextExcerpt.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/TestFiles.h"

namespace pagehold {
namespace {

TEST(TextExcerptTest, CollectsTheVisibleTextAtTheStart) {
  struct Case {
    const char* what;
    std::string page;
    std::string excerpt;
  } cases[] = {
      {"title and comment left out, spaces folded, closing tag adds the last space",
       "<HTML><HEAD><TITLE>Greeting</TITLE></HEAD>\r\n<BODY><!-- made by hand -->\r\n"
       "<P>Hello   world</P>\r\n</BODY></HTML>\r\n",
       "Hello world "},
      {"leading white space dropped, the end of the file is a boundary", " \t\r\n plain text",
       "plain text "},
      {"tab, line feed and carriage return are white space", "a\tb\nc\rd", "a b c d "},
      {"other control characters are text", "a\x01z", "a\x01z "},
      {"tags separate words", "one<BR>two", "one two "},
      {"no space twice at a run of tags", "one <B><I> two", "one two "},
      {"character references copied as they stand", "a&nbsp;b &amp;", "a&nbsp;b &amp; "},
      {"script contents are collected", "<SCRIPT>x=1;</SCRIPT>", "x=1; "},
      {"title in any case, with blanks inside the tag", "< tItLe >skip</title>keep", "keep "},
      {"a tag whose text merely starts with title", "<titlebar>gone</titlebar>after", "after "},
      {"comment closed at once", "a<!-->b", "a b "},
      {"comment with dashes and tags inside", "a<!-- <b>x</b> -- y --->b", "a b "},
      {"unterminated comment: reading goes on after the next >",
       "start<!-- open <b>bold</b> <!-- second > end", "start bold end "},
      {"tag at the very end", "text<", "text "},
      {"unterminated tag", "text<b never", "text "},
      {"title never closed", "<title>no end", ""},
      {"empty page", "", ""},
      {"only tags", "<html><body></body></html>", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ExcerptFromText(c.page), c.excerpt);
  }
}

TEST(TextExcerptTest, StopsAt192Characters) {
  const std::string words(300, 'w');
  EXPECT_EQ(ExcerptFromText(words), std::string(192, 'w'));
  // A boundary space that would be the 193rd character is not added.
  EXPECT_EQ(ExcerptFromText(std::string(192, 'x') + "<b>more"), std::string(192, 'x'));
  // The 192nd character may be the boundary space.
  EXPECT_EQ(ExcerptFromText(std::string(191, 'y') + "<b>more"), std::string(191, 'y') + " ");
  std::string spaced;
  for (int i = 0; i < 100; ++i)
    spaced += "ab   ";
  const std::string excerpt = ExcerptFromText(spaced);
  EXPECT_EQ(excerpt.size(), kExcerptLength);
  EXPECT_EQ(excerpt.substr(0, 6), "ab ab ");
}

TEST(TextExcerptTest, ReadsFilesAndSaysWhenOneCannotBeRead) {
  testing::TempFolder folder;
  const std::string page = folder.Child("page.htm");
  testing::WriteFile(page, "<p>Hello</p>");
  EXPECT_EQ(ExtractTextExcerpt(page).value(), "Hello ");
  EXPECT_FALSE(ExtractTextExcerpt(folder.Child("missing.htm")));
}

}  // namespace
}  // namespace pagehold
