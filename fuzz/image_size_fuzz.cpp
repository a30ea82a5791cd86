// The picture size readers (GIF screen size, JFIF frame header) over any picture bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>

#include "FuzzCheck.h"
#include "archive/ImageSize.h"

using namespace pagehold;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream image(std::string(reinterpret_cast<const char*>(data), size));
  const std::optional<ImageSize> found = ReadImageSize(image);
  if (!found)
    return 0;
  // Both formats store each dimension in 16 bits.
  FUZZ_CHECK(found->width >= 0 && found->width <= 65535);
  FUZZ_CHECK(found->height >= 0 && found->height <= 65535);
  FUZZ_CHECK(size >= 11);
  return 0;
}
