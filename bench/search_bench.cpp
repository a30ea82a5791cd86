// Searching an archive of 100,000 records by address and by page text, against the least any
// search costs: one pass over archive.dat plus one existence test per record. Each "Ratio"
// benchmark runs both side by side in every iteration and reports search time / floor time as
// the counter "ratio". BM_SearchCommandAgainstGrep runs `pagehold search --text` on an archive
// of 30,000 records beside `grep -rlF` of the same text over the same folder, both as whole
// programs, and reports the quotient of their wall times as "ratio" (processor time:
// "ratio_cpu").
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ProcessRun.h"
#include "SilentInteraction.h"
#include "cache/CacheItem.h"
#include "cache/MimeTable.h"
#include "platform/Files.h"
#include "platform/Interaction.h"
#include "platform/Paths.h"
#include "search/ArchiveSearch.h"

namespace {

using namespace pagehold;

constexpr int kRecords = 100000;
constexpr int kGrepRecords = 30000;
constexpr int kDomains = 100;

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file)
    return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// Page text of 500 to 4000 bytes, so that pages take one or two 2048-byte blocks; one page in
// 97 holds the word searched for near its end.
std::string PageText(int i) {
  static const char* const words[] = {"harbour ", "tide ", "lantern ", "keel ", "<p>", "mast "};
  const size_t size = 500 + static_cast<size_t>(i) * 37 % 3500;
  std::string page = "<HTML><TITLE>Page " + std::to_string(i) + "</TITLE><BODY>";
  for (int w = 0; page.size() < size; ++w)
    page += words[(i + w) % 6];
  if (i % 97 == 0)
    page.replace(page.size() - 40, 8, "Shipyard");
  return page + "</BODY></HTML>";
}

// An archive folder of count records over 100 domains: six in ten HTML pages, then GIF, JPEG
// and PDF files; one record in 50 has lost its archived copy.
struct GeneratedArchive {
  explicit GeneratedArchive(int count) {
    folder = WithTrailingSeparator(
        (std::filesystem::temp_directory_path() /
         ("pagehold-search-bench-" + std::to_string(::getpid()) + "-" + std::to_string(count)))
            .string());
    programFolder = JoinPath(folder, "program");
    std::filesystem::create_directories(programFolder);
    TMimeTable mimeTable(programFolder);
    const int rows[10] = {1, 1, 1, 1, 1, 1, 2, 2, 3, 67};
    std::string records;
    for (int i = 0; i < count; ++i) {
      const std::string domain = "site" + std::to_string(i % kDomains) + ".example";
      TCacheItem item;
      item.MimeIndex = rows[i % 10];
      item.ContentKind = item.MimeIndex == 1 ? Text : Media;
      item.Date = 45000 + i / 1000.0;
      item.Url = "http://" + domain + ":80/section" + std::to_string(i % 7) + "/item" +
                 std::to_string(i) + (item.MimeIndex == 1 ? ".html" : ".bin");
      item.FileName = "item" + std::to_string(i) + (item.MimeIndex == 1 ? ".htm" : ".dat");
      WriteRecord(item, records);

      const std::string typeFolder =
          JoinPath(JoinPath(folder, domain), mimeTable.MimeTypeFolder(item.MimeIndex));
      const std::string copy = JoinPath(typeFolder, item.FileName);
      copies.push_back(copy);
      if (i % 50 == 0)
        continue;
      std::filesystem::create_directories(typeFolder);
      WriteBytes(copy, item.MimeIndex == 1 ? PageText(i) : std::string(64, 'b'));
    }
    WriteBytes(JoinPath(folder, "archive.dat"), records);
  }
  ~GeneratedArchive() {
    std::error_code error;
    std::filesystem::remove_all(folder, error);
  }

  std::string folder, programFolder;
  std::vector<std::string> copies;  // the archived copy of every record, in record order
};

// Each archive is made the first time a benchmark asks for it.
GeneratedArchive& Archive(int count = kRecords) {
  if (count == kGrepRecords) {
    static GeneratedArchive small(kGrepRecords);
    return small;
  }
  static GeneratedArchive large(kRecords);
  return large;
}

// The floor: archive.dat read whole and parsed record by record, and every archived copy tested
// once.
size_t PlainReadAndExistenceTests(const GeneratedArchive& archive) {
  const std::string bytes = ReadWholeFile(JoinPath(archive.folder, "archive.dat")).value();
  TCacheItem record;
  size_t present = 0;
  std::size_t offset = 0;
  for (size_t i = 0;; ++i) {
    const RecordParse parse = ParseRecord(bytes, offset, record);
    if (parse.outcome != RecordParse::Whole)
      break;
    offset += parse.size;
    present += i < archive.copies.size() && FileExists(archive.copies[i]) ? 1 : 0;
  }
  return present;
}

int Search(const GeneratedArchive& archive, const TMimeTable& mimeTable, const char* urlPattern,
           const char* textPattern) {
  bench::SilentInteraction ui;
  int rows = 0;
  SearchArchive({archive.folder, urlPattern, textPattern}, mimeTable, ui,
                [&rows](SearchResult) { ++rows; });
  return rows;
}

void RunRatio(benchmark::State& state, const char* urlPattern, const char* textPattern) {
  using Clock = std::chrono::steady_clock;
  const GeneratedArchive& archive = Archive();
  const TMimeTable mimeTable(archive.programFolder);
  double plainSeconds = 0, searchSeconds = 0;
  int rows = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    benchmark::DoNotOptimize(PlainReadAndExistenceTests(archive));
    const auto middle = Clock::now();
    rows = Search(archive, mimeTable, urlPattern, textPattern);
    const auto end = Clock::now();
    plainSeconds += std::chrono::duration<double>(middle - start).count();
    searchSeconds += std::chrono::duration<double>(end - middle).count();
  }
  state.counters["rows"] = rows;
  state.counters["ratio"] = plainSeconds > 0 ? searchSeconds / plainSeconds : 0;
}

void BM_PlainReadAndExistenceTests(benchmark::State& state) {
  const GeneratedArchive& archive = Archive();
  for (auto _ : state)
    benchmark::DoNotOptimize(PlainReadAndExistenceTests(archive));
}

// One domain in a hundred.
void BM_SearchByAddressRatio(benchmark::State& state) {
  RunRatio(state, "SITE42.example", "");
}

// Every address matches, so every record's copy is tested, as in the floor.
void BM_SearchEveryAddressRatio(benchmark::State& state) {
  RunRatio(state, "http://", "");
}

// Every page is read until its first hit or its end.
void BM_SearchByTextRatio(benchmark::State& state) {
  RunRatio(state, "", "SHIPYARD");
}

// Both patterns: only the pages of one section are read.
void BM_SearchByAddressAndTextRatio(benchmark::State& state) {
  RunRatio(state, "/section3/", "shipyard");
}

// The whole command against grep, alternately, on data both have read before.
void BM_SearchCommandAgainstGrep(benchmark::State& state) {
  const GeneratedArchive& archive = Archive(kGrepRecords);
  const std::string text = "Shipyard";  // as the pages spell it, so that grep finds the same
  bench::RunCost search, grep;
  bench::RunAndMeasure({"grep", "-rlF", text, archive.folder});
  for (auto _ : state) {
    grep += bench::RunAndMeasure({"grep", "-rlF", text, archive.folder});
    search += bench::RunAndMeasure({PAGEHOLD_PROGRAM, "search", archive.folder, "--text", text});
  }
  const auto quotient = [](double a, double b) { return b > 0 ? a / b : 0; };
  const double runs = static_cast<double>(state.iterations());
  state.counters["items"] = kGrepRecords;
  state.counters["search_s"] = search.wallSeconds / runs;
  state.counters["grep_s"] = grep.wallSeconds / runs;
  state.counters["ratio"] = quotient(search.wallSeconds, grep.wallSeconds);
  state.counters["ratio_cpu"] = quotient(search.cpuSeconds, grep.cpuSeconds);
}

BENCHMARK(BM_PlainReadAndExistenceTests)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchByAddressRatio)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SearchEveryAddressRatio)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SearchByTextRatio)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SearchByAddressAndTextRatio)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SearchCommandAgainstGrep)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
