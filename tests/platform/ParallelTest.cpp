#include "platform/Parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace pagehold {
namespace {

TEST(RunOnCoresTest, EveryIndexRunsOnceOnAWorkerOfItsOwn) {
  for (const std::size_t count : {0u, 1u, 7u, 1000u}) {
    std::vector<std::atomic<int>> runs(count);
    std::atomic<bool> workerInRange{true};
    RunOnCores(count, 3, [&](std::size_t index, std::size_t worker) {
      ++runs[index];
      if (worker >= 3)
        workerInRange = false;
    });
    for (std::size_t i = 0; i < count; ++i)
      EXPECT_EQ(runs[i], 1) << count << " / " << i;
    EXPECT_TRUE(workerInRange);
  }
}

TEST(RunOnCoresTest, AFailedStepIsThrownAgainOnTheCallingThread) {
  EXPECT_THROW(RunOnCores(10000, 2,
                          [](std::size_t index, std::size_t) {
                            if (index == 50)
                              throw std::runtime_error("step failed");
                          }),
               std::runtime_error);
}

}  // namespace
}  // namespace pagehold
