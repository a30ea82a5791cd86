// Pages whose type names a character set ("text/html; charset=...", as real servers send it)
// are archived as pages: every relative link in them opens its archived file, their titles
// reach the index pages, and their text is searched.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "cli/Commands.h"
#include "iecache/IeCacheWriter.h"
#include "platform/Paths.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testing::ReadFile;
using testing::TempFolder;

int Pagehold(const Arguments& args, std::string* out = nullptr) {
  std::ostringstream outStream;
  std::ostringstream err;
  const int status = RunPagehold(args, outStream, err);
  if (out != nullptr)
    *out = outStream.str();
  EXPECT_EQ(status, 0) << err.str();
  return status;
}

testgen::IeCacheEntry Entry(const std::string& url, int folder, const std::string& name,
                            const std::string& type, const std::string& body) {
  testgen::IeCacheEntry entry;
  entry.url = url;
  entry.folderIndex = folder;
  entry.fileName = name;
  entry.body = body;
  entry.headers = testgen::HttpHeaders({"Content-Type: " + type});
  entry.lastAccess = testgen::MakeFileTime(2003, 5, 17, 9, 30, 40);
  return entry;
}

TEST(CharsetPagesArchive, RelativeLinksOpenTheirArchivedFiles) {
  TempFolder cache;
  TempFolder archive;
  testgen::IeCache ie;
  ie.entries = {
      Entry("http://www.example.test/news/index.html", 0, "index[1].htm",
            "text/html; charset=utf-8",
            "<html><title>Front page</title><a href=\"story.html\">story</a>"
            "<img src=\"../pics/logo.gif\"><a href=\"/about.html#team\">about</a></html>"),
      Entry("http://www.example.test/news/story.html", 1, "story[1].htm",
            "Text/HTML;charset=ISO-8859-1",
            "<html><title>A story</title>Tidewater <a href=index.html>back</a></html>"),
      Entry("http://www.example.test/about.html", 2, "about[1].htm",
            "text/html; charset=\"windows-1252\"",
            "<html><title>About us</title><a href='news/story.html'>story</a></html>"),
      Entry("http://www.example.test/pics/logo.gif", 3, "logo[1].gif", "image/gif", "GIF89a"),
  };
  testgen::WriteIeCache(cache.path(), ie);
  Pagehold({"archive", "--ie", cache.path(), "--to", archive.path()});

  const std::regex link(R"((?:href|src)\s*=\s*["']?([^"' >]+))", std::regex::icase);
  int pages = 0;
  int links = 0;
  for (const auto& file : fs::directory_iterator(archive.Child("www.example.test/text"))) {
    const std::string name = file.path().filename().string();
    if (!file.is_regular_file() || name.find(".htm") == std::string::npos)
      continue;
    ++pages;
    const std::string page = ReadFile(file.path().string());
    for (std::sregex_iterator it(page.begin(), page.end(), link), end; it != end; ++it) {
      const std::string target = (*it)[1].str();
      EXPECT_EQ(target.find(':'), std::string::npos) << name << ": " << target;
      EXPECT_THAT(target, ::testing::Not(HasSubstr("notfound"))) << name;
      const fs::path opened = file.path().parent_path() / target.substr(0, target.find('#'));
      EXPECT_TRUE(fs::is_regular_file(opened)) << name << ": " << target;
      ++links;
    }
  }
  EXPECT_EQ(pages, 3);
  EXPECT_EQ(links, 5);

  const std::string textList = ReadFile(archive.Child("www.example.test/text_index.htm"));
  for (const char* title : {"Front page", "A story", "About us"})
    EXPECT_THAT(textList, HasSubstr(title));
  std::string found;
  Pagehold({"search", archive.path(), "--text", "tidewater"}, &found);
  EXPECT_THAT(found, HasSubstr("http://www.example.test/news/story.html\t"));
}

}  // namespace
}  // namespace pagehold
