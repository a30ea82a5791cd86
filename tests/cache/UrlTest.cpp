#include "cache/Url.h"

#include <gtest/gtest.h>

#include <string>

namespace pagehold {
namespace {

struct SplitCase {
  const char* input;
  const char* host;
  int port;
  const char* path;
};

// Splits like the cache sources do: host, then port, then path from what is left.
template <typename HostSplit>
void ExpectSplits(const SplitCase& c, HostSplit hostSplit) {
  std::string rest = c.input;
  EXPECT_EQ(hostSplit(rest), c.host) << c.input;
  EXPECT_EQ(PortFromRest(rest), c.port) << c.input;
  EXPECT_EQ(PathFromRest(rest), c.path) << c.input;
}

TEST(UrlTest, KeyFormSplitsHostPortAndPath) {
  const SplitCase cases[] = {
      {"GET http://H/a\\b HTTP/1.0", "h", 80, "/a/b"},
      {"  http://Www.Example.COM:8080/x/y.html?q=1  ", "www.example.com", 8080, "/x/y.html?q=1"},
      {"post http://h/form http/1.0 trailing", "h", 80, "/form"},
      {"HEAD http://h", "h", 80, "/"},
      {"https://s:443/p", "s", 443, "/p"},
      {"HTTPS://S/p", "s", 80, "/p"},
      {"h\\dir\\file", "h", 80, "/dir/file"},
      {"http://h:abc/x", "h", 80, "/x"},
      {"http://h:8080", "h", 8080, "/"},
      {"http://h:99999999999/x", "h", 80, "/x"},  // out of the integer range
      {"http://h:/x", "h", 80, "/x"},
      {"Visited: someone@http://h/", "NONE", 80, "/"},
      {"cookie:someone@h/", "NONE", 80, "/"},
      {"ftp://f/x", "NONE", 80, "/"},
      {"FILE://C:/x", "NONE", 80, "/"},
      {"gopher://g/", "NONE", 80, "/"},
      {"news://n/", "NONE", 80, "/"},
      {"mailto://m", "NONE", 80, "/"},
      {"", "NONE", 80, "/"},
      {"   ", "NONE", 80, "/"},
      {"http:///path", "NONE", 80, "/path"},
      {"http://:81/p", "NONE", 81, "/p"},
  };
  for (const SplitCase& c : cases)
    ExpectSplits(c, [](std::string& key) { return HostFromKey(key); });
}

TEST(UrlTest, LinkFormSplitsHostPortAndPath) {
  const SplitCase cases[] = {
      {"http://H:80/Dir/Page.html", "h", 80, "/Dir/Page.html"},
      {"x/y", "x", 80, "/y"},
      {"  HtTp://x ", "x", 80, "/"},
      {"https://s/p", "NONE", 80, "/"},
      {"telnet://h", "NONE", 80, "/"},
      {"nntp:group", "NONE", 80, "/"},
      {"news:group", "NONE", 80, "/"},
      {"mailto:someone@h", "NONE", 80, "/"},
      {"file://c:/x", "NONE", 80, "/"},
      {"ftp://f/", "NONE", 80, "/"},
      {"gopher://g", "NONE", 80, "/"},
      // The link form does not turn backslashes into slashes before the cut...
      {"http://h\\a/b", "h\\a", 80, "/b"},
      // ...but the path split does.
      {"http://h/a\\b", "h", 80, "/a/b"},
      {"http://h:8080", "h", 8080, "/"},
      {"", "NONE", 80, "/"},
  };
  for (const SplitCase& c : cases)
    ExpectSplits(c, [](std::string& link) { return HostFromLink(link); });
}

TEST(UrlTest, PortSplitLeavesTheRestFromTheFirstSlash) {
  struct Case {
    const char* rest;
    int port;
    const char* after;
  } cases[] = {
      {"/a", 80, "/a"},    {":81/a:b/c", 81, "/a:b/c"},
      {":-1/a", -1, "/a"}, {":x", 80, ""},
      {":", 80, ""},       {"", 80, ""},
      {":+8/a", 8, "/a"},  {":70000", 70000, ""},
      {":8 /a", 80, "/a"},
  };
  for (const Case& c : cases) {
    std::string rest = c.rest;
    EXPECT_EQ(PortFromRest(rest), c.port) << c.rest;
    EXPECT_EQ(rest, c.after) << c.rest;
  }
}

TEST(UrlTest, LinkFormCutsLongInputsTo255Characters) {
  const std::string longPath(300, 'p');
  std::string link = "http://h/" + longPath;
  EXPECT_EQ(HostFromLink(link), "h");
  EXPECT_EQ(link.size(), 255u - 8u);  // 255 minus "http://h"

  std::string key = "http://h/" + longPath;
  EXPECT_EQ(HostFromKey(key), "h");
  EXPECT_EQ(key.size(), 301u);  // the key form has no such bound

  EXPECT_EQ(NormalizeUrl("h/" + longPath, UrlForm::Link).size(), 255u);
  EXPECT_EQ(NormalizeUrl("h/" + longPath, UrlForm::Key).size(), 7u + 2u + 300u);
}

TEST(UrlTest, NormalizeUrlShortensOnlyPort80) {
  struct Case {
    const char* url;
    UrlForm form;
    const char* result;
  } cases[] = {
      {"http://H:80/a", UrlForm::Link, "http://h/a"},
      {"http://H:80/a", UrlForm::Key, "http://h/a"},
      {"http://h:8080/a", UrlForm::Link, "http://h:8080/a"},
      {"http://h:8080/a", UrlForm::Key, "http://h:8080/a"},
      {"https://s:80/a", UrlForm::Key, "http://s/a"},
      {"https://s:80/a", UrlForm::Link, "https://s:80/a"},
      {"ftp://f/x", UrlForm::Link, "ftp://f/x"},
      {"h", UrlForm::Link, "http://h/"},
      {"http://h:abc/x", UrlForm::Link, "http://h/x"},
      {"", UrlForm::Key, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NormalizeUrl(c.url, c.form), c.result) << c.url;
}

TEST(UrlTest, DomainKeepsOnlyFolderSafeCharacters) {
  struct Case {
    std::string host;
    const char* domain;
  } cases[] = {
      {"my_host.example.com", "my_host.example.com"},
      {"a b+c", "abc"},
      {" +/:", ""},  // empty is allowed: only "NONE" refuses an item
      {"a\\b/c*d?e\"f<g>h|i[j]k;l,m=n", "abcdefghijklmn"},
      {"!#$%&'()-.09@AZ^_`az{}~", "!#$%&'()-.09@AZ^_`az{}~"},
      {std::string("x\x7f\x80\xff\x01y", 6), "xy"},
      {"NONE", "NONE"},
      // Names that would climb out of the archive folder never become folder names.
      {".", "NONE"},
      {"..", "NONE"},
      {"...", "NONE"},
      {"./.", "NONE"},
      {"..a", "..a"},
      {std::string(300, 'd'), nullptr},
  };
  for (const Case& c : cases) {
    if (c.domain == nullptr)
      EXPECT_EQ(DomainFromHost(c.host), std::string(255, 'd'));
    else
      EXPECT_EQ(DomainFromHost(c.host), c.domain) << c.host;
  }
}

TEST(UrlTest, DomainCharacterSetHasExactly79Members) {
  int kept = 0;
  for (int code = 0; code < 256; ++code) {
    const std::string one(1, static_cast<char>(code));
    if (DomainFromHost("a" + one) != "a")
      ++kept;
  }
  EXPECT_EQ(kept, 79);
}

TEST(UrlTest, FileNameAndBase) {
  EXPECT_EQ(UrlFileName("http://h/dir/page.html"), "page.html");
  EXPECT_EQ(UrlFileName("http://h/dir/"), "");
  EXPECT_EQ(UrlFileName("page"), "page");

  EXPECT_EQ(UrlBase("http://h:80/dir/page.html"), "h:80/dir/");
  EXPECT_EQ(UrlBase("HTTP://h:80/dir/"), "h:80/dir/");
  EXPECT_EQ(UrlBase("h:80"), "h:80");
  EXPECT_EQ(UrlBase("ftp://f/x"), "ftp://f/");
}

TEST(UrlTest, ResolveLinkGivesCanonicalItemUrls) {
  struct Case {
    const char* link;
    const char* result;
  } cases[] = {
      {"x.html", "http://h:80/dir/x.html"},
      {"/y.html", "http://h:80/y.html"},
      {"../z.html", "http://h:80/z.html"},
      {"./w.html#top", "http://h:80/dir/w.html"},
      {"HTTP://X:8080/a/./b", "http://x:8080/a/b"},
      {"ftp://f/x", "ftp://f/x"},
      {"ftp://f/x#frag", "ftp://f/x"},
      {"#sec", ""},
      {"mailto:someone", ""},
      {"News:group", ""},
      {"http//x/a", "http://x:80/a"},
      {"HTTPS://x/a", "http://x:80/a"},
      {"http:rel.html", "http://h:80/dir/rel.html"},
      {"http:/abs.html", "http://h:80/abs.html"},
      {"sub\\a.html", "http://h:80/dir/sub/a.html"},
      {"../../../up.html", "http://h:80/up.html"},
      {"a/b/../../c", "http://h:80/dir/c"},
      {"././a", "http://h:80/dir/a"},
      {"", "http://h:80/dir/"},
      {"http://x:65537/a", "http://x:1/a"},  // ports are 16-bit in resolved links
      {"http://x:-1/a", "http://x:65535/a"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ResolveLink(c.link, "h:80/dir/"), c.result) << c.link;
}

TEST(UrlTest, ResolvedLinksAreAtMost255Characters) {
  const std::string result = ResolveLink(std::string(400, 'a'), "h:80/dir/");
  EXPECT_EQ(result.size(), 255u);
  EXPECT_EQ(result.substr(0, 16), "http://h:80/dir/");
}

TEST(UrlTest, FileNamesInLinksKeepTheirEscapeFragmentAndQueryCharacters) {
  const struct Case {
    const char* name;
    const char* link;
  } cases[] = {
      {"page.htm", "page.htm"},
      {"#top.htm", "%23top.htm"},
      {"a%20b[1].htm", "a%2520b[1].htm"},
      {"q?.htm", "q%3F.htm"},
      {"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FileNameInLink(c.name), c.link) << c.name;
}

}  // namespace
}  // namespace pagehold
