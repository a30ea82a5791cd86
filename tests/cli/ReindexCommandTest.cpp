#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "cli/Commands.h"
#include "cli/SearchCommandSupport.h"
#include "platform/RegistryFile.h"
#include "prefs/SettingsStore.h"
#include "search/ArchiveMaker.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

using testing::ArchiveMaker;
using testing::ScopedRegistryFile;
using testing::TempFolder;
namespace Row = testing::Row;
namespace fs = std::filesystem;

class ReindexCommandTest : public ::testing::Test {
 protected:
  ReindexCommandTest()
      : mimeTable_(programFolder_.path()),
        archive_(archiveFolder_.path(), mimeTable_),
        registry_(settingsFolder_.Child("registry.reg")) {
    archive_.Add("http://one.example:80/a.html", Row::Html, "a.htm", "<TITLE>A</TITLE>");
    archive_.Add("http://two.example:80/b.gif", Row::Gif, "b.gif", "GIF89a");
    archive_.Save();
  }

  int Run(const Arguments& args) {
    out_.str("");
    err_.str("");
    Arguments all{"reindex"};
    all.insert(all.end(), args.begin(), args.end());
    return RunPagehold(all, out_, err_);
  }

  std::string Typed() const {
    return archiveFolder_.path().substr(0, archiveFolder_.path().size() - 1);
  }

  TempFolder programFolder_;
  TempFolder archiveFolder_;
  TempFolder settingsFolder_;
  TMimeTable mimeTable_;
  ArchiveMaker archive_;
  ScopedRegistryFile registry_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(ReindexCommandTest, BuildsTheIndexPrintsItsPathLastAndRemembersTheFolder) {
  EXPECT_EQ(Run({Typed()}), 0);
  const std::string indexPage = archiveFolder_.path() + "1st_page.htm";
  EXPECT_EQ(out_.str(), indexPage + "\n");
  EXPECT_TRUE(fs::exists(indexPage));
  EXPECT_TRUE(fs::exists(archiveFolder_.Child("indlist.htm")));

  RegistryFile registry(registry_.path());
  const SettingsStore store(registry);
  EXPECT_EQ(store.Read("General", "Reindex directory"), Typed());
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
  EXPECT_FALSE(fs::exists(registry_.path()));
}

}  // namespace
}  // namespace pagehold
