#include "archive/ImageSize.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "archive/ArchiveFile.h"
#include "archive/Thumbnail.h"
#include "platform/Paths.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

std::string Gif(int width, int height) {
  std::string bytes = "GIF89a";
  bytes += static_cast<char>(width & 0xFF);
  bytes += static_cast<char>(width >> 8);
  bytes += static_cast<char>(height & 0xFF);
  bytes += static_cast<char>(height >> 8);
  bytes += std::string("\xF7\x00\x00", 3);
  return bytes;
}

// One JPEG segment: FF, marker, a big-endian length counting itself and the body, the body.
std::string Segment(unsigned char marker, const std::string& body) {
  const std::size_t length = body.size() + 2;
  std::string bytes = {'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8),
                       static_cast<char>(length & 0xFF)};
  return bytes + body;
}

const std::string kStartOfImage("\xFF\xD8", 2);
const std::string kJfif =
    Segment(0xE0, std::string("JFIF\0\x01\x01\x00\x00\x01\x00\x01\x00\x00", 14));
const std::string kExif = Segment(0xE1, std::string("Exif\0\0MM\0\x2A", 10));

std::string Frame(unsigned char marker, int width, int height) {
  std::string body = {'\x08',
                      static_cast<char>(height >> 8),
                      static_cast<char>(height & 0xFF),
                      static_cast<char>(width >> 8),
                      static_cast<char>(width & 0xFF),
                      '\x01'};
  body += std::string("\x01\x11\x00", 3);
  return Segment(marker, body);
}

std::optional<ImageSize> SizeOf(const std::string& bytes) {
  std::istringstream in(bytes);
  return ReadImageSize(in);
}

TEST(ImageSizeTest, ReadsTheHeadersItKnows) {
  const std::string tables = Segment(0xDB, std::string(65, '\x01')) +
                             Segment(0xC4, std::string(30, '\x02')) + Segment(0xFE, "made here");
  struct Case {
    const char* what;
    std::string bytes;
    std::optional<ImageSize> expected;
  } cases[] = {
      {"GIF screen size, little-endian", Gif(40, 30), ImageSize{40, 30}},
      {"GIF beyond 255", Gif(640, 480), ImageSize{640, 480}},
      {"GIF87a reads the same", "GIF87a" + Gif(7, 9).substr(6), ImageSize{7, 9}},
      {"GIF cut short of 11 bytes", Gif(40, 30).substr(0, 10), std::nullopt},
      {"JFIF then the frame header", kStartOfImage + kJfif + Frame(0xC0, 300, 200),
       ImageSize{300, 200}},
      {"JFIF, tables, Huffman tables and a comment, then the frame",
       kStartOfImage + kJfif + tables + Frame(0xC0, 1024, 768), ImageSize{1024, 768}},
      {"progressive frame", kStartOfImage + kJfif + tables + Frame(0xC2, 17, 5000),
       ImageSize{17, 5000}},
      {"Exif JPEG has no JFIF segment", kStartOfImage + kExif + Frame(0xC0, 300, 200),
       std::nullopt},
      {"JFIF that ends before any frame", kStartOfImage + kJfif + tables, std::nullopt},
      {"JFIF whose next segment is cut", kStartOfImage + kJfif + tables.substr(0, 5), std::nullopt},
      {"PNG", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16), std::nullopt},
      {"empty", "", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(SizeOf(c.bytes), c.expected);
  }
}

TEST(ImageSizeTest, ReadsFilesAndFailsQuietlyWithoutOne) {
  testing::TempFolder folder;
  const std::string gif = folder.Child("a.gif");
  testing::WriteFile(gif, Gif(120, 90));
  EXPECT_EQ(ReadImageSize(gif), (ImageSize{120, 90}));
  EXPECT_EQ(ReadImageSize(folder.Child("missing.gif")), std::nullopt);
  EXPECT_EQ(ReadImageSize(folder.path()), std::nullopt);  // a folder is no picture
  const auto thumbnail = ThumbnailSize(gif);
  ASSERT_TRUE(thumbnail);
  EXPECT_EQ(thumbnail->original, (ImageSize{120, 90}));
  EXPECT_EQ(thumbnail->shown, (ImageSize{81, 61}));
  EXPECT_FALSE(ThumbnailSize(folder.Child("missing.gif")));
}

TEST(ThumbnailTest, ScalesToAboutFiveThousandSquarePixelsAndCapsTheLongSide) {
  struct Case {
    ImageSize original, shown;
  } cases[] = {
      {{40, 30}, {40, 30}},
      {{100, 50}, {100, 50}},
      {{640, 480}, {81, 61}},
      {{120, 90}, {81, 61}},
      {{100, 100}, {70, 70}},
      {{71, 71}, {70, 70}},
      {{70, 71}, {70, 71}},
      {{468, 60}, {150, 19}},
      {{1000, 10}, {150, 1}},
      {{5000, 1}, {150, 0}},
      {{1, 6000}, {0, 150}},
      {{0, 0}, {0, 0}},
      {{150, 33}, {150, 33}},
      {{151, 33}, {150, 33}},
      {{200, 2}, {150, 2}},
      // 65535 squared wraps the 32-bit area to a negative number: only the cap applies.
      {{65535, 65535}, {150, 150}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.original.width) + "x" + std::to_string(c.original.height));
    EXPECT_EQ(ScaleThumbnail(c.original), c.shown);
  }
}

// The size the pages give a picture; nothing for pictures shown at their own size.
std::optional<ImageSize> SizeInThePages(const std::string& name) {
  static const std::map<std::string, ImageSize> sizes = {
      {"Pagehold", {275, 70}}, {"CorvaneLogo", {197, 74}}, {"folder", {38, 18}},
      {"lfolder", {38, 18}},   {"text", {20, 18}},         {"image", {20, 18}},
      {"audio", {20, 18}},     {"video", {20, 18}},        {"other", {20, 18}}};
  const auto found = sizes.find(name);
  return found == sizes.end() ? std::nullopt : std::optional<ImageSize>(found->second);
}

// The pictures that the build places beside the programs are real GIFs at the sizes the pages
// expect, named as the pages name them.
TEST(IndexPicturesTest, EveryPictureIsAGifOfTheExpectedSize) {
  const std::string folder = JoinPath(JoinPath(testing::SourceDir(), "data"), "images");
  ASSERT_EQ(IndexImageNames().size(), 28u);
  for (const std::string& name : IndexImageNames()) {
    SCOPED_TRACE(name);
    const std::string path = JoinPath(folder, name + ".gif");
    const auto size = ReadImageSize(path);
    ASSERT_TRUE(size);
    const std::string bytes = testing::ReadFile(path);
    EXPECT_EQ(bytes.back(), ';');  // the GIF trailer
    if (const auto expected = SizeInThePages(name)) {
      EXPECT_EQ(*size, *expected);
    }
  }
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    files += entry.path().extension() == ".gif";
  EXPECT_EQ(files, IndexImageNames().size());
}

}  // namespace
}  // namespace pagehold
