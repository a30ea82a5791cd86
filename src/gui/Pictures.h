// The pictures of the windows, drawn as SVG files in the data folder's "images" folder and loaded
// as bundles, so that they stay sharp at any screen scale; and the program's pointing hand.
#pragma once

#include <wx/bmpbndl.h>
#include <wx/cursor.h>

#include <string>
#include <string_view>

namespace pagehold {

// dataFolder + "images/" + name + ".svg" at its default size (in pixels at scale 1). An empty
// bundle when the file is missing or cannot be read.
wxBitmapBundle LoadPicture(const std::string& dataFolder, std::string_view name,
                           const wxSize& size);

// The 32 by 32 pointing hand with its hot spot at the fingertip; the system's hand when the
// picture is missing.
wxCursor PointingHandCursor(const std::string& dataFolder);

}  // namespace pagehold
