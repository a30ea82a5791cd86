#include <filesystem>
#include <string>

#include "cli/SearchCommandSupport.h"

namespace pagehold {
namespace {

namespace Row = testing::Row;
namespace fs = std::filesystem;

class ReindexCommandTest : public testing::ArchiveCommandTest {
 protected:
  ReindexCommandTest() : ArchiveCommandTest("reindex") {
    archive_.Add("http://one.example:80/a.html", Row::Html, "a.htm", "<TITLE>A</TITLE>");
    archive_.Add("http://two.example:80/b.gif", Row::Gif, "b.gif", "GIF89a");
    archive_.Save();
  }
};

TEST_F(ReindexCommandTest, BuildsTheIndexPrintsItsPathLastAndRemembersTheFolder) {
  EXPECT_EQ(Run({Typed()}), 0);
  const std::string indexPage = archiveFolder_.path() + "1st_page.htm";
  EXPECT_EQ(out_.str(), indexPage + "\n");
  EXPECT_TRUE(fs::exists(indexPage));
  EXPECT_TRUE(fs::exists(archiveFolder_.Child("indlist.htm")));

  EXPECT_EQ(StoredSetting("General", "Reindex directory"), Typed());
}

TEST_F(ReindexCommandTest, DropsDeletedDomainsAndRemovesAnEmptiedArchive) {
  fs::remove_all(archiveFolder_.Child("two.example"));
  EXPECT_EQ(Run({archiveFolder_.path()}), 0);
  const std::string remaining = testing::ReadFile(archive_.InfoFile());
  EXPECT_NE(remaining.find("one.example"), std::string::npos);
  EXPECT_EQ(remaining.find("two.example"), std::string::npos);

  fs::remove_all(archiveFolder_.Child("one.example"));
  EXPECT_EQ(Run({archiveFolder_.path()}), 0);
  EXPECT_EQ(out_.str(), "");
  EXPECT_NE(err_.str().find("no entry is left"), std::string::npos);
  EXPECT_FALSE(fs::exists(archive_.InfoFile()));
  EXPECT_FALSE(fs::exists(archiveFolder_.Child("1st_page.htm")));

  EXPECT_EQ(Run({archiveFolder_.path()}), 2);
  EXPECT_EQ(err_.str(),
            "pagehold reindex: Couldn't find an archive info file (archive.dat) in this folder.\n");
}

TEST_F(ReindexCommandTest, BadUsageGivesOneLineReasons) {
  const struct {
    Arguments args;
    std::string err;
  } cases[] = {
      {{}, "pagehold reindex: give the archive FOLDER to re-index\n"},
      {{"--yes"}, "pagehold reindex: unknown option '--yes'\n"},
      {{Typed(), "extra"}, "pagehold reindex: unexpected argument 'extra'\n"},
      {{""},
       "pagehold reindex: Couldn't find an archive info file (archive.dat) in this folder.\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.args), 2) << c.err;
    EXPECT_EQ(err_.str(), c.err);
    EXPECT_EQ(out_.str(), "");
  }
  EXPECT_FALSE(registry_.Written());
}

}  // namespace
}  // namespace pagehold
