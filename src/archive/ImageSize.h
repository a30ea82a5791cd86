// Pixel sizes read from the headers of the two image formats the index knows: GIF (the logical
// screen size) and JFIF JPEG (the frame header, found by walking the segments from the JFIF
// segment on).
#pragma once

#include <istream>
#include <optional>
#include <string>

namespace pagehold {

struct ImageSize {
  int width = 0;
  int height = 0;
  bool operator==(const ImageSize&) const = default;
};

// The size from the image data of a stream positioned at its start; nothing for other formats,
// a JPEG that is not JFIF or ends before its frame header, or a short or damaged header.
std::optional<ImageSize> ReadImageSize(std::istream& image);

// The same from a file; nothing when the file is missing or unreadable. Never throws.
std::optional<ImageSize> ReadImageSize(const std::string& path);

}  // namespace pagehold
