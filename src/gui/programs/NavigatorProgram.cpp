// pagehold-nav: the desktop program over Navigator caches.
#include "gui/DesktopProgram.h"

int main(int argc, char** argv) {
  return pagehold::RunDesktopProgram(argc, argv, pagehold::Product::Navigator);
}
