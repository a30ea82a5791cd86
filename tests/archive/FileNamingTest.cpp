#include <gtest/gtest.h>

#include <set>
#include <string>

#include "archive/FileNaming.h"

namespace pagehold {
namespace {

TEST(FileNamingTest, NamesFromUrls) {
  struct Case {
    const char* url;
    int mimeIndex;
    const char* name;
  } cases[] = {
      {"http://host:80/dir/page.html", 1, "page.htm"},
      {"http://host:80/dir/", 1, "dir.htm"},
      {"http://host:80/", 1, "host.htm"},
      {"http://host:80/pic.gif", 2, "pic.gif"},
      {"http://host:80/a/my-photo.jpeg", 3, "myphoto.jpg"},
      {"http://host:80/cgi/run.exe?x=1", 1, "run.htm"},
      {"http://host:80/get/file.zip", 44, "file.zip"},
      {"http://host:80/get/download", 44, "download.zip"},
      {"http://host:80/notes/readme", 4, "readme.txt"},
      {"http://host:80/a.b.html", 1, "a.b.htm"},
      // Other types keep their own extension; only a name without a dot gets the row's.
      {"http://host:80/b.tar.gz", 49, "b.tar.gz"},
      {"http://host:80/x", 0, "x.htm"},
      {"http://host:80/x", 200, "x.htm"},
      // Everything that is not a safe name character goes, whatever it is.
      {"http://host:80/%-%", 1, ".htm"},
      {"http://host:80/%20", 1, "20.htm"},
      {"http://host:80/a b+c;d=e,f'g&h*[i]^`|", 66, "abcdefghi.png"},
      {"http://host:80/{x}~!#$@_(1).zip", 40, "{x}~!#$@_(1).zip"},
      {"http://host:80/\xe9t\xe9.html", 1, "t.htm"},
      // A port other than 80 stays in the URL but not in the name.
      {"http://host:8080/x/", 1, "x.htm"},
      // Nothing made of dots alone becomes a name: it could be a folder step.
      {"http://host:80/a/..", 40, ".exe"},
      {"http://host:80/a/.", 61, ".ukn"},
      {"http://host:80/a/...", 40, ".exe"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NameFromUrl(c.url, c.mimeIndex), c.name) << c.url << " " << c.mimeIndex;
}

TEST(FileNamingTest, NamesFromUrlsNeverExceed255Characters) {
  const std::string longSegment(300, 'a');
  const std::string name = NameFromUrl("http://host:80/" + longSegment, 1);
  // The URL is cut to 255 characters before its last segment is taken.
  EXPECT_EQ(name, std::string(255 - 15, 'a') + ".htm");
}

TEST(FileNamingTest, ExtensionTableFollowsTheMimeRows) {
  struct Case {
    int row;
    const char* extension;
  } cases[] = {{1, "htm"},  {2, "gif"},  {3, "jpg"},  {8, "jpg"},  {19, "xam"},
               {30, "ra"},  {32, "au"},  {40, "exe"}, {44, "zip"}, {49, "gz"},
               {58, "exe"}, {61, "ukn"}, {62, "wrl"}, {66, "png"}, {69, "cla"},
               {72, "exe"}, {0, "htm"},  {73, "htm"}, {-4, "htm"}};
  for (const Case& c : cases)
    EXPECT_EQ(ExtensionOfRow(c.row), c.extension) << c.row;
}

TEST(FileNamingTest, NamesFromCachedFiles) {
  struct Case {
    const char* cacheFile;
    const char* name;
  } cases[] = {
      {"/cache/Content.IE5/AB12CD34/index[1].htm", "index[1].htm"},
      {"C:\\cache\\X1\\logo[2].gif", "logo[2].gif"},
      {"no-folder.txt", "no-folder.txt"},
      {"", "page.htm"},
      {"/cache/", "page.htm"},
      {"/cache/..", "page.htm"},
      {"/cache/a:b*?<\"|>.htm", "ab.htm"},
      {"/cache/\x01\x7f", "page.htm"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NameFromCacheFile(c.cacheFile), c.name) << c.cacheFile;
}

TEST(FileNamingTest, CountedNames) {
  struct Case {
    const char* name;
    const char* next;
  } cases[] = {
      {"index.htm", "index(1).htm"},
      {"index(1).htm", "index(2).htm"},
      {"a(7).gif", "a(8).gif"},
      {"a(007).gif", "a(8).gif"},
      {"x().htm", "x()(1).htm"},
      {"a(b).htm", "a(b)(1).htm"},
      {"noext", "noext(1)"},
      {"ab(9)", "ab(10)"},
      {".htm", "(1).htm"},
      // The stem ends where the extension's text first occurs.
      {"x.htm.htm", "x(1).htm"},
      // A stem of three characters or fewer carries no count.
      {"(5).htm", "(5)(1).htm"},
      // Digits alone before the ")" are a count that keeps its text.
      {"123).htm", "123)(124).htm"},
      // A count too large to read is not a count.
      {"a(99999999999).htm", "a(99999999999)(1).htm"},
      {"a(2147483647).htm", "a(2147483647)(1).htm"},
      {"a(2147483646).htm", "a(2147483647).htm"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NextCountedName(c.name), c.next) << c.name;
}

TEST(FileNamingTest, CountedNameWithinShortensTheStemFirst) {
  EXPECT_EQ(CountedNameWithin("index", 3, ".htm"), "index(3).htm");
  const std::string stem(260, 's');
  const std::string name = CountedNameWithin(stem, 12, ".htm");
  EXPECT_EQ(name.size(), kMaxNameLength);
  EXPECT_EQ(name.substr(name.size() - 8), "(12).htm");
  const std::string extension = "." + std::string(300, 'e');
  EXPECT_EQ(CountedNameWithin("x", 7, extension).substr(0, 4), "(7).");
  EXPECT_EQ(CountedNameWithin("x", 7, extension).size(), kMaxNameLength);
}

class UniqueNameTest : public ::testing::Test {
 protected:
  std::string Take(std::string_view base) {
    return TakeUniqueName(base, "host", "text", used,
                          [this](const std::string& name) { return files.count(name) != 0; });
  }

  UsedNames used;
  std::set<std::string> files;
};

TEST_F(UniqueNameTest, CollisionsCountUp) {
  EXPECT_EQ(Take("x.htm"), "x.htm");
  EXPECT_EQ(Take("x.htm"), "x(1).htm");
  EXPECT_EQ(Take("x.htm"), "x(2).htm");
  EXPECT_TRUE(used.Contains(UsedNames::Key("host", "text", "x(2).htm")));
}

TEST_F(UniqueNameTest, LetterCaseDoesNotTellNamesApart) {
  EXPECT_EQ(Take("A.HTM"), "A.HTM");
  EXPECT_EQ(Take("a.htm"), "a(1).htm");
}

TEST_F(UniqueNameTest, AFileAlreadyThereIsNotOverwritten) {
  files = {"x.htm", "x(1).htm"};
  EXPECT_EQ(Take("x.htm"), "x(2).htm");
}

TEST_F(UniqueNameTest, KeysOfOtherFoldersDoNotCollide) {
  used.Add(UsedNames::Key("host", "image", "x.htm"));
  used.Add(UsedNames::Key("other", "text", "x.htm"));
  EXPECT_EQ(Take("x.htm"), "x.htm");
}

TEST_F(UniqueNameTest, UnsafeBaseNamesNeverComeBack) {
  for (const char* base : {"", ".", ".."}) {
    const std::string name = Take(base);
    EXPECT_TRUE(IsSafePathComponent(name)) << "'" << base << "' gave '" << name << "'";
  }
}

TEST_F(UniqueNameTest, NamesAtTheLengthLimitStillFindFreeNames) {
  // Counted names of these lose their count to the 255-character cut; every call must still
  // give a name that no earlier call gave, within the limit.
  const std::string bases[] = {std::string(255, 'b'), std::string(251, 'a') + ".htm",
                               std::string(120, 'c') + "." + std::string(134, 'e'),
                               "." + std::string(254, 'd')};
  for (const std::string& base : bases) {
    std::set<std::string> given;
    for (int round = 0; round < 40; ++round) {
      const std::string name = Take(base);
      EXPECT_LE(name.size(), kMaxNameLength);
      EXPECT_TRUE(IsSafePathComponent(name));
      EXPECT_TRUE(given.insert(name).second) << "repeated " << name;
    }
  }
}

TEST_F(UniqueNameTest, ANamerGivesTheSameNamesAsAFreshSearchEachTime) {
  // The namer resumes a base's search where it stopped last time; the names must be the ones
  // a search from the base itself finds, whatever else was taken in between.
  files = {"x(2).htm"};
  UsedNames fresh;
  UniqueNamer namer(used);
  const char* bases[] = {"x.htm", "x.htm",    "x(1).htm", "x.htm", "X.htm", "x.htm",
                         "y.htm", "x(4).htm", "x.htm",    "X.htm", "y.htm", "x.htm"};
  const auto exists = [this](const std::string& name) { return files.count(name) != 0; };
  for (const char* base : bases) {
    EXPECT_EQ(namer.Take(base, "host", "text", exists),
              TakeUniqueName(base, "host", "text", fresh, exists))
        << base;
  }
  EXPECT_EQ(namer.Take("x.htm", "host", "text", exists), "x(10).htm");
}

TEST_F(UniqueNameTest, HugeCountsInFileNamesDoNotStopTheSearch) {
  files = {"a(2147483647).htm", "a(2147483647)(1).htm"};
  EXPECT_EQ(Take("a(2147483647).htm"), "a(2147483647)(2).htm");
}

}  // namespace
}  // namespace pagehold
