#include "search/ResultIcon.h"

namespace pagehold {

ResultIcon ResultIconOf(std::string_view mimeTypeName) {
  const std::string_view head = mimeTypeName.substr(0, 5);
  if (head == "text/")
    return ResultIcon::Text;
  if (head == "image")
    return ResultIcon::Image;
  if (head == "audio")
    return ResultIcon::Audio;
  if (head == "video")
    return ResultIcon::Video;
  return ResultIcon::Other;
}

}  // namespace pagehold
