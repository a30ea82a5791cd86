#include "search/ResultSort.h"

#include <gtest/gtest.h>

#include <locale>
#include <string>
#include <vector>

#include "cache/Text.h"

namespace pagehold {
namespace {

std::vector<SearchResult> Rows(const std::vector<std::string>& urls) {
  std::vector<SearchResult> rows;
  for (size_t i = 0; i < urls.size(); ++i)
    rows.push_back({urls[i], "file" + std::to_string(i), ResultIcon::Text});
  return rows;
}

std::vector<std::string> UrlsOf(const std::vector<SearchResult>& rows) {
  std::vector<std::string> urls;
  for (const SearchResult& row : rows)
    urls.push_back(row.Url);
  return urls;
}

// A collation that orders letters without regard to case first and lets the case decide only
// between texts that are otherwise equal (small before capital), as dictionary locales do. The
// sort works on collation keys, so only the transform is needed.
class DictionaryCollate : public std::collate<char> {
 protected:
  std::string do_transform(const char* low, const char* high) const override {
    // Folded text, a separator below every character, then the case marks.
    std::string key = LowerCase(std::string_view(low, high - low));
    key += '\x01';
    for (const char* c = low; c != high; ++c)
      key += (*c >= 'A' && *c <= 'Z') ? '\x03' : '\x02';
    return key;
  }
};

TEST(SortByUrlTest, ClassicLocaleOrdersByByteValueCapitalsFirst) {
  std::vector<SearchResult> rows =
      Rows({"http://b.example/", "http://a.example/", "http://B.example/", "http://A.example/"});
  SortByUrl(rows, std::locale::classic());
  EXPECT_EQ(UrlsOf(rows), (std::vector<std::string>{"http://A.example/", "http://B.example/",
                                                    "http://a.example/", "http://b.example/"}));
}

TEST(SortByUrlTest, FollowsTheCollationOfTheLocaleGiven) {
  std::vector<SearchResult> rows =
      Rows({"http://b.example/", "http://A.example/", "http://a.example/", "http://B.example/"});
  SortByUrl(rows, std::locale(std::locale::classic(), new DictionaryCollate));
  // Case-sensitive: "a" and "A" are not equal, so their order is fixed by the collation and
  // not by where they stood.
  EXPECT_EQ(UrlsOf(rows), (std::vector<std::string>{"http://a.example/", "http://A.example/",
                                                    "http://b.example/", "http://B.example/"}));
}

TEST(SortByUrlTest, EqualAddressesKeepTheirOrderAndTheirFiles) {
  std::vector<SearchResult> rows = Rows({"http://z/", "http://same/", "http://same/", "http://a/"});
  SortByUrl(rows, std::locale::classic());
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].ArchiveFile, "file3");
  EXPECT_EQ(rows[1].ArchiveFile, "file1");
  EXPECT_EQ(rows[2].ArchiveFile, "file2");
  EXPECT_EQ(rows[3].ArchiveFile, "file0");
}

TEST(SortByUrlTest, BytesAbove127SortAfterAscii) {
  std::vector<SearchResult> rows = Rows({"http://\xE9t\xE9/", "http://zz/"});
  SortByUrl(rows, std::locale::classic());
  EXPECT_EQ(rows[0].Url, "http://zz/");
}

}  // namespace
}  // namespace pagehold
