// Reading a Navigator cache index of 100,000 entries, against the least any reading costs: one
// pass over the index file in pages plus one existence test per entry. The ratio of the two,
// measured side by side in the same run, is reported as the counter "ratio".
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "SilentInteraction.h"
#include "navcache/NavCacheWriter.h"
#include "platform/Paths.h"
#include "sources/NavigatorIndex.h"

namespace {

using namespace pagehold;

// A generated cache folder that lives as long as the benchmark program.
struct GeneratedCache {
  GeneratedCache() {
    folder = (std::filesystem::temp_directory_path() /
              ("pagehold-nav-bench-" + std::to_string(::getpid())))
                 .string();
    std::filesystem::create_directories(folder);
    programFolder = JoinPath(folder, "program");
    std::filesystem::create_directories(programFolder);
    testgen::SyntheticOptions options;
    options.awkward = false;
    options.bodyBytes = 16;
    entries = testgen::SyntheticEntries(100000, options);
    indexPath = JoinPath(folder, "fat.db");
    testgen::WritePagedIndex(indexPath, entries, {});
    testgen::WriteCachedFiles(folder, entries);
    for (const auto& entry : entries)
      cachedFiles.push_back(JoinPath(folder, entry.fileName));
  }
  ~GeneratedCache() {
    std::error_code error;
    std::filesystem::remove_all(folder, error);
  }

  std::string folder, programFolder, indexPath;
  std::vector<testgen::NavCacheEntry> entries;
  std::vector<std::string> cachedFiles;
};

GeneratedCache& Cache() {
  static GeneratedCache cache;
  return cache;
}

// The floor: every page of the index read once, every cached file tested once.
size_t PlainReadAndExistenceTests(const GeneratedCache& cache) {
  std::FILE* file = std::fopen(cache.indexPath.c_str(), "rb");
  std::vector<char> page(4096);
  size_t bytes = 0;
  size_t got;
  while ((got = std::fread(page.data(), 1, page.size(), file)) > 0)
    bytes += got;
  std::fclose(file);
  size_t present = 0;
  for (const std::string& path : cache.cachedFiles)
    present += FileExists(path) ? 1 : 0;
  benchmark::DoNotOptimize(bytes);
  return present;
}

size_t ReadIndex(const GeneratedCache& cache, TMimeTable& mimeTable) {
  CacheList list;
  bench::SilentInteraction ui;
  NavigatorIndexReader reader(mimeTable, list, ui);
  reader.ReadCacheIndex(cache.indexPath);
  return list.size();
}

void BM_PlainReadAndExistenceTests(benchmark::State& state) {
  const GeneratedCache& cache = Cache();
  for (auto _ : state)
    benchmark::DoNotOptimize(PlainReadAndExistenceTests(cache));
}

void BM_ReadCacheIndex(benchmark::State& state) {
  const GeneratedCache& cache = Cache();
  TMimeTable mimeTable(cache.programFolder);
  size_t items = 0;
  for (auto _ : state)
    items = ReadIndex(cache, mimeTable);
  state.counters["items"] = static_cast<double>(items);
}

// Both in each iteration, alternating, so that they see the same machine state.
void BM_ReadCacheIndexRatio(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  const GeneratedCache& cache = Cache();
  TMimeTable mimeTable(cache.programFolder);
  double plainSeconds = 0, readSeconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    benchmark::DoNotOptimize(PlainReadAndExistenceTests(cache));
    const auto middle = Clock::now();
    benchmark::DoNotOptimize(ReadIndex(cache, mimeTable));
    const auto end = Clock::now();
    plainSeconds += std::chrono::duration<double>(middle - start).count();
    readSeconds += std::chrono::duration<double>(end - middle).count();
  }
  state.counters["ratio"] = plainSeconds > 0 ? readSeconds / plainSeconds : 0;
}

BENCHMARK(BM_PlainReadAndExistenceTests)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCacheIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCacheIndexRatio)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
