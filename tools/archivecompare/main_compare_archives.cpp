// compare_archives: tells whether two archive folders made from the same caches hold the same
// archive, apart from dates and path separators.
//
//   compare_archives FIRST SECOND     exit status 0 when the same, 1 when not, 2 on bad usage
#include <exception>
#include <iostream>
#include <string>

#include "archivecompare/ArchiveComparison.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: compare_archives FIRST SECOND\n";
    return 2;
  }
  try {
    const auto differences = pagehold::testgen::CompareArchiveFolders(argv[1], argv[2]);
    for (const std::string& difference : differences)
      std::cout << difference << "\n";
    if (!differences.empty())
      return 1;
    std::cout << "the same archive, apart from dates and path separators: " << argv[1] << " and "
              << argv[2] << "\n";
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "compare_archives: " << error.what() << "\n";
    return 2;
  }
}
