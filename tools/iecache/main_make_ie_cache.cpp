// make_ie_cache FOLDER: writes the bundled sample IE cache (index.dat, its sub-folders and the
// cached files) into FOLDER.
#include <exception>
#include <iostream>

#include "iecache/SampleIeCache.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_ie_cache FOLDER\n";
    return 2;
  }
  try {
    pagehold::testgen::WriteIeCache(argv[1], pagehold::testgen::SampleIeCache());
  } catch (const std::exception& error) {
    std::cerr << "make_ie_cache: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
