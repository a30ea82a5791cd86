// pagehold-ie: the desktop program over Internet Explorer caches.
#include "gui/DesktopProgram.h"

int main(int argc, char** argv) {
  return pagehold::RunDesktopProgram(argc, argv, pagehold::Product::InternetExplorer);
}
