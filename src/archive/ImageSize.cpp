#include "archive/ImageSize.h"

#include <array>
#include <cstdint>
#include <fstream>

namespace pagehold {

namespace {

// Every header look-at reads this many bytes: enough for the GIF screen size, the JFIF
// identifier, and a segment's marker, length and (for a frame header) precision and size.
constexpr int kHeadLength = 11;

using Head = std::array<std::uint8_t, kHeadLength>;

// Reads up to 11 bytes into head; returns how many came.
int ReadHead(std::istream& in, Head& head) {
  in.read(reinterpret_cast<char*>(head.data()), kHeadLength);
  const auto count = static_cast<int>(in.gcount());
  for (int i = count; i < kHeadLength; ++i)
    head[i] = 0;
  return count;
}

bool IsGif(const Head& b) {
  return b[0] == 'G' && b[1] == 'I' && b[2] == 'F';
}

// Start of image, then an APP0 segment whose identifier is "JFIF" and a zero byte.
bool IsJfif(const Head& b) {
  return b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF && b[3] == 0xE0 && b[6] == 'J' &&
         b[7] == 'F' && b[8] == 'I' && b[9] == 'F' && b[10] == 0;
}

// The frame header markers: every SOFn except DHT (C4), JPG (C8) and DAC (CC).
bool IsStartOfFrame(std::uint8_t marker) {
  return (marker >= 0xC0 && marker <= 0xC3) || (marker >= 0xC5 && marker <= 0xCB) ||
         (marker >= 0xCD && marker <= 0xCF);
}

// A segment is FF, marker, a big-endian length that counts itself and the body. Having read 11
// bytes from the segment's length field on (APP0: from offset 4, 7 bytes into it) or from its
// marker (later segments: 9 bytes into it), the rest of the segment is skipped without reading.
std::optional<ImageSize> FollowJfifSegments(std::istream& in, const Head& first) {
  Head b = first;
  long skip = 256L * b[4] + b[5] - 7;
  for (;;) {
    if (!in.seekg(skip, std::ios::cur))
      return std::nullopt;
    const int count = ReadHead(in, b);
    // Marker, length, precision, height and width take the first nine bytes.
    if (count >= 9 && b[0] == 0xFF && IsStartOfFrame(b[1]))
      return ImageSize{256 * b[7] + b[8], 256 * b[5] + b[6]};
    skip = 256L * b[2] + b[3] - 9;
    if (skip < 1 || count < kHeadLength)
      return std::nullopt;
  }
}

}  // namespace

std::optional<ImageSize> ReadImageSize(std::istream& image) {
  Head b;
  if (ReadHead(image, b) < kHeadLength)
    return std::nullopt;
  // The GIF logical screen size, little-endian after the six signature and version bytes.
  if (IsGif(b))
    return ImageSize{b[6] + 256 * b[7], b[8] + 256 * b[9]};
  if (IsJfif(b))
    return FollowJfifSegments(image, b);
  return std::nullopt;
}

std::optional<ImageSize> ReadImageSize(const std::string& path) {
  // No test of the path first: a missing file does not open, and a folder opens but reads
  // nothing, which is no picture either.
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return std::nullopt;
  try {
    return ReadImageSize(in);
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace pagehold
