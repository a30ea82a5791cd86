// Deleting every item of a generated IE cache of 50,000 entries with `pagehold delete --ie`,
// against the least any deletion costs: listing the cache's files and unlinking each of them.
// Each iteration writes the cache afresh for each of the two (not timed), then times them one
// after the other; the ratio of their sums is reported as the counter "ratio", beside the
// seconds of each.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "ProcessRun.h"
#include "iecache/SyntheticIeCache.h"

namespace {

using namespace pagehold;

constexpr std::size_t kEntries = 50000;

std::string BenchFolder() {
  return (std::filesystem::temp_directory_path() /
          ("pagehold-ie-delete-bench-" + std::to_string(::getpid())))
      .string();
}

// The floor: one listing of the cache folder and its sub-folders, one unlink per cached file.
std::size_t ListAndUnlink(const std::string& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    if (entry.is_regular_file() && entry.path().filename() != "index.dat")
      files.push_back(entry.path());
  for (const auto& file : files)
    std::filesystem::remove(file);
  return files.size();
}

std::size_t FilesLeft(const std::string& folder) {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    count += entry.is_regular_file() ? 1 : 0;
  return count;
}

// A fresh cache, its files on disk before the clock runs, so that neither measurement pays
// for writing back what the other's set-up wrote.
void WriteFresh(const std::string& folder, const testgen::IeCache& cache) {
  std::filesystem::remove_all(folder);
  testgen::WriteIeCache(folder, cache);
  ::sync();
}

void BM_DeleteEveryItemRatio(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  const testgen::IeCache cache = testgen::SyntheticIeCache(kEntries);
  const std::string folder = BenchFolder();
  double deleteSeconds = 0, floorSeconds = 0;
  std::size_t left = 0;
  for (auto _ : state) {
    state.PauseTiming();
    WriteFresh(folder, cache);
    state.ResumeTiming();
    deleteSeconds += bench::RunSeconds({PAGEHOLD_PROGRAM, "delete", "--ie", folder, "--yes"});
    state.PauseTiming();
    left = FilesLeft(folder);  // index.dat only
    WriteFresh(folder, cache);
    state.ResumeTiming();
    const auto start = Clock::now();
    benchmark::DoNotOptimize(ListAndUnlink(folder));
    floorSeconds += std::chrono::duration<double>(Clock::now() - start).count();
  }
  std::error_code error;
  std::filesystem::remove_all(folder, error);
  state.counters["items"] = static_cast<double>(kEntries);
  state.counters["files_left"] = static_cast<double>(left);
  state.counters["delete_s"] = deleteSeconds / static_cast<double>(state.iterations());
  state.counters["floor_s"] = floorSeconds / static_cast<double>(state.iterations());
  state.counters["ratio"] = floorSeconds > 0 ? deleteSeconds / floorSeconds : 0;
}

BENCHMARK(BM_DeleteEveryItemRatio)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
