#include "search/CopyChecks.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

#include "platform/Paths.h"
#include "search/TextBlockSearch.h"

namespace pagehold {

namespace {

constexpr unsigned kMostThreads = 4;
// Fewer copies than this are not worth starting a thread for.
constexpr std::size_t kCopiesPerThread = 64;
// Copies a thread takes at a time, so that threads rarely write answers side by side.
constexpr std::size_t kShare = 16;

unsigned ThreadsToUse() {
  return std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
}

}  // namespace

CopyChecker::CopyChecker(const PageTextFinder* text) : text_(text), scanners_(ThreadsToUse()) {}

bool CopyChecker::Passes(const std::string& path, FileScanner& files) const {
  // A copy whose text is searched is opened anyway, which tells whether it is there.
  return text_ != nullptr ? text_->InFile(path, files) : FileExists(path);
}

std::vector<char> CopyChecker::Check(const std::vector<std::string>& paths) {
  std::vector<char> passed(paths.size(), 0);
  std::atomic<std::size_t> next{0};
  const auto work = [&](FileScanner& files) {
    for (std::size_t start; (start = next.fetch_add(kShare)) < paths.size();) {
      const std::size_t end = std::min(start + kShare, paths.size());
      for (std::size_t i = start; i < end; ++i)
        passed[i] = Passes(paths[i], files) ? 1 : 0;
    }
  };
  const std::size_t threads =
      std::clamp<std::size_t>(paths.size() / kCopiesPerThread, 1, scanners_.size());
  std::vector<std::thread> helpers;
  for (std::size_t t = 1; t < threads; ++t)
    helpers.emplace_back(work, std::ref(scanners_[t]));
  work(scanners_[0]);
  for (std::thread& helper : helpers)
    helper.join();
  return passed;
}

}  // namespace pagehold
