// `pagehold list --ie` on a generated index.dat of 50,000 entries, against msiecfexport (an
// independent reader of the same file) exporting it: both run as whole programs, alternately,
// with their output thrown away; the ratio of their sums is reported as the counter "ratio".
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "ProcessRun.h"
#include "iecache/SyntheticIeCache.h"

namespace {

using namespace pagehold;

constexpr std::size_t kEntries = 50000;

struct GeneratedCache {
  GeneratedCache()
      : folder((std::filesystem::temp_directory_path() /
                ("pagehold-ie-list-bench-" + std::to_string(::getpid())))
                   .string()) {
    testgen::WriteIeCache(folder, testgen::SyntheticIeCache(kEntries));
  }
  ~GeneratedCache() {
    std::error_code error;
    std::filesystem::remove_all(folder, error);
  }
  std::string folder;
};

void BM_ListAgainstExportRatio(benchmark::State& state) {
  const GeneratedCache cache;
  const std::string index = (std::filesystem::path(cache.folder) / "index.dat").string();
  double listSeconds = 0, exportSeconds = 0;
  try {
    bench::RunSeconds({"msiecfexport", "-h"});
  } catch (const std::exception&) {
    state.SkipWithError("msiecfexport is not installed (package libmsiecf-utils)");
    return;
  }
  for (auto _ : state) {
    listSeconds += bench::RunSeconds({PAGEHOLD_PROGRAM, "list", "--ie", cache.folder});
    exportSeconds += bench::RunSeconds({"msiecfexport", index});
  }
  state.counters["items"] = static_cast<double>(kEntries);
  state.counters["list_s"] = listSeconds / static_cast<double>(state.iterations());
  state.counters["export_s"] = exportSeconds / static_cast<double>(state.iterations());
  state.counters["ratio"] = exportSeconds > 0 ? listSeconds / exportSeconds : 0;
}

BENCHMARK(BM_ListAgainstExportRatio)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
