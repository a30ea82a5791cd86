#include <iostream>

#include "cli/Commands.h"

int main(int argc, char** argv) {
  return pagehold::RunPagehold(pagehold::Arguments(argv + 1, argv + argc), std::cout, std::cerr);
}
