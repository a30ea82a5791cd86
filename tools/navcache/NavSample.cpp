#include "navcache/NavSample.h"

#include <filesystem>

#include "iecache/SampleFiles.h"
#include "navcache/NavCacheWriter.h"

namespace pagehold::testgen {

namespace {

// 1998-06-15 09:30:00 UTC; the entries are visited a few minutes apart from there.
constexpr std::int32_t kFirstVisit = 897903000;

std::string Page(const std::string& title, const std::string& body) {
  return "<HTML>\r\n<HEAD>\r\n<TITLE>" + title + "</TITLE>\r\n</HEAD>\r\n<BODY>\r\n<H1>" + title +
         "</H1>\r\n" + body + "</BODY>\r\n</HTML>\r\n";
}

NavCacheEntry Entry(const std::string& url, const std::string& fileName, const std::string& type,
                    std::string body) {
  NavCacheEntry entry;
  entry.url = url;
  entry.fileName = fileName;
  entry.contentType = type;
  entry.body = std::move(body);
  return entry;
}

}  // namespace

std::vector<NavCacheEntry> SampleEntries() {
  const std::string garden = "http://www.example-garden.test";
  const std::string bikes = "http://www.example-bikes.test";
  std::vector<NavCacheEntry> entries;
  entries.push_back(
      Entry(garden + "/index.html", "M0G1A2B3.HTM", "text/html",
            Page("Example Garden",
                 "<P>Welcome to our garden. Read about <A HREF=\"roses.html\">roses</A> or the "
                 "<A HREF=\"docs/guide.pdf\">planting guide</A>.</P>\r\n"
                 "<IMG SRC=\"images/rose.gif\" WIDTH=120 HEIGHT=80 ALT=\"A rose\">\r\n"
                 "<IMG SRC=\"/images/tulip.jpg\" ALT=\"Tulips\">\r\n"
                 "<P><A HREF=\"files/seeds.zip\">Seed list</A> and <A HREF=\"notes.txt\">notes</A>."
                 "</P>\r\n<P>Friends: <A HREF=\"http://www.example-bikes.test/\">Example Bikes</A>"
                 "</P>\r\n")));
  entries.push_back(
      Entry(garden + "/roses.html", "M0G1A2B4.HTM", "text/html",
            Page("Roses",
                 "<P>Roses like sun. <A HREF=\"index.html\">Back home</A>.</P>\r\n"
                 "<IMG SRC=\"images/rose.gif\">\r\n"
                 "<P>See also <A HREF=\"climbing.html\">climbing roses</A>.</P>\r\n")));
  entries.push_back(
      Entry(garden + "/images/rose.gif", "M0G1A2B5.GIF", "image/gif", GifImage(120, 80)));
  entries.push_back(
      Entry(garden + "/images/tulip.jpg", "M0G1A2B6.JPG", "image/jpeg", JpegImage(160, 120)));
  entries.push_back(Entry(garden + "/docs/guide.pdf", "M0G1A2B7.PDF", "application/pdf",
                          PdfDocument("Planting guide of the Example Garden")));
  entries.push_back(Entry(garden + "/files/seeds.zip", "M0G1A2B8.ZIP", "application/zip",
                          ZipArchive("seeds.txt", "Sunflower\r\nMarigold\r\nPoppy\r\n")));
  entries.push_back(Entry(garden + "/notes.txt", "M0G1A2B9.TXT", "text/plain",
                          "Water the roses every morning.\r\nCut the tulips in May.\r\n"));
  NavCacheEntry missing = Entry(garden + "/climbing.html", "M0G1A2BA.HTM", "text/html",
                                Page("Climbing roses", "<P>Gone from the cache.</P>\r\n"));
  missing.writeFile = false;
  entries.push_back(missing);

  entries.push_back(
      Entry(bikes + "/", "M0B7C8D1.HTM", "text/html",
            Page("Example Bikes",
                 "<P>Our <A HREF=\"tour.html\">summer tour</A> starts soon.</P>\r\n"
                 "<IMG SRC=\"img/bike.gif\" ALT=\"A bike\">\r\n"
                 "<P>Flowers on the way: <A HREF=\"http://www.example-garden.test/index.html\">"
                 "Example Garden</A></P>\r\n")));
  entries.push_back(Entry(bikes + "/tour.html", "M0B7C8D2.HTM", "text/html",
                          Page("Summer tour",
                               "<P>The trail: <IMG SRC=\"img/trail.jpg\"></P>\r\n"
                               "<P><A HREF=\"/\">Back</A></P>\r\n")));
  entries.push_back(Entry(bikes + "/img/bike.gif", "M0B7C8D3.GIF", "image/gif", GifImage(64, 48)));
  entries.push_back(
      Entry(bikes + "/img/trail.jpg", "M0B7C8D4.JPG", "image/jpeg", JpegImage(200, 150)));
  entries.push_back(Entry("http://www.example-bikes.test:8080/status.html", "M0B7C8D5.HTM",
                          "text/html", Page("Server status", "<P>All wheels turning.</P>\r\n")));

  NavCacheEntry secure = Entry("https://shop.example-garden.test/cart.html", "M0S1E2C3.HTM",
                               "text/html", Page("Your cart", "<P>Two packets of seeds.</P>\r\n"));
  secure.cipher = "RC4-MD5";
  secure.certificate = std::string(420, '\x30');
  entries.push_back(secure);
  entries.push_back(Entry("ftp://ftp.example-garden.test/pub/readme.txt", "M0F1T2P3.TXT",
                          "text/plain", "Files for gardeners.\r\n"));
  for (size_t visit = 0; visit < entries.size(); ++visit) {
    entries[visit].lastAccessed = kFirstVisit + 300 * static_cast<std::int32_t>(visit);
    entries[visit].lastModified = entries[visit].lastAccessed - 86400 * 20;
  }
  return entries;
}

void WriteSampleCache(const std::string& folder) {
  std::filesystem::create_directories(folder);
  const std::vector<NavCacheEntry> entries = SampleEntries();
  PagedIndexOptions options;
  options.table.pageSize = 4096;
  WritePagedIndex((std::filesystem::path(folder) / "fat.db").string(), entries, options);
  WriteCachedFiles(folder, entries);
}

}  // namespace pagehold::testgen
