#include "archive/IndexPagesDate.h"

#include <gtest/gtest.h>

#include "archive/IndexPagesMarkup.h"

namespace pagehold {
namespace {

TEST(ShortDateTest, FormatsByPattern) {
  DateParts date;
  date.year = 2026, date.month = 3, date.day = 7;
  DateParts late;
  late.year = 1999, late.month = 12, late.day = 31;
  struct Case {
    const char* pattern;
    const DateParts& date;
    const char* text;
  } cases[] = {
      {"m/d/yy", date, "3/7/26"},
      {"m/d/yy", late, "12/31/99"},
      {"M/d/yyyy", date, "3/7/2026"},
      {"dd.MM.yyyy", date, "07.03.2026"},
      {"yyyy-MM-dd", late, "1999-12-31"},
      {"d-MMM-yy", date, "7-Mar-26"},
      {"d MMMM yyyy", late, "31 December 1999"},
      {"dd/mm/y", date, "07/03/2026"},
      {"'day' d", date, "day 7"},
      {"", date, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatShortDate(c.date, c.pattern), c.text) << c.pattern;
}

TEST(ShortDateTest, TakesThePatternFromTheCLibraryFormat) {
  struct Case {
    const char* format;
    const char* pattern;
  } cases[] = {
      {"%m/%d/%y", "m/d/yy"},  // the C locale: nothing set by the user
      {"%m/%d/%Y", "mm/dd/yyyy"},
      {"%d.%m.%Y", "dd.mm.yyyy"},
      {"%d/%m/%y", "dd/mm/yy"},
      {"%Y-%m-%d", "yyyy-mm-dd"},
      {"%e.%m.%Y", "d.mm.yyyy"},
      {"%x", "m/d/yy"},
      {"%Y年%m月%d日", "yyyy年mm月dd日"},
      {"%d de %B", "m/d/yy"},
      {"", "m/d/yy"},
      {"%", "m/d/yy"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PatternFromCFormat(c.format), c.pattern) << c.format;
}

TEST(IndexMarkupTest, EscapesWhatCouldEndAnAttributeOrOpenATag) {
  struct Case {
    const char* text;
    const char* markup;
    const char* url;
    const char* script;
  } cases[] = {
      {"plain", "plain", "plain", "plain"},
      {"a<b>c", "a&lt;b&gt;c", "a&lt;b&gt;c", "a&lt;b&gt;c"},
      {"say \"hi\"", "say &quot;hi&quot;", "say%20&quot;hi&quot;", "say &quot;hi&quot;"},
      {"&amp; &nbsp;", "&amp; &nbsp;", "&amp;%20&nbsp;", "&amp; &nbsp;"},
      {"it's \\", "it's \\", "it's%20\\", "it\\'s \\\\"},
      {"tab\there", "tab\there", "tab%09here", "tab\there"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EscapeMarkup(c.text), c.markup) << c.text;
    EXPECT_EQ(MarkupUrl(c.text), c.url) << c.text;
    EXPECT_EQ(ScriptStringText(c.text), c.script) << c.text;
  }
}

}  // namespace
}  // namespace pagehold
