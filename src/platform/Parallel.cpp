#include "platform/Parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace pagehold {

namespace {

// Indexes a thread takes at a time, so that threads rarely work on neighbours.
constexpr std::size_t kShare = 8;

}  // namespace

std::size_t CoresToUse(std::size_t most) {
  return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1,
                                 std::max<std::size_t>(most, 1));
}

void RunOnCores(std::size_t count, std::size_t workers,
                const std::function<void(std::size_t index, std::size_t worker)>& step) {
  std::atomic<std::size_t> next{0};
  std::exception_ptr error;
  std::mutex errorLock;
  const auto work = [&](std::size_t worker) {
    try {
      for (std::size_t start; (start = next.fetch_add(kShare)) < count;) {
        for (std::size_t index = start; index < std::min(start + kShare, count); ++index)
          step(index, worker);
      }
    } catch (...) {
      const std::lock_guard<std::mutex> lock(errorLock);
      if (!error)
        error = std::current_exception();
      next = count;  // the others stop at their next share
    }
  };
  // No more threads than shares of work.
  const std::size_t threads = std::clamp<std::size_t>((count + kShare - 1) / kShare, 1, workers);
  std::vector<std::thread> helpers;
  for (std::size_t worker = 1; worker < threads; ++worker)
    helpers.emplace_back(work, worker);
  work(0);
  for (std::thread& helper : helpers)
    helper.join();
  if (error)
    std::rethrow_exception(error);
}

}  // namespace pagehold
