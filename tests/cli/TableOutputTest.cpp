#include "cli/TableOutput.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cache/Dates.h"

namespace pagehold {
namespace {

TEST(JsonQuoted, EscapesWhatJsonRequiresAndHighBytes) {
  struct {
    std::string text;
    const char* json;
  } const cases[] = {
      {"", R"("")"},
      {"plain text/html", R"("plain text/html")"},
      {R"(say "hi")", R"("say \"hi\"")"},
      {R"(C:\cache\a.htm)", R"("C:\\cache\\a.htm")"},
      {"a\tb\r\nc", R"("a\tb\r\nc")"},
      {std::string("nul\0x", 5), R"("nul\u0000x")"},
      {"\x01\x1f\x7f", R"("\u0001\u001f\u007f")"},
      {"caf\xe9 \x80\xff", R"("caf\u00e9 \u0080\u00ff")"},
      {"/", R"("/")"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(JsonQuoted(c.text), c.json);
}

TEST(TsvField, TurnsControlCharactersIntoSpacesAndKeepsTheRest) {
  EXPECT_EQ(TsvField("a\tb\nc\rd"), "a b c d");
  EXPECT_EQ(TsvField("C:\\cache\\caf\xe9"), "C:\\cache\\caf\xe9");
}

TEST(IsoDateTime, WritesLocalDateAndTime) {
  struct {
    DateParts parts;
    const char* iso;
  } const cases[] = {
      {{1899, 12, 30, 0, 0, 0}, "1899-12-30T00:00:00"},
      {{1998, 6, 15, 9, 5, 7}, "1998-06-15T09:05:07"},
      {{2024, 2, 29, 23, 59, 59}, "2024-02-29T23:59:59"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsoDateTime(EncodeDate(c.parts)), c.iso);
}

TEST(TableWriter, WritesTabSeparatedRowsUnderAHeader) {
  std::ostringstream out;
  {
    TableWriter table(out, OutputFormat::Tsv, {"name", "count"});
    table.Row({"a\tb", 3});
    table.Row({"", -1});
  }
  EXPECT_EQ(out.str(), "name\tcount\na b\t3\n\t-1\n");
}

TEST(TableWriter, WritesTheSameRowsAsAJsonArray) {
  std::ostringstream out;
  {
    TableWriter table(out, OutputFormat::Json, {"name", "cache_file", "count"});
    table.Row({"a\"b", "C:\\x", 3});
    table.Row({"c", "", 0});
  }
  EXPECT_EQ(out.str(),
            "[\n"
            "  {\"name\": \"a\\\"b\", \"cache_file\": \"C:\\\\x\", \"count\": 3},\n"
            "  {\"name\": \"c\", \"cache_file\": \"\", \"count\": 0}\n"
            "]\n");
  std::ostringstream empty;
  { TableWriter table(empty, OutputFormat::Json, {"name"}); }
  EXPECT_EQ(empty.str(), "[]\n");
}

}  // namespace
}  // namespace pagehold
