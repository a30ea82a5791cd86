#include "archive/IndexPages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "archive/ArchiveFile.h"
#include "platform/Paths.h"
#include "prefs/AppContext.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

namespace fs = std::filesystem;

// Rows of the MIME table used below.
constexpr int kHtml = 1, kGif = 2, kJpeg = 3, kWave = 26, kAvi = 22, kZip = 44;

// A page's text: every line ended by CR LF.
std::string Page(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

std::string Gif(int width, int height) {
  std::string bytes = "GIF89a";
  for (const int value : {width, height}) {
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>(value >> 8);
  }
  return bytes + std::string("\x80\x00\x00", 3);
}

const std::string kExifJpeg(
    "\xFF\xD8\xFF\xE1\x00\x10"
    "Exif\0\0MM\0\x2A\0\0\0\x08\xFF\xD9",
    22);

const std::string kBarTop =
    "<HTML><HEAD><BASE TARGET=\"_top\"></HEAD>\r\n"
    "<BODY BGCOLOR=#FFFFFF LINK=#000099 VLINK=#330066>\r\n"
    "<TABLE BORDER=1 BGCOLOR=#CCCCCC CELLPADDING=4 CELLSPACING=0 WIDTH=100% HEIGHT=34>\r\n"
    "<TR><TD><NOBR>&nbsp;\r\n";
const std::string kBarEnd = "</TD></TR></TABLE>\r\n<B><FONT SIZE=2 FACE=ARIAL>\r\n";

std::string Forward(const std::string& page) {
  return Page({"<HTML>", "<HEAD>", "<META HTTP-EQUIV=REFRESH CONTENT=\"0; URL=" + page + "\">",
               "</HEAD>", "</HTML>"});
}

class IndexPagesTest : public ::testing::Test {
 protected:
  IndexPagesTest() : context(Product::Navigator, program.path()) {}

  // Merges an item of the domain and writes its archived file.
  void Add(const std::string& domain, const std::string& url, int mimeIndex,
           const std::string& fileName, const std::string& content, const std::string& title = "") {
    TCacheItem item;
    item.MimeIndex = mimeIndex;
    item.Url = url;
    item.Title = title;
    item.FileName = fileName;
    item.Domain = domain;
    MergeIntoArchive(archive, item);
    if (IsSafePathComponent(domain) && IsSafePathComponent(fileName))
      testing::WriteFile(JoinPath(JoinPath(JoinPath(root.path(), domain),
                                           context.mimeTable.MimeTypeFolder(mimeIndex)),
                                  fileName),
                         content);
  }

  void Build(std::string_view date = "12/7/26") {
    ASSERT_TRUE(BuildIndexPages(context, root.path(), archive, interaction, date));
  }

  std::string Read(const std::string& relative) { return testing::ReadFile(root.Child(relative)); }

  testing::TempFolder program;
  testing::TempFolder root;
  AppContext context;
  ArchiveList archive;
  testing::ScriptedInteraction interaction;
};

TEST_F(IndexPagesTest, OneDomainWritesEveryPage) {
  Add("a.com", "http://a.com:80/docs/page.html", kHtml, "page.htm",
      "<HTML><HEAD><TITLE>Welcome</TITLE></HEAD>\r\n<BODY><!-- note -->\r\n"
      "<P>Hello   world</P></BODY></HTML>",
      "Welcome");
  Add("a.com", "http://a.com:80/", kHtml, "a.com.htm", "<p>Root page</p>");
  Add("a.com", "http://a.com:80/pics/pic.gif", kGif, "pic.gif", Gif(40, 30));
  Add("a.com", "http://a.com:8080/photos/", kJpeg, "photos.jpg", kExifJpeg);
  Build();

  EXPECT_EQ(Read("1st_page.htm"),
            Page({"<HTML>", "<HEAD>", "<TITLE>Pagehold - Offline Index</TITLE>", "</HEAD>",
                  "<FRAMESET COLS=30%,*>", "<FRAME SRC=indlist.htm NAME=DOMAINS MARGINWIDTH=0>",
                  "<FRAME SRC=indpage.htm NAME=FILES MARGINWIDTH=0>", "</FRAMESET>", "<NOFRAMES>",
                  "The Pagehold index page is located <A HREF=indlist.htm>here</A>", "</NOFRAMES>",
                  "</HTML>"}));
  EXPECT_EQ(Read("notfound.htm"),
            Page({"<HTML>", "<HEAD>", "<TITLE>Pagehold - Offline Index</TITLE>", "</HEAD>",
                  "<BODY BGCOLOR=#FFFFFF LINK=#000099 VLINK=#330066>", "<FONT SIZE=5 FACE=ARIAL>",
                  "<HR><BR>", "<CENTER>", "This page is not available.<BR><BR>", "<FONT SIZE=4>",
                  "Use the browser back button to<BR>", "return to the previous page.", "</FONT>",
                  "</CENTER>", "<BR><HR>", "</FONT>", "</BODY>", "</HTML>"}));
  EXPECT_EQ(
      Read("indpage.htm"),
      Page({"<HTML>",
            "<BODY BGCOLOR=#FFFFFF LINK=#000099 VLINK=#330066><CENTER>",
            "<BR><IMG WIDTH=275 HEIGHT=70 SRC=images/Pagehold.gif>",
            "<BR>",
            "<TABLE BORDER=0 CELLPADDING=0 CELLSPACING=0>",
            "<TR><TD ALIGN=RIGHT HEIGHT=10>&nbsp</TD>",
            "<TR><TD ALIGN=RIGHT HEIGHT=30><IMG WIDTH=38 HEIGHT=18 ALIGN=ABSMIDDLE "
            "SRC=images/lfolder.gif></TD>",
            "<TD><FONT SIZE=3 FACE=ARIAL>&nbsp;Domain item</FONT></TD></TR>",
            "<TR><TD ALIGN=RIGHT HEIGHT=30><IMG WIDTH=20 HEIGHT=18 SRC=images/text.gif></TD>",
            "<TD><FONT SIZE=3 FACE=ARIAL>&nbsp;Text file</FONT></TD></TR>",
            "<TR><TD ALIGN=RIGHT HEIGHT=30><IMG WIDTH=20 HEIGHT=18 SRC=images/image.gif></TD>",
            "<TD><FONT SIZE=3 FACE=ARIAL>&nbsp;Image file</FONT></TD></TR>",
            "<TR><TD ALIGN=RIGHT HEIGHT=30><IMG WIDTH=20 HEIGHT=18 SRC=images/audio.gif></TD>",
            "<TD><FONT SIZE=3 FACE=ARIAL>&nbsp;Audio file</FONT></TD></TR>",
            "<TR><TD ALIGN=RIGHT HEIGHT=30><IMG WIDTH=20 HEIGHT=18 SRC=images/video.gif></TD>",
            "<TD><FONT SIZE=3 FACE=ARIAL>&nbsp;Video file</FONT></TD></TR>",
            "<TR><TD ALIGN=RIGHT HEIGHT=30><IMG WIDTH=20 HEIGHT=18 SRC=images/other.gif></TD>",
            "<TD><FONT SIZE=3 FACE=ARIAL>&nbsp;Other file</FONT></TD></TR>",
            "</TABLE><BR>",
            "<IMG WIDTH=197 HEIGHT=74 SRC=images/CorvaneLogo.gif><BR>",
            "<FONT SIZE=2 FACE=ARIAL>Pagehold is made by Corvane. All rights reserved.</FONT>",
            "</CENTER></BODY></HTML>"}));
  EXPECT_EQ(
      Read("indlist.htm"),
      Page({"<HTML><HEAD><BASE TARGET=FILES>", "<TITLE>Pagehold - Offline Index</TITLE></HEAD>",
            "<BODY BGCOLOR=#FFFFFF LINK=#000099 VLINK=#330066>",
            "<TABLE BORDER=1 BGCOLOR=#CCCCCC CELLPADDING=4 CELLSPACING=0 WIDTH=100% "
            "HEIGHT=34>",
            "<TR><TD><NOBR><FONT SIZE=2 FACE=ARIAL>&nbsp;&nbsp;Index created - "
            "12/7/26</FONT></NOBR></TD></TR></TABLE>",
            "<B><FONT SIZE=2 FACE=ARIAL>",
            "<NOBR><IMG BORDER=0 ALIGN=TOP SRC=images/ofolder.gif>Domains</NOBR><BR>",
            "<NOBR><A HREF=a.com/text_index.htm><IMG WIDTH=38 HEIGHT=18 BORDER=0 ALIGN=TOP "
            "SRC=images/lfolder.gif>a.com</A></NOBR><BR>",
            "<BR><BR>", "</FONT></B></BODY></HTML>"}));

  const std::string textLink =
      "<A HREF=text_index.htm onMouseOver=\"window.status='List text files';return true\" "
      "TARGET=FILES><IMG BORDER=0 ALIGN=ABSMIDDLE ALT=\"2 text files\" "
      "SRC=../images/utext.gif></A>";
  const std::string imageLink =
      "<A HREF=image_index.htm onMouseOver=\"window.status='List image files';return true\" "
      "TARGET=FILES><IMG BORDER=0 ALIGN=ABSMIDDLE ALT=\"2 image files\" "
      "SRC=../images/uImage.gif></A>";
  const std::string greyRest =
      "<IMG ALIGN=ABSMIDDLE SRC=../images/gAudio.gif><IMG ALIGN=ABSMIDDLE "
      "SRC=../images/gVideo.gif><IMG ALIGN=ABSMIDDLE SRC=../images/gOther.gif>";
  const std::string exploring = "<FONT SIZE=2 FACE=ARIAL>&nbsp;&nbsp;Exploring a.com</FONT>\r\n";
  const std::string textIcon =
      "><IMG BORDER=0 WIDTH=20 HEIGHT=18 ALIGN=TOP SRC=../images/text.gif></A></TD>";
  EXPECT_EQ(
      Read("a.com/text_index.htm"),
      kBarTop + "<IMG ALIGN=ABSMIDDLE ALT=\"2 text files\" SRC=../images/dtext.gif>" + imageLink +
          greyRest + exploring + kBarEnd + "<TABLE BORDER=0 CELLPADDING=0 CELLSPACING=0>" +
          Page({"<TR><TD VALIGN=TOP><A HREF=http://a.com/docs/page.html" + textIcon +
                    "<TD><FONT SIZE=2 FACE=ARIAL><A HREF=text/page.htm><B>Welcome</B></A><BR>",
                "Hello world ...<BR>",
                "<FONT SIZE=1><A HREF=http://a.com/docs/page.html>http://a.com/docs/page.html</A>"
                "<BR>&nbsp;</FONT>",
                "</FONT></TD></TR>",
                "<TR><TD VALIGN=TOP><A HREF=http://a.com/" + textIcon +
                    "<TD><FONT SIZE=2 FACE=ARIAL><A HREF=text/a.com.htm><B>No Title</B></A><BR>",
                "Root page ...<BR>",
                "<FONT SIZE=1><A HREF=http://a.com/>http://a.com/</A><BR>&nbsp;</FONT>",
                "</FONT></TD></TR>", "</TABLE>", "</BODY></HTML>"}));
  EXPECT_EQ(
      Read("a.com/image_index.htm"),
      kBarTop + textLink + "<IMG ALIGN=ABSMIDDLE ALT=\"2 image files\" SRC=../images/dImage.gif>" +
          greyRest + exploring + kBarEnd +
          Page({"<NOBR><A HREF=thumbnail_index.htm TARGET=FILES><IMG BORDER=0 ALIGN=TOP "
                "SRC=../images/image.gif>Thumbnail Index (2 images)</A></NOBR><BR>",
                "<NOBR><A HREF=http://a.com/pics/pic.gif><IMG BORDER=0 ALIGN=TOP "
                "SRC=../images/image.gif></A><A HREF=image/pic.gif>pic.gif</A></NOBR><BR>",
                "<NOBR><A HREF=http://a.com:8080/photos/><IMG BORDER=0 ALIGN=TOP "
                "SRC=../images/image.gif></A><A HREF=image/photos.jpg>Image file</A></NOBR><BR>",
                "<BR><BR>", "</BODY></HTML>"}));
  EXPECT_EQ(Read("a.com/audio_index.htm"), Forward("video_index.htm"));
  EXPECT_EQ(Read("a.com/video_index.htm"), Forward("other_index.htm"));
  EXPECT_EQ(Read("a.com/other_index.htm"), "");
  // The Exif picture is listed above but has no thumbnail: its size cannot be read.
  EXPECT_EQ(Read("a.com/thumbnail_index.htm"),
            kBarTop + textLink + imageLink + greyRest + exploring + kBarEnd +
                Page({"<A HREF=image/pic.gif "
                      "onMouseOver=\"window.status='http://a.com/pics/pic.gif';return true\">"
                      "<IMG WIDTH=40 HEIGHT=30 HSPACE=5 VSPACE=5 BORDER=1 ALIGN=MIDDLE "
                      "SRC=image/pic.gif ALT=\"pic.gif (40x30)\"></A>",
                      "</BODY></HTML>"}));
  EXPECT_EQ(interaction.statuses, std::vector<std::string>{"Indexing..."});
  EXPECT_EQ(interaction.progress, (std::vector<int>{0, 100}));
}

TEST_F(IndexPagesTest, DomainsAreListedInOrderWithTheLastFolderMarked) {
  for (const char* domain : {"b.com", "a.com", "C.com"})
    Add(domain, std::string("http://") + domain + ":80/get/file.zip", kZip, "file.zip", "zip");
  Add("c.com", "http://c.com:80/same", kZip, "same.zip", "zip");  // a second spelling of C.com
  Build();
  const std::string indlist = Read("indlist.htm");
  const std::string folder = "<IMG WIDTH=38 HEIGHT=18 BORDER=0 ALIGN=TOP SRC=images/";
  EXPECT_NE(indlist.find("Domains</NOBR><BR>\r\n"
                         "<NOBR><A HREF=a.com/text_index.htm>" +
                         folder +
                         "folder.gif>a.com</A></NOBR><BR>\r\n"
                         "<NOBR><A HREF=b.com/text_index.htm>" +
                         folder +
                         "folder.gif>b.com</A></NOBR><BR>\r\n"
                         "<NOBR><A HREF=C.com/text_index.htm>" +
                         folder + "lfolder.gif>C.com</A></NOBR><BR>\r\n<BR><BR>\r\n"),
            std::string::npos)
      << indlist;
  EXPECT_EQ(interaction.progress, (std::vector<int>{0, 0, 50, 100}));
  EXPECT_FALSE(fs::exists(root.Child("c.com/text_index.htm")) &&
               !fs::exists(root.Child("C.com/text_index.htm")));
}

TEST_F(IndexPagesTest, ADomainWithOnlyOtherFilesForwardsToTheirList) {
  Add("x.net", "http://x.net:80/get/file.zip", kZip, "file.zip", "zip");
  Add("x.net", "http://x.net:80/get/", kZip, "get.zip", "zip");
  Build();
  EXPECT_EQ(Read("x.net/text_index.htm"), Forward("image_index.htm"));
  EXPECT_EQ(Read("x.net/image_index.htm"), Forward("audio_index.htm"));
  EXPECT_EQ(Read("x.net/audio_index.htm"), Forward("video_index.htm"));
  EXPECT_EQ(Read("x.net/video_index.htm"), Forward("other_index.htm"));
  EXPECT_EQ(Read("x.net/thumbnail_index.htm"), "");
  EXPECT_EQ(Read("x.net/other_index.htm"),
            kBarTop +
                "<IMG ALIGN=ABSMIDDLE SRC=../images/gtext.gif><IMG ALIGN=ABSMIDDLE "
                "SRC=../images/gImage.gif><IMG ALIGN=ABSMIDDLE SRC=../images/gAudio.gif><IMG "
                "ALIGN=ABSMIDDLE SRC=../images/gVideo.gif><IMG ALIGN=ABSMIDDLE ALT=\"2 other "
                "files\" SRC=../images/dOther.gif><FONT SIZE=2 FACE=ARIAL>&nbsp;&nbsp;Exploring "
                "x.net</FONT>\r\n" +
                kBarEnd +
                Page({"<NOBR><A HREF=http://x.net/get/file.zip><IMG BORDER=0 ALIGN=TOP "
                      "SRC=../images/other.gif></A><A HREF=application/file.zip>file.zip</A></"
                      "NOBR><BR>",
                      "<NOBR><A HREF=http://x.net/get/><IMG BORDER=0 ALIGN=TOP "
                      "SRC=../images/other.gif></A><A HREF=application/get.zip>Other file</A></"
                      "NOBR><BR>",
                      "<BR><BR>", "</BODY></HTML>"}));
}

TEST_F(IndexPagesTest, ADomainWithOnlyImagesStartsAtTheirList) {
  Add("p.com", "http://p.com:80/one.gif", kGif, "one.gif", Gif(640, 480));
  Build();
  EXPECT_EQ(Read("p.com/text_index.htm"), Forward("image_index.htm"));
  const std::string images = Read("p.com/image_index.htm");
  EXPECT_NE(images.find("<TR><TD><NOBR>&nbsp;\r\n<IMG ALIGN=ABSMIDDLE SRC=../images/gtext.gif>"
                        "<IMG ALIGN=ABSMIDDLE ALT=\"1 image files\" SRC=../images/dImage.gif>"
                        "<IMG ALIGN=ABSMIDDLE SRC=../images/gAudio.gif>"),
            std::string::npos)
      << images;
  EXPECT_NE(images.find(">Thumbnail Index (1 image)</A>"), std::string::npos);
  EXPECT_NE(Read("p.com/thumbnail_index.htm")
                .find("<IMG WIDTH=81 HEIGHT=61 HSPACE=5 VSPACE=5 BORDER=1 ALIGN=MIDDLE "
                      "SRC=image/one.gif ALT=\"one.gif (640x480)\">"),
            std::string::npos);
}

TEST_F(IndexPagesTest, EveryMediaKindHasItsListAndButton) {
  Add("m.com", "http://m.com:80/a.wav", kWave, "a.wav", "RIFF");
  Add("m.com", "http://m.com:80/v/", kAvi, "v.avi", "RIFF");
  Build();
  const std::string audio = Read("m.com/audio_index.htm");
  EXPECT_NE(audio.find("<IMG ALIGN=ABSMIDDLE ALT=\"1 audio files\" SRC=../images/dAudio.gif>"
                       "<A HREF=video_index.htm onMouseOver=\"window.status='List video files';"
                       "return true\" TARGET=FILES><IMG BORDER=0 ALIGN=ABSMIDDLE ALT=\"1 video "
                       "files\" SRC=../images/uVideo.gif></A>"),
            std::string::npos)
      << audio;
  EXPECT_NE(audio.find("<NOBR><A HREF=http://m.com/a.wav><IMG BORDER=0 ALIGN=TOP "
                       "SRC=../images/audio.gif></A><A HREF=audio/a.wav>a.wav</A></NOBR><BR>"),
            std::string::npos);
  EXPECT_NE(Read("m.com/video_index.htm")
                .find("<IMG BORDER=0 ALIGN=TOP SRC=../images/video.gif></A><A "
                      "HREF=video/v.avi>Video file</A></NOBR><BR>\r\n<BR><BR>\r\n"),
            std::string::npos);
  EXPECT_EQ(Read("m.com/text_index.htm"), Forward("image_index.htm"));
  EXPECT_EQ(Read("m.com/image_index.htm"), Forward("audio_index.htm"));
}

TEST_F(IndexPagesTest, LongAddressesAreShownByTheirEnd) {
  const std::string path60(60 - std::string("http://a.com/").size(), 'p');
  Add("a.com", "http://a.com:80/" + path60, kHtml, "p60.htm", "x");
  Add("a.com", "http://a.com:80/q" + path60, kHtml, "p61.htm", "x");
  Build();
  const std::string text = Read("a.com/text_index.htm");
  EXPECT_NE(text.find(">http://a.com/" + path60 + "</A>"), std::string::npos);
  EXPECT_NE(text.find(">...ttp://a.com/q" + path60 + "</A>"), std::string::npos);
  EXPECT_NE(text.find("<B>" + path60 + "</B>"), std::string::npos);  // the name as title
}

TEST_F(IndexPagesTest, WithoutDetailsEachTextEntryIsTwoLines) {
  context.settings.DetailedIndexFlag = false;
  Add("a.com", "http://a.com:80/x.html", kHtml, "x.htm", "<p>excerpt</p>", "X");
  Build();
  const std::string text = Read("a.com/text_index.htm");
  EXPECT_NE(text.find("<TABLE BORDER=0 CELLPADDING=0 CELLSPACING=0><TR><TD VALIGN=TOP>"
                      "<A HREF=http://a.com/x.html><IMG BORDER=0 WIDTH=20 HEIGHT=18 ALIGN=TOP "
                      "SRC=../images/text.gif></A></TD><TD><FONT SIZE=2 FACE=ARIAL>"
                      "<A HREF=text/x.htm><B>X</B></A><BR>\r\n</FONT></TD></TR>\r\n</TABLE>\r\n"),
            std::string::npos)
      << text;
}

TEST_F(IndexPagesTest, AnUnreadableEntryIsAbandonedAndTheBuildGoesOn) {
  Add("a.com", "http://a.com:80/gone.html", kHtml, "gone.htm", "", "Gone");
  fs::remove(root.Child("a.com/text/gone.htm"));
  Add("a.com", "http://a.com:80/here.html", kHtml, "here.htm", "<p>Here</p>", "Here");
  Build();
  const std::string text = Read("a.com/text_index.htm");
  EXPECT_NE(text.find("<B>Gone</B></A><BR>\r\n<TR><TD VALIGN=TOP>"), std::string::npos) << text;
  EXPECT_NE(text.find("<B>Here</B></A><BR>\r\nHere ...<BR>\r\n"), std::string::npos);
  EXPECT_NE(text.find("</TABLE>\r\n</BODY></HTML>\r\n"), std::string::npos);
}

// An excerpt the run kept when it wrote the page is used instead of reading the page again;
// pages without one are read.
TEST_F(IndexPagesTest, KnownExcerptsAreUsedAndOthersRead) {
  Add("a.com", "http://a.com:80/known.html", kHtml, "known.htm", "<p>on disk</p>", "Known");
  Add("a.com", "http://a.com:80/read.html", kHtml, "read.htm", "<p>Read</p>", "Read");
  const KnownExcerpts known{{root.Child("a.com/text/known.htm"), "kept by the run"}};
  ASSERT_TRUE(BuildIndexPages(context, root.path(), archive, interaction, "12/7/26", known));
  const std::string text = Read("a.com/text_index.htm");
  EXPECT_NE(text.find("<B>Known</B></A><BR>\r\nkept by the run...<BR>"), std::string::npos) << text;
  EXPECT_NE(text.find("<B>Read</B></A><BR>\r\nRead ...<BR>"), std::string::npos);
  EXPECT_EQ(text.find("on disk"), std::string::npos);
}

// Titles, names, excerpts and addresses come from the web; they must not add markup or script.
TEST_F(IndexPagesTest, TextsFromTheWebCannotAddMarkup) {
  Add("a.com", "http://a.com:80/t.html", kHtml, "t.htm", "<p>5 &lt; 6 &amp; \"quoted\"</p>",
      "<script>alert(1)</script>");
  Add("a.com", "http://a.com:80/x\"onmouseover=alert(1)>.gif", kGif, "x.gif", Gif(10, 10));
  Add("a.com", "http://a.com:80/it's a.gif", kGif, "y.gif", Gif(10, 10));
  Build();
  const std::string text = Read("a.com/text_index.htm");
  EXPECT_NE(text.find("<B>&lt;script&gt;alert(1)&lt;/script&gt;</B>"), std::string::npos);
  EXPECT_NE(text.find("\r\n5 &lt; 6 &amp; &quot;quoted&quot; ...<BR>\r\n"), std::string::npos);
  const std::string images = Read("a.com/image_index.htm");
  EXPECT_NE(images.find("<A HREF=http://a.com/x&quot;onmouseover=alert(1)&gt;.gif><IMG"),
            std::string::npos)
      << images;
  EXPECT_NE(images.find(">x&quot;onmouseover=alert(1)&gt;.gif</A>"), std::string::npos);
  EXPECT_NE(images.find("<A HREF=http://a.com/it's%20a.gif><IMG"), std::string::npos);
  const std::string thumbnails = Read("a.com/thumbnail_index.htm");
  EXPECT_NE(thumbnails.find("window.status='http://a.com/it\\'s a.gif';return true"),
            std::string::npos)
      << thumbnails;
  EXPECT_NE(thumbnails.find("ALT=\"x&quot;onmouseover=alert(1)&gt;.gif (10x10)\""),
            std::string::npos);
}

TEST_F(IndexPagesTest, NamesThatLeaveTheirFolderGetNoEntry) {
  Add("..", "http://x:80/a.zip", kZip, "a.zip", "");
  Add("a.com", "http://a.com:80/b.zip", kZip, "../../escape.zip", "");
  Add("b.com", "http://b.com:80/c.zip", kZip, "c.zip", "zip");
  Build();
  const std::string indlist = Read("indlist.htm");
  EXPECT_EQ(indlist.find("a.com"), std::string::npos);
  EXPECT_EQ(indlist.find("HREF=../"), std::string::npos);
  EXPECT_NE(indlist.find("lfolder.gif>b.com"), std::string::npos);
  EXPECT_FALSE(fs::exists(root.Child("a.com")));
  EXPECT_FALSE(fs::exists(fs::path(root.path()).parent_path().parent_path() / "text_index.htm"));
}

TEST_F(IndexPagesTest, AnEmptyArchiveOnlyRemovesTheEntryPage) {
  testing::WriteFile(root.Child("1st_page.htm"), "old");
  testing::WriteFile(root.Child("indlist.htm"), "old list");
  Build();
  EXPECT_FALSE(fs::exists(root.Child("1st_page.htm")));
  EXPECT_EQ(Read("indlist.htm"), "old list");
  EXPECT_TRUE(interaction.progress.empty());
}

TEST_F(IndexPagesTest, AFailedPageEndsTheBuild) {
  Add("a.com", "http://a.com:80/a.zip", kZip, "a.zip", "zip");
  fs::create_directory(root.Child("a.com/other_index.htm"));  // a folder where a page goes
  const Status built = BuildIndexPages(context, root.path(), archive, interaction, "12/7/26");
  ASSERT_FALSE(built);
  EXPECT_EQ(built.failure().subject, root.Child("a.com/other_index.htm"));
  EXPECT_TRUE(fs::exists(root.Child("indlist.htm")));
}

std::map<std::string, std::string> AllFiles(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file())
      files[entry.path().string()] = testing::ReadFile(entry.path().string());
  }
  return files;
}

TEST_F(IndexPagesTest, ARebuildChangesOnlyTheDate) {
  Add("b.com", "http://b.com:80/", kHtml, "b.com.htm", "<title>B</title>Bee", "B");
  Add("a.com", "http://a.com:80/i.gif", kGif, "i.gif", Gif(300, 20));
  Add("a.com", "http://a.com:80/z.zip", kZip, "z.zip", "zip");
  Build("1/1/01");
  auto first = AllFiles(root.path());
  Build("12/31/99");
  auto second = AllFiles(root.path());
  const std::string list = root.Child("indlist.htm");
  const auto dateAt = first[list].find("1/1/01");
  ASSERT_NE(dateAt, std::string::npos);
  EXPECT_EQ(first[list].replace(dateAt, 6, "12/31/99"), second[list]);
  EXPECT_EQ(first, second);
}

}  // namespace
}  // namespace pagehold
