#include "cache/MimeTable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <regex>
#include <stdexcept>
#include <string>

#include "support/TestFiles.h"

namespace pagehold {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

const std::string kHeader = "ADDITIONAL MIMETYPES INFO. DO NOT EDIT OR REMOVE!\r\n";

TEST(MimeTableTest, BuiltInRowsKeepTheirStoredNumbers) {
  TempFolder folder;
  const TMimeTable table(folder.path());
  ASSERT_EQ(table.Size(), 72);
  const std::pair<int, const char*> rows[] = {
      {1, "text/html"},           {2, "image/gif"},
      {4, "text/plain"},          {20, "image/x-cmu-raster"},
      {21, "video/x-sgi-movie"},  {32, "audio/basic"},
      {33, "application/msword"}, {45, "application/x-ns-proxy-autoconfig"},
      {60, "application/zip"},    {61, "www/unknown"},
      {62, "x-world/x-vrml"},     {63, "audio/midi"},
      {66, "image/png"},          {72, "application/exe"},
  };
  for (const auto& [row, name] : rows)
    EXPECT_EQ(table.MimeTypeName(row), name) << row;
}

TEST(MimeTableTest, KnownTypesAreFoundWithoutCaseAndBlanks) {
  TempFolder folder;
  TMimeTable table(folder.path());
  const std::pair<std::string, int> cases[] = {
      {"TEXT/HTML", 1},
      {" \ttext/html\r\n", 1},
      {"\x7ftext/html\x80\xff", 1},  // trimmed to printable ASCII at both ends
      {"", 1},
      {" \t\r\n", 1},
      {"image/png", 66},
      {"Audio/MIDI", 63},
      {"application/exe", 72},
      {"foo", 0},
      {"a/", 0},
      {"  a/  ", 0},
  };
  for (const auto& [type, row] : cases)
    EXPECT_EQ(table.MimeIndexOf(type), row) << type;
  EXPECT_EQ(table.Size(), 72);
  EXPECT_FALSE(std::filesystem::exists(folder.Child("MIMETYPE.DAT")));
}

TEST(MimeTableTest, NewTypesAreRememberedAcrossRuns) {
  TempFolder folder;
  const std::string dat = folder.Child("MIMETYPE.DAT");
  {
    TMimeTable first(folder.path());
    EXPECT_EQ(first.MimeIndexOf(" application/x-foo\r\n"), 73);
    EXPECT_EQ(ReadFile(dat), kHeader + "application/x-foo\r\n");
    EXPECT_EQ(first.MimeIndexOf("APPLICATION/X-FOO"), 73);
    EXPECT_EQ(first.Size(), 73);
  }
  {
    TMimeTable second(folder.path());
    EXPECT_EQ(second.Size(), 73);
    EXPECT_EQ(second.MimeIndexOf("application/x-foo"), 73);
    EXPECT_EQ(ReadFile(dat), kHeader + "application/x-foo\r\n");
    EXPECT_EQ(second.MimeIndexOf("Text/X-Bar"), 74);
    EXPECT_EQ(second.MimeTypeName(74), "Text/X-Bar");  // kept as it came, trimmed
  }
  EXPECT_EQ(ReadFile(dat), kHeader + "application/x-foo\r\nText/X-Bar\r\n");
  EXPECT_EQ(TMimeTable(folder.path()).MimeIndexOf("text/x-bar"), 74);
}

TEST(MimeTableTest, LongTypesKeepTheirRowAcrossRuns) {
  TempFolder folder;
  const std::string longType = "application/" + std::string(300, 'z');
  EXPECT_EQ(TMimeTable(folder.path()).MimeIndexOf(longType), 73);
  TMimeTable second(folder.path());
  EXPECT_EQ(second.MimeIndexOf(longType), 73);
  EXPECT_EQ(second.MimeTypeName(73), longType.substr(0, 255));
  EXPECT_EQ(second.Size(), 73);

  // A line break inside a type would split its line in two when read back.
  EXPECT_EQ(second.MimeIndexOf("text/a\r\ntext/b"), 0);
  EXPECT_EQ(second.MimeIndexOf("text/a\nb"), 0);
  EXPECT_EQ(TMimeTable(folder.path()).Size(), 73);
}

TEST(MimeTableTest, ParametersMakeADifferentType) {
  TempFolder folder;
  TMimeTable table(folder.path());
  const std::string type = "text/html; charset=iso-8859-1";
  EXPECT_EQ(table.MimeIndexOf(type), 73);
  EXPECT_EQ(ContentKindOf(type), Text);
  EXPECT_EQ(table.MimeTypeFolder(73), "text");
}

TEST(MimeTableTest, ReadsRowsAfterAnyFirstLine) {
  TempFolder folder;
  WriteFile(folder.Child("MIMETYPE.DAT"),
            "whatever header\r\n"
            "IMAGE/GIF\r\n"  // duplicate of row 2
            "noslash\n"      // bare LF accepted
            "\r\n" +         // an empty row still counts
                std::string(300, 'x') +
                "\r\n"
                "last/line");
  TMimeTable table(folder.path());
  ASSERT_EQ(table.Size(), 77);
  EXPECT_EQ(table.MimeTypeName(73), "IMAGE/GIF");
  EXPECT_EQ(table.MimeIndexOf("image/gif"), 2);  // the first matching row wins
  EXPECT_EQ(table.MimeTypeName(74), "noslash");
  EXPECT_EQ(table.MimeTypeName(75), "");
  EXPECT_EQ(table.MimeTypeName(76), std::string(255, 'x'));
  EXPECT_EQ(table.MimeIndexOf("LAST/LINE"), 77);
}

// A file that cannot be written never stops a reading, and a row it does not keep is never
// given out (a later run would give its number to another type): a new type takes the row of
// its type without parameters, or that of application/octet-stream; that is told once, and no later
// row is tried. A missing folder is made.
TEST(MimeTableTest, AnUnwritableFileStopsNothingAndAMissingFolderIsMade) {
  TempFolder folder;
  std::filesystem::create_directory(folder.Child("MIMETYPE.DAT"));
  TMimeTable blocked(folder.path());
  EXPECT_EQ(blocked.MimeIndexOf("application/x-foo"), 40);
  EXPECT_THAT(blocked.TakeNotices(), ElementsAre(HasSubstr("cannot be kept")));
  std::filesystem::remove(folder.Child("MIMETYPE.DAT"));
  EXPECT_EQ(blocked.MimeIndexOf("text/html; charset=utf-8"), 1);
  EXPECT_EQ(blocked.Size(), 72);
  EXPECT_TRUE(blocked.TakeNotices().empty());
  EXPECT_FALSE(std::filesystem::exists(folder.Child("MIMETYPE.DAT")));
  EXPECT_EQ(TMimeTable(folder.Child("data/pagehold/")).MimeIndexOf("application/x-foo"), 73);
  EXPECT_EQ(ReadFile(folder.Child("data/pagehold/MIMETYPE.DAT")),
            kHeader + "application/x-foo\r\n");
}

// Garbage that damaged caches hold, then random types of the syntax with up to two pieces
// inserted inside (pieces that may or may not break it): only the types that the pattern
// accepts become rows.
TEST(MimeTableTest, OnlyTypesOfTheMediaTypeSyntaxBecomeRows) {
  TempFolder folder;
  TMimeTable table(folder.path());
  const std::regex syntax(R"([-!#$%&'*+.^_`|~0-9A-Za-z]+/[-!#$%&'*+.^_`|~0-9A-Za-z]+)"
                          R"(([ \t]*|[ \t]*;[^\x00-\x08\x0a-\x1f\x7f]*))");
  std::vector<std::string> types = {"te{t/html",
                                    "noslash",
                                    "image/",
                                    "/plain",
                                    "text//html",
                                    "text/html; a=\x1b"
                                    "b",
                                    "i4age/jpeg"};
  const std::string tokens[] = {"text", "x-y", "a.b", "Q", "vnd+z"};
  const std::string pieces[] = {"/",  ";",    " ",    "=",    "\"",  "{",
                                "\t", "\x01", "\x7f", "\x80", "\r\n"};
  std::mt19937 random(11);
  const auto any = [&](const auto& choices) { return choices[random() % std::size(choices)]; };
  for (int i = 0; i < 1000; ++i) {
    std::string type = any(tokens) + "/" + any(tokens);
    if (random() % 2)
      type += "; " + any(tokens) + "=" + any(tokens);
    for (int inserted = static_cast<int>(random() % 3); inserted > 0; --inserted)
      type.insert(1 + random() % (type.size() - 1), any(pieces));  // inside: nothing to trim
    types.push_back(type);
  }
  int usable = 0;
  for (const std::string& type : types) {
    const int before = table.Size();
    const int row = table.MimeIndexOf(type);
    const bool matches = std::regex_match(type, syntax);
    // A usable type gets a row while the table has distinguishable rows left.
    EXPECT_TRUE(matches ? row != 0 || before >= 255 : row == 0) << type;
    EXPECT_TRUE(table.Size() == before || matches) << type;
    EXPECT_LE(table.Size(), 255);
    usable += matches ? 1 : 0;
  }
  EXPECT_GT(usable, 30);  // the types do reach both sides of the rule
  EXPECT_LT(usable, 970);
}

// Past row 255 a stored record would read a row as a built-in one: no such row is given out,
// a type that would need one takes the row of its type without parameters, or that of
// application/octet-stream (so its items are still archived), and that is said once.
TEST(MimeTableTest, NoRowPastTheDistinguishableOnesIsGivenOut) {
  TempFolder folder;
  std::string dat = kHeader;
  for (int row = 73; row <= 260; ++row)
    dat += "application/x-" + std::to_string(row) + "\r\n";
  WriteFile(folder.Child("MIMETYPE.DAT"), dat);
  TMimeTable table(folder.path());
  for (const auto& [type, row] : {std::pair{"application/x-255", 255},
                                  {"application/x-257", 40},
                                  {"text/html; charset=koi8-r", 1},
                                  {"IMAGE/PNG; q=1", 66},
                                  {"application/x-new", 40}})
    EXPECT_EQ(table.MimeIndexOf(type), row) << type;
  EXPECT_EQ(table.Size(), 260);
  EXPECT_EQ(ReadFile(folder.Child("MIMETYPE.DAT")), dat);
  EXPECT_THAT(table.TakeNotices(), ElementsAre(HasSubstr("no row left for application/x-257")));
}

TEST(MimeTableTest, HtmlPagesAreTextHtmlWithOrWithoutParameters) {
  TempFolder folder;
  TMimeTable table(folder.path());
  for (const auto& [type, html] : {std::pair{"TEXT/HTML ;charset=utf-8", true},
                                   {"text/htmlx", false},
                                   {"text/plain; charset=utf-8", false}})
    EXPECT_EQ(table.IsHtmlPage(table.MimeIndexOf(type)), html) << type;
  EXPECT_TRUE(table.IsHtmlPage(1));
  EXPECT_FALSE(table.IsHtmlPage(0));
}

TEST(MimeTableTest, TypeNamesAndFolders) {
  TempFolder folder;
  WriteFile(folder.Child("MIMETYPE.DAT"), kHeader +
                                              "noslash\r\n../x\r\n./x\r\n/x\r\n"
                                              "a\\b/c\r\nc:/x\r\n.../x\r\nmodel/vrml\r\n");
  const TMimeTable table(folder.path());
  ASSERT_EQ(table.Size(), 80);
  const std::pair<int, const char*> cases[] = {
      {1, "text"},     {2, "image"},  {33, "application"}, {61, "www"},
      {62, "x-world"}, {0, "text"},   {-1, "text"},        {81, "text"},
      {73, "other"},   {74, "other"}, {75, "other"},       {76, "other"},
      {77, "other"},   {78, "other"}, {79, "other"},       {80, "model"},
  };
  for (const auto& [row, folderName] : cases)
    EXPECT_EQ(table.MimeTypeFolder(row), folderName) << row;
  EXPECT_EQ(table.MimeTypeName(0), "text/plain");
  EXPECT_EQ(table.MimeTypeName(81), "text/plain");
}

TEST(MimeTableTest, ContentKindLooksAtTheFirstFiveCharactersAsGiven) {
  const std::pair<const char*, ContentKindValue> cases[] = {
      {"image/gif", Media},  {"Image/gif", Other},       {"text/html", Text}, {"textual", Other},
      {"audio", Media},      {"video/mpeg", Media},      {"", Other},         {"text", Other},
      {" text/html", Other}, {"application/pdf", Other},
  };
  for (const auto& [type, kind] : cases)
    EXPECT_EQ(ContentKindOf(type), kind) << type;
}

}  // namespace
}  // namespace pagehold
