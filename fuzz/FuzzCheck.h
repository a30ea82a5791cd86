// What the fuzz targets share: a rule check that ends the run as a finding, so that libFuzzer
// keeps the input that broke the rule exactly as it keeps one that crashed, and the test for
// upper-case letters that several rules use.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(rule)                                                           \
  do {                                                                             \
    if (!(rule)) {                                                                 \
      std::fprintf(stderr, "%s:%d: rule broken: %s\n", __FILE__, __LINE__, #rule); \
      std::abort();                                                                \
    }                                                                              \
  } while (false)

inline bool HoldsUpperCase(const std::string& text) {
  return text.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos;
}
