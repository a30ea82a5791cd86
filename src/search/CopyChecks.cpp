#include "search/CopyChecks.h"

#include <algorithm>

#include "platform/Parallel.h"
#include "platform/Paths.h"
#include "search/TextBlockSearch.h"

namespace pagehold {

// Fewer copies than this a thread are not worth starting it for.
constexpr std::size_t kCopiesPerThread = 64;

CopyChecker::CopyChecker(const PageTextFinder* text) : text_(text), scanners_(CoresToUse()) {}

bool CopyChecker::Passes(const std::string& path, FileScanner& files) const {
  // A copy whose text is searched is opened anyway, which tells whether it is there.
  return text_ != nullptr ? text_->InFile(path, files) : FileExists(path);
}

std::vector<char> CopyChecker::Check(const std::vector<std::string>& paths) {
  std::vector<char> passed(paths.size(), 0);
  const std::size_t threads =
      std::clamp<std::size_t>(paths.size() / kCopiesPerThread, 1, scanners_.size());
  RunOnCores(paths.size(), threads, [&](std::size_t index, std::size_t worker) {
    passed[index] = Passes(paths[index], scanners_[worker]) ? 1 : 0;
  });
  return passed;
}

}  // namespace pagehold
