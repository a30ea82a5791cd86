#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cache/HtmlScan.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

using namespace std::string_literals;

TEST(HtmlTitleTest, FindsTheFirstTitleElement) {
  const std::string hundredFifty(150, 't');
  struct Case {
    const char* what;
    std::string page;
    std::string title;
  } cases[] = {
      {"capitals over two lines", "<HTML><HEAD><TITLE>My\r\nPage</TITLE></HEAD>", "MyPage"},
      {"150 characters", "<title>" + hundredFifty + "</title>", std::string(100, 't')},
      {"attributes", "<title lang=en>Hello</title>", "Hello"},
      {"name beginning with title", "<titlebar>Bar</titlebar>", "Bar"},
      {"closing tag first", "</title>no<b>bold</b><title>Yes</title>", "Yes"},
      {"blanks around", "<title>  \t Spaced out \r\n</title>", "Spaced out"},
      {"blanks inside the tag", "<  title  >T</title>", "T"},
      {"runs to the end", "<title>Open ended", "Open ended"},
      {"empty title stops the search", "<title></title><title>Second</title>", ""},
      {"no title", "<html><body>text</body></html>", ""},
      {"empty page", "", ""},
      {"no tags", "just text", ""},
      {"tag cut at the end", "text <title", ""},
      {"control bytes dropped",
       "<title>\x01"
       "A\tB\x0e\xe9"
       "C\x0d</title>",
       "AB\x0e\xe9"
       "C"},
      {"cut before trimming", "<title>" + std::string(99, 'x') + " y</title>",
       std::string(99, 'x')},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExtractTitleFromBytes(c.page), c.title) << c.what;
}

TEST(HtmlTitleTest, TagTextIsKeptToFifteenBytes) {
  // Ten blanks and "title" fill the fifteen kept bytes; one blank more cuts the name.
  EXPECT_EQ(ExtractTitleFromBytes("<" + std::string(10, ' ') + "title>A</title>"), "A");
  EXPECT_EQ(ExtractTitleFromBytes("<" + std::string(11, ' ') + "title>A</title>"), "");
  // A long tag is read to its ">" all the same.
  EXPECT_EQ(ExtractTitleFromBytes("<a href=\"" + std::string(50, 'h') + "\"><title>B</title>"),
            "B");
}

TEST(HtmlTitleTest, CommentsHideTitles) {
  struct Case {
    const char* what;
    std::string page;
    std::string title;
  } cases[] = {
      {"closed comment", "<!-- <title>Hidden</title> --><title>Real</title>", "Real"},
      {"comment holding dashes", "<!-- a -- b > --><title>Real</title>", "Real"},
      {"empty comment", "<!----><title>Real</title>", "Real"},
      {"unclosed comment ends at the next >", "<!-- note > <title>Found</title>", "Found"},
      // Read as an ordinary tag, the unclosed comment runs to the ">" of the title tag.
      {"unclosed comment swallows the title tag", "<!-- note <title>Lost</title>", ""},
      {"comment closed only by a later comment", "<!-- a > <!-- <title>In</title> -->", ""},
      {"not a comment start", "<! -- x><title>T</title>", "T"},
      {"dashes later in a tag", "<a--><title>T</title>", "T"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExtractTitleFromBytes(c.page), c.title) << c.what;
}

TEST(HtmlTitleTest, ReadsTheTitleFromAFile) {
  testing::TempFolder folder;
  const std::string page = folder.Child("page.htm");
  testing::WriteFile(page, "<html><title>From disk\0x</title>"s);
  EXPECT_EQ(ExtractTitle(page), "From diskx");  // the zero byte is a control byte
  EXPECT_EQ(ExtractTitle(folder.Child("missing.htm")), "");
  std::filesystem::create_directory(folder.Child("folder.htm"));
  EXPECT_EQ(ExtractTitle(folder.Child("folder.htm")), "");
}

}  // namespace
}  // namespace pagehold
