#include "archive/Thumbnail.h"

#include <cmath>
#include <cstdint>

namespace pagehold {

namespace {

// Pictures up to this area keep their size; larger ones are brought down to about this area.
constexpr int kTargetArea = 5000;
// No side of a thumbnail is longer than this.
constexpr int kLongestSide = 150;

// number * numerator / denominator with a 64-bit product, rounded to the nearest integer with
// halves away from zero.
int MulDiv(int number, int numerator, int denominator) {
  const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  const std::int64_t magnitude =
      ((product < 0 ? -product : product) * 2 + std::llabs(denominator)) /
      (2 * std::llabs(denominator));
  const bool negative = (product < 0) != (denominator < 0);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace

ImageSize ScaleThumbnail(ImageSize original) {
  int width = original.width;
  int height = original.height;
  // The area is a 32-bit product: sizes read from 16-bit header fields can wrap it, in which
  // case the picture is only capped at the longest side below.
  const auto area = static_cast<std::int32_t>(static_cast<std::uint32_t>(width) *
                                              static_cast<std::uint32_t>(height));
  if (area > kTargetArea) {
    // The factor is a 32-bit float; the divisions truncate toward zero.
    const float factor = static_cast<float>(std::sqrt(area * (1.0 / kTargetArea)));
    width = static_cast<int>(width / static_cast<double>(factor));
    height = static_cast<int>(height / static_cast<double>(factor));
  }
  const int longest = width > height ? width : height;
  if (longest > kLongestSide) {
    height = MulDiv(height, kLongestSide, longest);
    width = MulDiv(width, kLongestSide, longest);
  }
  return {width, height};
}

std::optional<Thumbnail> ThumbnailSize(const std::string& path) {
  const std::optional<ImageSize> original = ReadImageSize(path);
  if (!original)
    return std::nullopt;
  return Thumbnail{ScaleThumbnail(*original), *original};
}

}  // namespace pagehold
