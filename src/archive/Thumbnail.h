// Display sizes of pictures on the thumbnail page, and the page itself. The page shows the
// archived file and only tells the browser a smaller size: about 5000 square pixels at most, and
// no side longer than 150 pixels.
#pragma once

#include <optional>
#include <string>

#include "archive/ImageSize.h"

namespace pagehold {

struct Thumbnail {
  ImageSize shown;     // the display size put into the page
  ImageSize original;  // the size stored in the file
};

// The display size for a picture of the given size.
ImageSize ScaleThumbnail(ImageSize original);

// ReadImageSize of the file, then ScaleThumbnail; nothing when the size cannot be read.
std::optional<Thumbnail> ThumbnailSize(const std::string& path);

}  // namespace pagehold
