#include "archive/LinkRewriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

TCacheItem Item(std::string url, std::string domain, int mimeIndex, std::string fileName) {
  TCacheItem item;
  item.Url = std::move(url);
  item.Domain = std::move(domain);
  item.MimeIndex = mimeIndex;
  item.FileName = std::move(fileName);
  return item;
}

class LinkRewriterTest : public ::testing::Test {
 protected:
  LinkRewriterTest() : mimeTable(programFolder.path()) {
    selection = {&page, &other, &picture, &folderPage, &otherHost};
    settings.ShowOriginalUrls = false;
    settings.EmphasizeLinks = false;
    settings.StrikeoutLinks = false;
  }

  // Rewrites one tag of the page http://host:80/dir/a.htm.
  std::string Rewrite(std::string_view tag) {
    ArchivedLinks links(selection, archive, mimeTable);
    LinkRewriter rewriter(settings, links);
    std::string base = "host:80/dir/";
    std::string result = rewriter.RewriteTag(tag, base);
    flags = rewriter.Flags();
    return result;
  }

  std::string RewritePage(std::string_view page) {
    ArchivedLinks links(selection, archive, mimeTable);
    LinkRewriter rewriter(settings, links);
    return rewriter.RewritePage(page, "http://host:80/dir/a.htm");
  }

  TempFolder programFolder;
  TMimeTable mimeTable;
  CurrentSettings settings;
  TCacheItem page = Item("http://host:80/dir/a.htm", "host", 1, "a.htm");
  TCacheItem other = Item("http://host:80/dir/b.htm", "host", 1, "b.htm");
  TCacheItem picture = Item("http://host:80/dir/p.gif", "host", 2, "p.gif");
  TCacheItem folderPage = Item("http://host:80/dir/sub/", "host", 1, "sub.htm");
  TCacheItem otherHost = Item("http://other:80/x/y.htm", "other", 1, "y.htm");
  ItemRefs selection;
  ArchiveList archive;
  LinkFlags flags;
};

struct TagCase {
  const char* tag;
  const char* rewritten;
};

TEST_F(LinkRewriterTest, LinksToArchivedItemsBecomeRelativePaths) {
  const TagCase cases[] = {
      {"A HREF=\"b.htm\">", "A HREF=\"../../host/text/b.htm\">"},
      {"a href='b.htm' target=x>", "a href='../../host/text/b.htm' target=x>"},
      {"A HREF=b.htm>", "A HREF=../../host/text/b.htm>"},
      {"A HREF=\"b.htm#part\">", "A HREF=\"../../host/text/b.htm#part\">"},
      {"A HREF=\"/dir/b.htm\">", "A HREF=\"../../host/text/b.htm\">"},
      {"A HREF=\"HTTP://HOST/dir/./b.htm\">", "A HREF=\"../../host/text/b.htm\">"},
      // A link to a folder finds the item stored with the trailing "/".
      {"A HREF=\"sub\">", "A HREF=\"../../host/text/sub.htm\">"},
      {"IMG SRC=\"p.gif\" WIDTH=3>", "IMG SRC=\"../../host/image/p.gif\" WIDTH=3>"},
      {"BODY BACKGROUND=p.gif>", "BODY BACKGROUND=../../host/image/p.gif>"},
      {"IMG USEMAP=\"b.htm#map\">", "IMG USEMAP=\"../../host/text/b.htm#map\">"},
      {"OBJECT DATA=\"b.htm\">", "OBJECT DATA=\"../../host/text/b.htm\">"},
      {"INPUT TYPE=image SRC=\"p.gif\">", "INPUT TYPE=image SRC=\"../../host/image/p.gif\">"},
      {"FRAME SRC=\"../x/../dir/b.htm\">", "FRAME SRC=\"../../host/text/b.htm\">"},
      {"A HREF=\"http://other/x/y.htm\">", "A HREF=\"../../other/text/y.htm\">"},
  };
  for (const TagCase& c : cases)
    EXPECT_EQ(Rewrite(c.tag), c.rewritten) << c.tag;
}

TEST_F(LinkRewriterTest, LinksToMissingItemsPointAtTheNotFoundForms) {
  const TagCase cases[] = {
      {"A HREF=\"c.htm\">", "A HREF=\"../../notfound.htm\">"},
      // A missing target does not keep the fragment.
      {"A HREF=\"c.htm#x\">", "A HREF=\"../../notfound.htm\">"},
      {"IMG SRC=\"c.gif\">", "IMG SRC=\"../../images/notfound.gif\">"},
      {"IMG LOWSRC=\"c.gif\">", "IMG LOWSRC=\"../../notfound.htm\">"},
      {"FRAME SRC=\"c.htm\">", "FRAME SRC=\"../../notfound.htm\">"},
      {"IFRAME SRC=\"c.htm\">", "IFRAME SRC=\"../../notfound.htm\">"},
      {"EMBED SRC=\"c.mid\">", "EMBED SRC=\"../../notfound.htm\">"},
      {"INPUT SRC=\"c.gif\">", "INPUT SRC=\"../../images/notfound.gif\">"},
      {"APPLET CODE=\"c.class\">", "APPLET CODE=\"../../notfound.htm\">"},
      {"TD BACKGROUND=\"c.gif\">", "TD BACKGROUND=\"../../notfound.htm\">"},
      {"A HREF=\"ftp://f/x\">", "A HREF=\"../../notfound.htm\">"},
      // Only the text up to the first space of a quoted value is a link.
      {"A HREF=\"my page.htm\">", "A HREF=\"../../notfound.htm page.htm\">"},
  };
  for (const TagCase& c : cases)
    EXPECT_EQ(Rewrite(c.tag), c.rewritten) << c.tag;
}

TEST_F(LinkRewriterTest, TagsAndValuesThatStayAsWritten) {
  const char* unchanged[] = {
      "A HREF=\"#part\">",
      "A HREF=\"mailto:x@y\">",
      "A HREF=\"MailTo:x@y\">",
      "A NAME=\"b.htm\">",
      "A HREF>",
      "A HREF=\"\">",
      "DIV SRC=\"p.gif\" HREF=\"b.htm\">",
      "A CONTENT=\"b.htm\">",
      "EMBED DATA=\"b.htm\">",
      "OBJECT DATA=\"data:text/plain,b.htm\">",
      "INPUT VALUE=x HREF=\"b.htm\">",
      "IMG USEMAP=\"#map\">",
      "META NAME=\"keywords\" CONTENT=\"URL=b.htm\">",
      // A refresh named after the CONTENT is not seen.
      "META CONTENT=\"0;URL=b.htm\" HTTP-EQUIV=\"Refresh\">",
      // A space inside the quotes ends the value before the address.
      "META HTTP-EQUIV=\"Refresh\" CONTENT=\"0; URL=b.htm\">",
      "META HTTP-EQUIV=\"Refresh\" CONTENT=\"5\">",
  };
  for (const char* tag : unchanged)
    EXPECT_EQ(Rewrite(tag), tag);
}

TEST_F(LinkRewriterTest, RefreshAddressesAreReplacedInsideTheirValue) {
  const TagCase cases[] = {
      {"META HTTP-EQUIV=\"Refresh\" CONTENT=\"0;URL=b.htm\">",
       "META HTTP-EQUIV=\"Refresh\" CONTENT=\"0;URL=../../host/text/b.htm\">"},
      {"meta http-equiv=refresh content=0;url=b.htm>",
       "meta http-equiv=refresh content=0;url=../../host/text/b.htm>"},
      {"META HTTP-EQUIV=REFRESH CONTENT=\"2;URL=c.htm\" NAME=x>",
       "META HTTP-EQUIV=REFRESH CONTENT=\"2;URL=../../notfound.htm\" NAME=x>"},
      // Whatever follows the address inside the value is dropped with it.
      {"META HTTP-EQUIV=REFRESH CONTENT=0;URL='b.htm'>",
       "META HTTP-EQUIV=REFRESH CONTENT=0;URL='../../host/text/b.htm>"},
  };
  for (const TagCase& c : cases)
    EXPECT_EQ(Rewrite(c.tag), c.rewritten) << c.tag;
}

TEST_F(LinkRewriterTest, WordsInsideUnexaminedValuesAreReadAsAttributes) {
  EXPECT_EQ(Rewrite("IMG ALT=\"see SRC here\" SRC=\"p.gif\">"),
            "IMG ALT=\"see SRC ../../images/notfound.gif\" SRC=\"../../host/image/p.gif\">");
}

TEST_F(LinkRewriterTest, OriginalUrlsReplaceTheNotFoundPageForFollowedLinks) {
  settings.ShowOriginalUrls = true;
  const TagCase cases[] = {
      {"A HREF=\"c.htm#x\">", "A HREF=\"http://host/dir/c.htm\">"},
      {"A HREF=\"http://far:8080/z\">", "A HREF=\"http://far:8080/z\">"},
      {"A HREF=\"ftp://f/x\">", "A HREF=\"ftp://f/x\">"},
      // A link that names no web address keeps its text rather than becoming empty.
      {"A HREF=\"news:comp.x\">", "A HREF=\"news:comp.x\">"},
      {"OBJECT DATA=\"c.swf\">", "OBJECT DATA=\"http://host/dir/c.swf\">"},
      // Pictures and frames still point into the archive.
      {"IMG SRC=\"c.gif\">", "IMG SRC=\"../../images/notfound.gif\">"},
      {"FRAME SRC=\"c.htm\">", "FRAME SRC=\"../../notfound.htm\">"},
      {"A HREF=\"b.htm\">", "A HREF=\"../../host/text/b.htm\">"},
  };
  for (const TagCase& c : cases)
    EXPECT_EQ(Rewrite(c.tag), c.rewritten) << c.tag;
}

TEST_F(LinkRewriterTest, OnlyAnAnchorsHrefSetsTheLinkFlags) {
  struct FlagCase {
    const char* tag;
    bool found;
    bool missing;
  } cases[] = {
      {"A HREF=b.htm>", true, false},     {"A HREF=c.htm>", false, true},
      {"AREA HREF=b.htm>", false, false}, {"AREA HREF=c.htm>", false, false},
      {"IMG SRC=c.gif>", false, false},   {"A HREF=#top>", false, false},
      {"A NAME=anchor>", false, false},
  };
  for (const FlagCase& c : cases) {
    Rewrite(c.tag);
    EXPECT_EQ(flags.linkFound, c.found) << c.tag;
    EXPECT_EQ(flags.linkMissing, c.missing) << c.tag;
  }
}

TEST_F(LinkRewriterTest, BaseTagMovesTheBaseAndDisappears) {
  ArchivedLinks links(selection, archive, mimeTable);
  LinkRewriter rewriter(settings, links);
  std::string base = "host:80/dir/";
  EXPECT_EQ(rewriter.RewriteTag("BASE HREF=\"http://other/x/\">", base), "!>");
  EXPECT_EQ(base, "other/x/");
  EXPECT_EQ(rewriter.RewriteTag("A HREF=\"y.htm\">", base), "A HREF=\"../../other/text/y.htm\">");
  // A BASE without an address still disappears but keeps the base.
  EXPECT_EQ(rewriter.RewriteTag("BASE HREF=\"\" TARGET=_top>", base), "!>");
  EXPECT_EQ(base, "other/x/");

  EXPECT_EQ(RewritePage("<base href=\"http://other/x/\"><a href=y.htm>"),
            "<!><a href=../../other/text/y.htm>");
}

TEST_F(LinkRewriterTest, SelectionComesFirstThenTheArchiveInOrder) {
  // An earlier run recorded b.htm under another name, and two records for one folder URL.
  archive.Append(
      std::make_unique<TCacheItem>(Item("http://host:80/dir/b.htm", "host", 1, "old-b.htm")));
  archive.Append(
      std::make_unique<TCacheItem>(Item("http://host:80/dir/d/", "host", 1, "d-slash.htm")));
  archive.Append(
      std::make_unique<TCacheItem>(Item("http://host:80/dir/d", "host", 1, "d-plain.htm")));
  archive.Append(
      std::make_unique<TCacheItem>(Item("http://host:80/dir/e.htm", "host", 1, "e.htm")));
  TCacheItem duplicate = Item("http://host:80/dir/b.htm", "host", 1, "b(1).htm");
  selection.push_back(&duplicate);

  ArchivedLinks links(selection, archive, mimeTable);
  EXPECT_EQ(links.LookUpArchivedLink("http://host:80/dir/b.htm"), "../../host/text/b.htm");
  EXPECT_EQ(links.LookUpArchivedLink("http://host:80/dir/d"), "../../host/text/d-slash.htm");
  EXPECT_EQ(links.LookUpArchivedLink("http://host:80/dir/d/"), "../../host/text/d-slash.htm");
  EXPECT_EQ(links.LookUpArchivedLink("http://host:80/dir/e.htm"), "../../host/text/e.htm");
  EXPECT_EQ(links.LookUpArchivedLink("http://host:80/dir/f.htm"), kNotFoundPage);
  EXPECT_EQ(links.LookUpArchivedLink(""), kNotFoundPage);

  // Within the selection the earlier of the two forms wins as well.
  TCacheItem plain = Item("http://host:80/dir/sub", "host", 1, "sub-plain.htm");
  selection.push_back(&plain);
  ArchivedLinks again(selection, archive, mimeTable);
  EXPECT_EQ(again.LookUpArchivedLink("http://host:80/dir/sub"), "../../host/text/sub.htm");

  // Names given after the lookup table was built are the ones links get.
  other.FileName = "renamed.htm";
  EXPECT_EQ(again.LookUpArchivedLink("http://host:80/dir/b.htm"), "../../host/text/renamed.htm");
}

TEST_F(LinkRewriterTest, NamesWithAFragmentSignStillReachTheirFile) {
  // The URL name filter keeps "#"; written as it is, the browser would take the rest of the
  // name for a fragment and open a file that does not exist.
  TCacheItem sharp = Item("http://host:80/c#.htm", "host", 1, "c#.htm");
  selection.push_back(&sharp);
  ArchivedLinks links(selection, archive, mimeTable);
  EXPECT_EQ(links.LookUpArchivedLink("http://host:80/c#.htm"), "../../host/text/c%23.htm");
}

struct PageCase {
  const char* name;
  const char* page;
  const char* archived;
};

TEST_F(LinkRewriterTest, PagesCopyTextAndCommentsAndRewriteTags) {
  const PageCase cases[] = {
      {"plain text", "no tags \xe9\xff here", "no tags \xe9\xff here"},
      {"empty", "", ""},
      {"anchor", "<p>x <a href=\"b.htm\">B</a>", "<p>x <a href=\"../../host/text/b.htm\">B</a>"},
      {"comment", "<!-- <a href=\"b.htm\"> -->x<a href=b.htm>",
       "<!-- <a href=\"b.htm\"> -->x<a href=../../host/text/b.htm>"},
      {"comment then tag", "<!---->y", "<!---->y"},
      // Without a closing "-->" anywhere, a comment reaches the next ">" only, and later
      // comments are treated the same.
      {"unclosed comment", "<!-- x <b>bold</b> <a href=b.htm>",
       "<!-- x <b>bold</b> <a href=../../host/text/b.htm>"},
      // Eight characters or fewer are never rewritten; nine are.
      {"short tags", "<A HREF=><a href=b>", "<A HREF=><a href=../../notfound.htm>"},
      {"page ends inside a tag", "x<a href", "x<a href"},
      {"page ends after <", "x<", "x<"},
  };
  for (const PageCase& c : cases)
    EXPECT_EQ(RewritePage(c.page), c.archived) << c.name;
}

TEST_F(LinkRewriterTest, PagesKeepNullBytes) {
  const std::string page("a\0<b>\0c", 7);
  EXPECT_EQ(RewritePage(page), page);
}

TEST_F(LinkRewriterTest, OverlongTagsAreRewrittenInTheirFirst255Characters) {
  const std::string tail(300, 'x');
  const std::string page = "<img src=\"p.gif\" alt=\"" + tail + " <a href=b.htm>rest";
  const std::string archived = RewritePage(page);
  EXPECT_EQ(archived, "<img src=\"../../host/image/p.gif\" alt=\"" + tail + " <a href=b.htm>rest");

  // A link beyond the first 255 characters is not seen.
  const std::string late = "<img alt=\"" + tail + "\" src=\"p.gif\">";
  EXPECT_EQ(RewritePage(late), late);
}

TEST_F(LinkRewriterTest, EmphasisAndStrikeOutWrapTheLinkText) {
  settings.EmphasizeLinks = true;
  settings.StrikeoutLinks = true;
  EXPECT_EQ(RewritePage("<a href=b.htm>B</a> <a href=c.htm>C</A >"),
            "<a href=../../host/text/b.htm><B>B</B></a> "
            "<a href=../../notfound.htm><STRIKE>C</STRIKE></A >");
  // Both open at once close in one go.
  EXPECT_EQ(RewritePage("<a href=b.htm>x<a href=c.htm>y</a>"),
            "<a href=../../host/text/b.htm><B>x<a href=../../notfound.htm><STRIKE>y"
            "</STRIKE></B></a>");
  // A closing anchor with nothing open, and decorations left open at the end, stay as they are.
  EXPECT_EQ(RewritePage("</a><a href=b.htm>x"), "</a><a href=../../host/text/b.htm><B>x");

  settings.EmphasisOpenTag = "I";
  settings.EmphasisCloseTag = "/I";
  EXPECT_EQ(RewritePage("<a href=b.htm>x</a>"), "<a href=../../host/text/b.htm><I>x</I></a>");
  settings.EmphasisOpenTag = "";
  settings.EmphasisCloseTag = "";
  EXPECT_EQ(RewritePage("<a href=b.htm>x</a>"), "<a href=../../host/text/b.htm>x</a>");

  settings.EmphasizeLinks = false;
  settings.StrikeoutLinks = false;
  EXPECT_EQ(RewritePage("<a href=b.htm>x</a><a href=c.htm>y</a>"),
            "<a href=../../host/text/b.htm>x</a><a href=../../notfound.htm>y</a>");
}

TEST_F(LinkRewriterTest, ArbitraryBytesNeverBreakTheScanner) {
  // Pages made of the characters the scanner reacts to, in every order: the text outside tags
  // must survive and nothing may read out of bounds (the sanitizer build watches that).
  const std::string alphabet = "<>!-\"'= #aAhHrRefFsScC/.bmx\t\x01\xff";
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::string page;
    const int length = static_cast<int>(random() % 400);
    for (int i = 0; i < length; ++i)
      page += alphabet[random() % alphabet.size()];
    const std::string archived = RewritePage(page);
    const std::size_t firstTag = page.find('<');
    EXPECT_EQ(archived.substr(0, firstTag), page.substr(0, firstTag));
  }
}

TEST_F(LinkRewriterTest, WriteArchivedPageWritesTheRewrittenPageAndItsTitle) {
  TempFolder folder;
  TCacheItem item = Item("http://host:80/dir/a.htm", "host", 1, "a.htm");
  item.CacheFile = folder.Child("cache/A1");
  WriteFile(item.CacheFile, "<title>Front\r\npage</title><a href=b.htm>b</a>");
  ArchivedLinks links(selection, archive, mimeTable);
  LinkRewriter rewriter(settings, links);

  const std::string target = folder.Child("a.htm");
  WriteFile(target, "an older, longer copy of the page that must go entirely");
  const Result<std::string> written = rewriter.WriteArchivedPage(item, target);
  ASSERT_TRUE(written);
  EXPECT_EQ(ReadFile(target), "<title>Front\r\npage</title><a href=../../host/text/b.htm>b</a>");
  EXPECT_EQ(*written, ReadFile(target));
  EXPECT_EQ(item.Title, "Frontpage");

  item.CacheFile = folder.Child("cache/gone");
  item.Title = "kept";
  const std::string missingTarget = folder.Child("b.htm");
  const Result<std::string> missing = rewriter.WriteArchivedPage(item, missingTarget);
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.failure().subject, item.CacheFile);
  EXPECT_FALSE(std::filesystem::exists(missingTarget));
  EXPECT_EQ(item.Title, "kept");
}

}  // namespace
}  // namespace pagehold
