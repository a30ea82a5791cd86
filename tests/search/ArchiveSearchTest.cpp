#include "search/ArchiveSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "search/ArchiveMaker.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testing::ArchiveMaker;
using testing::ScriptedInteraction;
using testing::TempFolder;
namespace Row = testing::Row;

class ArchiveSearchTest : public ::testing::Test {
 protected:
  ArchiveSearchTest()
      : mimeTable_(programFolder_.path()), archive_(archiveFolder_.path(), mimeTable_) {}

  std::vector<SearchResult> Search(const std::string& urlPattern, const std::string& textPattern) {
    std::vector<SearchResult> rows;
    summary_ = SearchArchive({archive_.folder(), urlPattern, textPattern}, mimeTable_, ui_,
                             [&rows](SearchResult row) { rows.push_back(std::move(row)); });
    return rows;
  }

  std::vector<std::string> Found(const std::string& urlPattern, const std::string& textPattern) {
    std::vector<std::string> urls;
    for (const SearchResult& row : Search(urlPattern, textPattern))
      urls.push_back(row.Url);
    return urls;
  }

  TempFolder programFolder_;
  TempFolder archiveFolder_;
  TMimeTable mimeTable_;
  ArchiveMaker archive_;
  ScriptedInteraction ui_;
  SearchSummary summary_;
};

using Urls = std::vector<std::string>;

TEST_F(ArchiveSearchTest, AddressPatternIsComparedInLowerCaseWithTheShortAddress) {
  archive_.Add("http://www.example.com:80/Docs/Guide.html", Row::Html, "Guide.htm");
  archive_.Add("http://www.example.com:8080/docs/setup.html", Row::Html, "setup.htm");
  archive_.Add("http://pics.example.org:80/logo.gif", Row::Gif, "logo.gif");
  archive_.Save();

  const struct {
    const char* pattern;
    Urls expected;
  } cases[] = {
      {"DOCS/GUIDE", {"http://www.example.com/Docs/Guide.html"}},
      {"docs/guide", {"http://www.example.com/Docs/Guide.html"}},
      {"docs/",
       {"http://www.example.com/Docs/Guide.html", "http://www.example.com:8080/docs/setup.html"}},
      // Port 80 is not part of the address shown, so it cannot be matched; other ports can.
      {":80/", {}},
      {":8080", {"http://www.example.com:8080/docs/setup.html"}},
      {"LOGO.GIF", {"http://pics.example.org/logo.gif"}},
      {"",
       {"http://www.example.com/Docs/Guide.html", "http://www.example.com:8080/docs/setup.html",
        "http://pics.example.org/logo.gif"}},
      {"nowhere", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(Found(c.pattern, ""), c.expected);
  }
}

TEST_F(ArchiveSearchTest, RowsCarryTheCopyPathAndTheIconOfTheType) {
  const std::string page = archive_.Add("http://a.example:80/p.html", Row::Html, "p.htm");
  const std::string note = archive_.Add("http://a.example:80/n.txt", Row::PlainText, "n.txt");
  const std::string picture = archive_.Add("http://a.example:80/i.jpg", Row::Jpeg, "i.jpg");
  const std::string film = archive_.Add("http://a.example:80/m.mpg", Row::Mpeg, "m.mpg");
  const std::string sound = archive_.Add("http://a.example:80/s.wav", Row::Wav, "s.wav");
  const std::string letter = archive_.Add("http://a.example:80/d.doc", Row::Word, "d.doc");
  archive_.Save();

  const std::vector<SearchResult> rows = Search("a.example", "");
  ASSERT_EQ(rows.size(), 6u);
  const struct {
    std::string file;
    ResultIcon icon;
  } expected[] = {{page, ResultIcon::Text},     {note, ResultIcon::Text},
                  {picture, ResultIcon::Image}, {film, ResultIcon::Video},
                  {sound, ResultIcon::Audio},   {letter, ResultIcon::Other}};
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].ArchiveFile, expected[i].file) << i;
    EXPECT_EQ(rows[i].Icon, expected[i].icon) << i;
  }
  EXPECT_EQ(summary_.rows, 6);
  EXPECT_EQ(summary_.recordsRead, 6);
  EXPECT_FALSE(summary_.readFailed);
}

TEST_F(ArchiveSearchTest, TextPatternIsLookedForOnlyInHtmlPages) {
  archive_.Add("http://h.example:80/a.html", Row::Html, "a.htm", "<p>The Harbour Lights</p>");
  archive_.Add("http://h.example:80/b.html", Row::Html, "b.htm", "<p>nothing here</p>");
  archive_.Add("http://h.example:80/c.txt", Row::PlainText, "c.txt", "harbour lights");
  archive_.Add("http://h.example:80/d.gif", Row::Gif, "d.gif", "GIF89a harbour lights");
  archive_.Add("http://other.example:80/e.html", Row::Html, "e.htm", "HARBOUR LIGHTS");
  archive_.Save();

  EXPECT_EQ(Found("", "harbour LIGHTS"),
            (Urls{"http://h.example/a.html", "http://other.example/e.html"}));
  // Both patterns: the page must match both.
  EXPECT_EQ(Found("H.EXAMPLE", "harbour"), (Urls{"http://h.example/a.html"}));
  EXPECT_EQ(Found("b.html", "harbour"), Urls{});
}

TEST_F(ArchiveSearchTest, TextIsSearchedBlockByBlock) {
  const std::string pattern = "lighthou";  // eight letters
  // A page of two whole blocks and a short one, with the pattern at offset and, when zeroAt is
  // given, a zero byte there.
  const auto pageWith = [&pattern](size_t offset, size_t zeroAt = std::string::npos) {
    std::string page(2 * 2048 + 100, 'x');
    page.replace(offset, pattern.size(), pattern);
    if (zeroAt != std::string::npos)
      page[zeroAt] = '\0';
    return page;
  };
  struct {
    const char* name;
    std::string content;
    bool found;
  } cases[] = {
      {"inside-the-first-block", pageWith(2040), true},
      {"straddling-two-blocks", pageWith(2045), false},
      {"inside-the-second-block", pageWith(2048), true},
      {"behind-a-zero-byte-of-its-block", pageWith(1000, 10), false},
      {"in-the-block-after-a-zero-byte", pageWith(3000, 10), true},
      {"in-the-short-last-block", pageWith(4100), true},
      {"with-capitals-in-the-page", pageWith(100), true},
  };
  cases[6].content.replace(100, 8, "LightHOU");
  for (const auto& c : cases)
    archive_.Add(std::string("http://t.example:80/") + c.name, Row::Html,
                 std::to_string(&c - cases) + ".htm", c.content);
  archive_.Save();

  const std::vector<std::string> found = Found("", pattern);
  for (const auto& c : cases) {
    const std::string url = std::string("http://t.example/") + c.name;
    EXPECT_EQ(std::count(found.begin(), found.end(), url), c.found ? 1 : 0) << c.name;
  }
}

TEST_F(ArchiveSearchTest, EntriesWithoutTheirCopyOrWithUnsafeNamesAreSkipped) {
  archive_.Add("http://d.example:80/kept.html", Row::Html, "kept.htm");
  archive_.Add("http://d.example:80/deleted.html", Row::Html, "deleted.htm", "x", false);
  // A file name that climbs out of its folder must not be followed, even to a file that exists.
  testing::WriteFile(archive_.CopyPath("http://d.example:80/", Row::Html, "outside.htm"), "x");
  archive_.Add("http://d.example:80/climb.html", Row::Html, "../text/outside.htm", "x", false);
  archive_.Save();

  EXPECT_EQ(Found("d.example", ""), (Urls{"http://d.example/kept.html"}));
  EXPECT_EQ(summary_.recordsRead, 3);
}

TEST_F(ArchiveSearchTest, StopAfterSomeRecordsKeepsTheRowsFound) {
  for (int i = 0; i < 5; ++i)
    archive_.Add("http://s.example:80/" + std::to_string(i), Row::Html, std::to_string(i) + ".htm");
  archive_.Save();
  ui_.CancelAfterEvents(2);

  EXPECT_EQ(Found("s.example", ""), (Urls{"http://s.example/0", "http://s.example/1"}));
  EXPECT_TRUE(summary_.stopped);
  EXPECT_EQ(summary_.recordsRead, 2);
  EXPECT_EQ(ui_.eventRounds, 2);
}

// Enough pages for several batches read on several threads: the rows still come in record
// order, and a stop in the second batch ends the rows there.
TEST_F(ArchiveSearchTest, PagesOfManyBatchesGiveRowsInRecordOrder) {
  Urls holding;
  for (int i = 0; i < 2600; ++i) {
    const std::string url = "http://p" + std::to_string(i % 9) + ".example:80/" + std::to_string(i);
    const bool holds = i % 7 == 3;
    archive_.Add(url, i % 5 == 4 ? Row::Gif : Row::Html, std::to_string(i) + ".htm",
                 holds ? "the Shipyard" : "nothing", i % 11 != 0);
    if (holds && i % 5 != 4 && i % 11 != 0)
      holding.push_back("http://p" + std::to_string(i % 9) + ".example/" + std::to_string(i));
  }
  archive_.Save();

  EXPECT_EQ(Found("", "shipyard"), holding);
  EXPECT_EQ(ui_.eventRounds, 2600);

  ui_.eventRounds = 0;
  ui_.CancelAfterEvents(1500);
  const Urls stopped = Found("", "shipyard");
  EXPECT_EQ(summary_.recordsRead, 1500);
  EXPECT_EQ(stopped, Urls(holding.begin(), holding.begin() + static_cast<long>(stopped.size())));
  EXPECT_LT(stopped.size(), holding.size());
}

TEST_F(ArchiveSearchTest, EventsRunAfterEveryRecordWhetherItMatchedOrNot) {
  archive_.Add("http://e.example:80/1", Row::Html, "1.htm");
  archive_.Add("http://e.example:80/2", Row::Html, "2.htm", "", false);
  archive_.Add("http://f.example:80/3", Row::Html, "3.htm");
  archive_.Save();

  EXPECT_EQ(Found("e.example", "").size(), 1u);
  EXPECT_EQ(ui_.eventRounds, 3);
  EXPECT_FALSE(summary_.stopped);
}

TEST_F(ArchiveSearchTest, DamagedInfoFileIsSearchedInEveryRecordThatCanBeRead) {
  archive_.Add("http://r.example:80/1", Row::Html, "1.htm");
  archive_.Add("http://r.example:80/2", Row::Html, "2.htm");
  // A record head whose Url length runs far past the end of the file.
  std::string damaged(28, '\0');
  damaged[0] = 1;
  damaged[16] = '\x7f';
  damaged[19] = '\x7f';
  archive_.Save(damaged);

  EXPECT_EQ(Found("r.example", ""), (Urls{"http://r.example/1", "http://r.example/2"}));
  EXPECT_FALSE(summary_.readFailed);
  EXPECT_TRUE(summary_.archiveState.Damaged());
  EXPECT_EQ(summary_.archiveState.recordsRead, 2u);
  EXPECT_EQ(summary_.archiveState.BytesFollowing(), 28u);
}

TEST_F(ArchiveSearchTest, MissingInfoFileGivesNoRows) {
  EXPECT_TRUE(Found("x", "").empty());
  EXPECT_TRUE(summary_.readFailed);
  EXPECT_EQ(summary_.recordsRead, 0);
}

TEST_F(ArchiveSearchTest, LongAddressesAreShownAndMatchedUpTo255Characters) {
  const std::string longPath = "/" + std::string(300, 'p') + "TAIL";
  archive_.Add("http://l.example:80" + longPath, Row::Html, "l.htm");
  archive_.Save();

  const std::vector<std::string> shown = Found("l.example", "");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_LE(shown[0].size(), 255u);
  EXPECT_EQ(shown[0].substr(0, 22), "http://l.example/ppppp");
  EXPECT_TRUE(Found("tail", "").empty());
}

}  // namespace
}  // namespace pagehold
