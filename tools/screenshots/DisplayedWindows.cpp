// Kept apart from the rest of the driver: the X library's headers define names (Status, None)
// that headers included after them would meet.
#include "WindowDriver.h"

#include <X11/Xlib.h>
#include <gdk/gdkx.h>

namespace pagehold::driver {

std::vector<std::string> DisplayedWindowTitles() {
  std::vector<std::string> titles;
  GdkDisplay* gdkDisplay = gdk_display_get_default();
  if (gdkDisplay == nullptr || !GDK_IS_X11_DISPLAY(gdkDisplay))
    return titles;
  Display* display = gdk_x11_display_get_xdisplay(gdkDisplay);
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0)
    return titles;
  for (unsigned i = 0; i < count; ++i) {
    XWindowAttributes attributes;
    char* name = nullptr;
    if (XGetWindowAttributes(display, children[i], &attributes) != 0 &&
        attributes.map_state == IsViewable && XFetchName(display, children[i], &name) != 0 &&
        name != nullptr) {
      titles.emplace_back(name);
      XFree(name);
    }
  }
  if (children != nullptr)
    XFree(children);
  return titles;
}

}  // namespace pagehold::driver
