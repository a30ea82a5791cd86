#include "iecache/SampleIeCache.h"

#include "iecache/SampleFiles.h"

namespace pagehold::testgen {

namespace {

IeCacheEntry Entry(std::string url, int folder, std::string fileName, std::string body,
                   std::string headers, int day, int hour, int minute) {
  IeCacheEntry entry;
  entry.url = std::move(url);
  entry.folderIndex = folder;
  entry.fileName = std::move(fileName);
  entry.body = std::move(body);
  entry.headers = std::move(headers);
  entry.lastAccess = MakeFileTime(2003, 5, day, hour, minute, 12, 340);
  entry.lastModified = MakeFileTime(2003, 4, 28, 8, 0, 0);
  entry.lastSync = MakeFat(MakeFileTime(2003, 5, day, hour, minute, 14));
  entry.expiry = MakeFat(MakeFileTime(2003, 6, day, hour, 0, 0));
  return entry;
}

std::string Page(const std::string& title, const std::string& body) {
  return "<html>\r\n<head><title>" + title + "</title></head>\r\n<body>\r\n" + body +
         "\r\n</body>\r\n</html>\r\n";
}

std::string Headers(const std::string& type, const std::string& body) {
  return HttpHeaders({"Content-Type: " + type, "Content-Length: " + std::to_string(body.size())});
}

}  // namespace

IeCache SampleIeCache() {
  IeCache cache;
  cache.folders = {"K3D9F2QA", "M7PX41ZB", "R2T8W6HC", "V5N0J3LD"};
  std::vector<IeCacheEntry>& e = cache.entries;

  const std::string index = Page(
      "The Example Garden",
      "<h1>The Example Garden</h1>\r\n"
      "<p><a href=\"roses.htm\">Our roses</a> | <a href=\"/lilies.htm\">Lilies</a></p>\r\n"
      "<p><img src=\"images/rose.gif\" width=\"120\" height=\"80\" alt=\"A rose\"></p>\r\n"
      "<p><img src=\"http://img.example-garden.test/photos/bed.jpg\" alt=\"The rose bed\"></p>\r\n"
      "<p><a href=\"docs/planting-guide.pdf\">Planting guide (PDF)</a> | "
      "<a href=\"downloads/seeds.zip\">Seed list (zip)</a></p>\r\n"
      "<p>Friends: <a href=\"http://www.example-orchard.test:8080/apples.htm\">the "
      "orchard</a></p>");
  e.push_back(Entry("http://www.example-garden.test/", 0, "index[1].htm", index,
                    Headers("text/html", index), 12, 9, 30));

  const std::string roses =
      Page("Roses of the Example Garden",
           "<h1>Roses</h1>\r\n<p>Climbing and shrub roses, pruned in March.</p>\r\n"
           "<p><img src=\"/images/rose.gif\"></p>\r\n<p><a href=\"/\">Back to the garden</a></p>");
  e.push_back(Entry("http://www.example-garden.test/roses.htm", 1, "roses[1].htm", roses,
                    Headers("text/html", roses), 12, 9, 31));

  const std::string gif = GifImage(120, 80);
  e.push_back(Entry("http://www.example-garden.test/images/rose.gif", 2, "rose[1].gif", gif,
                    Headers("image/gif", gif), 12, 9, 30));

  const std::string jpeg = JpegImage(64, 48);
  e.push_back(Entry("http://img.example-garden.test/photos/bed.jpg", 3, "bed[1].jpg", jpeg,
                    Headers("image/jpeg", jpeg), 12, 9, 30));

  const std::string pdf = PdfDocument("Planting guide of the Example Garden");
  e.push_back(Entry("http://www.example-garden.test/docs/planting-guide.pdf", 0,
                    "planting-guide[1].pdf", pdf, Headers("application/pdf", pdf), 14, 17, 5));

  const std::string zip =
      ZipArchive("seeds.txt", "Sweet pea\r\nMarigold\r\nSunflower\r\nCornflower\r\n");
  e.push_back(Entry("http://www.example-garden.test/downloads/seeds.zip", 1, "seeds[1].zip", zip,
                    Headers("application/zip", zip), 14, 17, 6));

  const std::string apples =
      Page("Apples of the Example Orchard",
           "<h1>Apples</h1>\r\n<p>Twelve kinds, picked from September.</p>\r\n"
           "<p><a href=\"notes.txt\">Picking notes</a> | "
           "<a href=\"http://www.example-garden.test/\">our friends' garden</a></p>");
  e.push_back(Entry("http://www.example-orchard.test:8080/apples.htm", 2, "apples[1].htm", apples,
                    Headers("text/html; charset=ISO-8859-1", apples), 15, 20, 45));

  // A header block without a content type: the reader takes the page for HTML.
  const std::string notes = "Picking notes\r\nStart with the early kinds.\r\n";
  e.push_back(Entry("http://www.example-orchard.test:8080/notes.txt", 3, "notes[1].txt", notes,
                    HttpHeaders({"Content-Length: " + std::to_string(notes.size())}), 15, 20, 46));

  // A cookie lies in the cache folder itself and names no web resource.
  IeCacheEntry cookie =
      Entry("Cookie:visitor@example-garden.test/", kInCacheFolder, "visitor@example-garden[1].txt",
            "session\n4f2a\nexample-garden.test/\n1024\n", "", 12, 9, 30);
  cookie.entryType = 0x00100001;
  e.push_back(cookie);

  // A visited-page entry has no file and no header text.
  IeCacheEntry visited =
      Entry("Visited: visitor@http://www.example-garden.test/roses.htm", 0, "", "", "", 12, 9, 31);
  visited.body.reset();
  visited.entryType = 0x00200001;
  e.push_back(visited);

  // The cache still lists this page, but its file was removed from disk.
  const std::string lilies = Page("Lilies", "<h1>Lilies</h1>");
  IeCacheEntry missing = Entry("http://www.example-garden.test/lilies.htm", 3, "lilies[1].htm",
                               lilies, Headers("text/html", lilies), 13, 11, 2);
  missing.body.reset();
  e.push_back(missing);
  return cache;
}

}  // namespace pagehold::testgen
