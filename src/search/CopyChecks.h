// Looking at many archived copies at once: which of them are there, or which pages hold a text.
//
// Reading pages is nearly all of a text search's time, and nearly all of that is the system
// opening and reading files, which it does for several threads at once. So the copies are
// shared out among the processor cores, each thread with its own scanner.
#pragma once

#include <string>
#include <vector>

#include "platform/FileScan.h"

namespace pagehold {

class PageTextFinder;

class CopyChecker {
 public:
  // With a finder, a copy passes when it is a page that holds the finder's text; without one,
  // when it exists.
  explicit CopyChecker(const PageTextFinder* text);

  // One answer per path, in the order of paths: 1 when the copy passes, 0 when not.
  std::vector<char> Check(const std::vector<std::string>& paths);

 private:
  bool Passes(const std::string& path, FileScanner& files) const;

  const PageTextFinder* text_;
  std::vector<FileScanner> scanners_;  // one per thread, kept so that their folders stay open
};

}  // namespace pagehold
