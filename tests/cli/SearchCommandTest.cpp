#include <sstream>
#include <string>
#include <vector>

#include "cli/SearchCommandSupport.h"

namespace pagehold {
namespace {

namespace Row = testing::Row;

class SearchCommandTest : public testing::ArchiveCommandTest {
 protected:
  SearchCommandTest() : ArchiveCommandTest("search") {
    archive_.Add("http://www.zeta.example:80/index.html", Row::Html, "index.htm", "Tide tables");
    archive_.Add("http://www.alpha.example:8080/tides.html", Row::Html, "tides.htm", "no match");
    archive_.Add("http://www.alpha.example:80/Tide.gif", Row::Gif, "Tide.gif");
    archive_.Add("http://www.alpha.example:80/gone.html", Row::Html, "gone.htm", "tide", false);
    archive_.Save();
  }

  std::string Copy(const std::string& url, int row, const std::string& name) const {
    return archive_.CopyPath(url, row, name);
  }
};

TEST_F(SearchCommandTest, PrintsMatchingRowsInArchiveOrderUnderAHeader) {
  EXPECT_EQ(Run({archiveFolder_.path(), "--url", "TIDE"}), 0);
  EXPECT_EQ(out_.str(),
            "url\tarchive_file\n"
            "http://www.alpha.example:8080/tides.html\t" +
                Copy("http://www.alpha.example:8080/", Row::Html, "tides.htm") +
                "\n"
                "http://www.alpha.example/Tide.gif\t" +
                Copy("http://www.alpha.example:80/", Row::Gif, "Tide.gif") + "\n");
  EXPECT_EQ(err_.str(), "");
}

TEST_F(SearchCommandTest, TextAndSortOptions) {
  EXPECT_EQ(Run({"--text", "tide", archiveFolder_.path()}), 0);
  EXPECT_EQ(out_.str(), "url\tarchive_file\nhttp://www.zeta.example/index.html\t" +
                            Copy("http://www.zeta.example:80/", Row::Html, "index.htm") + "\n");

  EXPECT_EQ(Run({archiveFolder_.path(), "--url", "example", "--sort"}), 0);
  std::istringstream lines(out_.str());
  std::string line;
  std::vector<std::string> urls;
  while (std::getline(lines, line))
    urls.push_back(line.substr(0, line.find('\t')));
  EXPECT_EQ(urls, (std::vector<std::string>{"url", "http://www.alpha.example/Tide.gif",
                                            "http://www.alpha.example:8080/tides.html",
                                            "http://www.zeta.example/index.html"}));
}

TEST_F(SearchCommandTest, RemembersTheFolderAsTyped) {
  EXPECT_EQ(Run({Typed(), "--url", "nothing-like-this"}), 1);
  EXPECT_EQ(StoredSetting("Search properties", "Search directory"), Typed());
}

TEST_F(SearchCommandTest, ExitStatusAndOneLineReasons) {
  const std::string missing = archiveFolder_.Child("missing");
  const struct {
    const char* name;
    Arguments args;
    int status;
    std::string err;
  } cases[] = {
      {"nothing found",
       {archiveFolder_.path(), "--text", "absent words"},
       1,
       "pagehold search: No files found.\n"},
      {"no pattern", {archiveFolder_.path()}, 2, "pagehold search: Enter some search text.\n"},
      {"no folder", {"--url", "x"}, 2, "pagehold search: give the archive FOLDER to search\n"},
      {"missing folder",
       {missing, "--url", "x"},
       2,
       "pagehold search: Couldn't find folder " + missing + "\n"},
      {"no archive",
       {settingsFolder_.path(), "--url", "x"},
       2,
       "pagehold search: Couldn't find an archive info file (archive.dat) in this folder.\n"},
      {"unknown option",
       {archiveFolder_.path(), "--urls", "x"},
       2,
       "pagehold search: unexpected argument '--urls'\n"},
      {"two folders",
       {archiveFolder_.path(), archiveFolder_.path(), "--url", "x"},
       2,
       "pagehold search: unexpected argument '" + archiveFolder_.path() + "'\n"},
      {"value missing",
       {archiveFolder_.path(), "--url"},
       2,
       "pagehold search: --url needs a value\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Run(c.args), c.status);
    EXPECT_EQ(err_.str(), c.err);
    EXPECT_EQ(out_.str(), "");
  }
}

TEST_F(SearchCommandTest, DamagedInfoFileKeepsTheRowsReadAndSaysSo) {
  // A record head whose address length runs far past the end of the file.
  std::string damaged(28, '\0');
  damaged[16] = '\x7f';
  damaged[19] = '\x7f';
  archive_.Save(damaged);
  const std::string before = testing::ReadFile(archiveFolder_.Child("archive.dat"));
  EXPECT_EQ(Run({archiveFolder_.path(), "--url", "zeta"}), 1);
  EXPECT_NE(out_.str().find("http://www.zeta.example/index.html"), std::string::npos);
  EXPECT_EQ(err_.str(),
            "pagehold search: archive.dat is damaged at byte 378 of 406: 28 bytes "
            "follow; 4 records read before the damage, 0 salvaged after it, 28 bytes "
            "skipped; the results come from the 4 records that can be read\n");
  EXPECT_EQ(testing::ReadFile(archiveFolder_.Child("archive.dat")), before);
}

}  // namespace
}  // namespace pagehold
