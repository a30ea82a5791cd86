// make_nav_cache: writes Navigator cache folders (index file and cached files) through the
// original hash library, for the bundled sample, tests and benchmarks.
//
//   make_nav_cache sample FOLDER
//   make_nav_cache synthetic FOLDER [--entries N] [--page-size 4096|16384] [--seed S]
//                                   [--text] [--upper-case-files]
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "navcache/NavCacheWriter.h"
#include "navcache/NavSample.h"

namespace {

int Usage() {
  std::cerr << "usage: make_nav_cache sample FOLDER\n"
               "       make_nav_cache synthetic FOLDER [--entries N] [--page-size 4096|16384]\n"
               "                      [--seed S] [--text] [--upper-case-files]\n";
  return 2;
}

int WriteSynthetic(const std::string& folder, int argc, char** argv) {
  size_t count = 1000;
  unsigned pageSize = 4096;
  bool text = false;
  pagehold::testgen::SyntheticOptions options;
  for (int i = 3; i < argc; ++i) {
    const std::string option = argv[i];
    const bool hasValue = i + 1 < argc;
    if (option == "--entries" && hasValue)
      count = std::strtoul(argv[++i], nullptr, 10);
    else if (option == "--page-size" && hasValue)
      pageSize = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    else if (option == "--seed" && hasValue)
      options.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
    else if (option == "--text")
      text = true;
    else if (option == "--upper-case-files")
      options.upperCaseDiskNames = true;
    else
      return Usage();
  }
  const auto entries = pagehold::testgen::SyntheticEntries(count, options);
  std::filesystem::create_directories(folder);
  const std::string index = (std::filesystem::path(folder) / "fat.db").string();
  if (text) {
    pagehold::testgen::WriteTextIndex(index, entries);
  } else {
    pagehold::testgen::PagedIndexOptions paged;
    paged.table.pageSize = pageSize;
    pagehold::testgen::WritePagedIndex(index, entries, paged);
  }
  pagehold::testgen::WriteCachedFiles(folder, entries);
  std::cout << index << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3)
    return Usage();
  const std::string command = argv[1];
  const std::string folder = argv[2];
  try {
    if (command == "sample") {
      pagehold::testgen::WriteSampleCache(folder);
      std::cout << (std::filesystem::path(folder) / "fat.db").string() << "\n";
      return 0;
    }
    if (command == "synthetic")
      return WriteSynthetic(folder, argc, argv);
  } catch (const std::exception& error) {
    std::cerr << "make_nav_cache: " << error.what() << "\n";
    return 1;
  }
  return Usage();
}
