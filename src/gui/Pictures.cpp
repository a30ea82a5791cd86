#include "gui/Pictures.h"

#include <wx/image.h>

#include "gui/WxText.h"
#include "platform/Paths.h"

namespace pagehold {

namespace {

// The fingertip of hand.svg.
constexpr int kHandHotSpotX = 11;
constexpr int kHandHotSpotY = 1;

std::string PicturePath(const std::string& dataFolder, std::string_view name) {
  return JoinPath(JoinPath(dataFolder, "images"), std::string(name) + ".svg");
}

}  // namespace

wxBitmapBundle LoadPicture(const std::string& dataFolder, std::string_view name,
                           const wxSize& size) {
  const std::string path = PicturePath(dataFolder, name);
  if (!FileExists(path))
    return wxBitmapBundle();
  return wxBitmapBundle::FromSVGFile(ToWx(path), size);
}

wxCursor PointingHandCursor(const std::string& dataFolder) {
  const wxBitmapBundle hand = LoadPicture(dataFolder, "hand", wxSize(32, 32));
  if (!hand.IsOk())
    return wxCursor(wxCURSOR_HAND);
  wxImage image = hand.GetBitmap(wxSize(32, 32)).ConvertToImage();
  image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, kHandHotSpotX);
  image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, kHandHotSpotY);
  return wxCursor(image);
}

}  // namespace pagehold
