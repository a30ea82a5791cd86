// make_ie_cache: writes IE cache folders (index.dat, its sub-folders and the cached files).
//
//   make_ie_cache FOLDER                                    the bundled sample
//   make_ie_cache synthetic FOLDER [--entries N] [--seed S] a generated cache of N entries
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "iecache/SampleIeCache.h"
#include "iecache/SyntheticIeCache.h"

namespace {

int Usage() {
  std::cerr << "usage: make_ie_cache FOLDER\n"
               "       make_ie_cache synthetic FOLDER [--entries N] [--seed S]\n";
  return 2;
}

int WriteSynthetic(const std::string& folder, int argc, char** argv) {
  std::size_t count = 1000;
  pagehold::testgen::SyntheticIeOptions options;
  for (int i = 3; i < argc; ++i) {
    const std::string option = argv[i];
    const bool hasValue = i + 1 < argc;
    if (option == "--entries" && hasValue)
      count = std::strtoul(argv[++i], nullptr, 10);
    else if (option == "--seed" && hasValue)
      options.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
    else
      return Usage();
  }
  pagehold::testgen::WriteIeCache(folder, pagehold::testgen::SyntheticIeCache(count, options));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  // A folder name that starts like an option ("--help") is taken for one.
  if (argc < 2 || (first == "synthetic" && argc < 3) || (first != "synthetic" && argc != 2) ||
      first.starts_with("-"))
    return Usage();
  try {
    if (first == "synthetic")
      return WriteSynthetic(argv[2], argc, argv);
    pagehold::testgen::WriteIeCache(first, pagehold::testgen::SampleIeCache());
  } catch (const std::exception& error) {
    std::cerr << "make_ie_cache: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
