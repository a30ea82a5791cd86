#include "sources/NavigatorTextIndex.h"

#include <gtest/gtest.h>

namespace pagehold {
namespace {

TEST(NavigatorTextIndexTest, HeaderMarksTheTextIndexInAnyCase) {
  struct Case {
    std::string_view start;
    bool text;
  } cases[] = {
      {"MCOM-Cache-file-allocation-table-format-1\n", true},
      {"mcom-cache\r\n", true},
      {"Mosaic-Com whatever", true},
      {"MCOM-CACH\nE", false},  // the first line is shorter than the mark
      {"MCOM-CAC", false},
      {"", false},
      {std::string_view("\0\x06\x15\x61", 4), false},
      {" MCOM-CACHE", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsTextIndexHeader(c.start), c.text) << c.start;
}

TEST(NavigatorTextIndexTest, LinesEndAtTheirFirstLineEndAndAreCutAt255) {
  const std::string longLine = std::string(300, 'a') + "\nnext\n";
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"one\r\ntwo\n", {"one\r", "two\n"}},  // the LF after a CR is skipped before the next
      {"\n\n\rone", {"one"}},
      {longLine, {std::string(255, 'a'), "next\n"}},
      {std::string(254, 'b') + "\nz", {std::string(254, 'b') + "\n", "z"}},
      {"", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t at = 0; at < c.text.size();) {
      at = ReadTextIndexLine(c.text, at, line);
      if (!line.empty())
        lines.push_back(line);
    }
    EXPECT_EQ(lines, c.lines) << c.text.substr(0, 20);
  }
}

TEST(NavigatorTextIndexTest, FieldsAndTheUsedLineRule) {
  struct Case {
    const char* line;
    bool used;
    const char* url;
    const char* name;
    const char* type;
    std::int32_t time;
  } cases[] = {
      // Exactly seven fields ended by the line end: nothing follows that end, so not used.
      {"1\t2\t900000000\tC:\\CACHE\\M1.HTM\thttp://a.test/\ttext/html\t0\n", false, "", "", "", 0},
      // A separator after the seventh field leaves the line end: used.
      {"1\t2\t900000000\tC:\\CACHE\\M1.HTM\thttp://a.test/\tText/HTML\t0\t\n", true,
       "http://a.test/", "M1.HTM", "text/html", 900000000},
      // A space belongs to a field; a run of separators counts as one.
      {"1\t\t\t2\t12\tC:\\My Cache\\M2.GIF\t\thttp://a.test/x y\timage/gif\t0\t\r\n", true,
       "http://a.test/x y", "M2.GIF", "image/gif", 12},
      // Bytes from 127 up separate fields too.
      {"1\x7f"
       "2\xff"
       "3\x80"
       "D:M3.TXT\x90u\x91t\x92z\x93!",
       true, "u", "M3.TXT", "t", 3},
      // A time that is not a number counts as 0; only 12 characters of it count.
      {"1\t2\tsoon\tM4\thttp://b.test/\ttext/plain\t0\t\n", true, "http://b.test/", "M4",
       "text/plain", 0},
      {"1\t2\t000000000042999\tM5\thttp://b.test/\ttext/plain\t0\t\n", true, "http://b.test/", "M5",
       "text/plain", 42},
      // A path written on a Unix system.
      {"1\t2\t5\t/home/u/.cache/cache1.html\thttp://c.test/\ttext/html\t0\t\n", true,
       "http://c.test/", "cache1.html", "text/html", 5},
      {"1\t2\t3\t4\t5\t6\n", false, "", "", "", 0},
      {"", false, "", "", "", 0},
  };
  for (const Case& c : cases) {
    const auto entry = ParseTextIndexLine(c.line);
    ASSERT_EQ(entry.has_value(), c.used) << c.line;
    if (!entry)
      continue;
    EXPECT_EQ(entry->url, c.url) << c.line;
    EXPECT_EQ(entry->cacheFileName, c.name) << c.line;
    EXPECT_EQ(entry->contentType, c.type) << c.line;
    EXPECT_EQ(entry->time, c.time) << c.line;
  }
}

TEST(NavigatorTextIndexTest, LongUrlsAndTypesAreCut) {
  const std::string line = "1\t2\t3\tM\thttp://a.test/" + std::string(250, 'p') + "\t" +
                           std::string(60, 'T') + "\t0\t\n";
  const auto longEntry = ParseTextIndexLine(line);
  ASSERT_TRUE(longEntry);
  EXPECT_EQ(longEntry->url, ("http://a.test/" + std::string(250, 'p')).substr(0, 255));
  // Read from a file, such a line loses its end and with it the seventh field's follower.
  std::string read;
  ReadTextIndexLine(line, 0, read);
  EXPECT_FALSE(ParseTextIndexLine(read).has_value());
  const std::string shortLine = "1\t2\t3\tM\thttp://a.test/\t" + std::string(60, 'T') + "\t0\t\n";
  const auto entry = ParseTextIndexLine(shortLine);
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->contentType, std::string(50, 't'));
}

}  // namespace
}  // namespace pagehold
