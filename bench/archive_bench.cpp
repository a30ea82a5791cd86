// The archive run over a generated cache (pages of about fifty links each, GIF and JPEG pictures,
// zip and PDF files, spread over fifty hosts), against the least any archiving costs: `cp -r` of
// the same cached files, which lie in one folder per host. Reported counters, each in processor
// time (user and system, which a loaded machine does not stretch) and in wall time:
//   ratio   archive run / plain copy, both measured side by side (20,000 items)
//   growth  run for 20,000 items / run for 5,000 items (4 is linear)
// Beside them: the processor seconds of each side (baseline_cpu_s, measured_cpu_s) and of the
// run's three phases (naming, archiving, indexing with the save). The run includes naming, link
// rewriting, merging, the index pages and archive.dat.
//
// Every run and every copy writes into a folder that nothing has used before, and nothing is
// deleted until the program ends: a file system hands out new entries slowly right after many
// were deleted, which would measure the benchmark's cleaning and not the run. Dirty pages are
// written back before each measurement, so that no measurement pays for the one before.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ProcessRun.h"
#include "archive/ArchiveRun.h"
#include "cache/Url.h"
#include "platform/Paths.h"

namespace {

using namespace pagehold;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kHosts = 50;
constexpr int kLinksPerPage = 50;

// Answers every question with Yes and notes when each status line of the run was shown, which
// splits the run into its phases (naming, archiving, indexing and saving).
class PhaseClock : public Interaction {
 public:
  MessageAnswer Ask(const Message&) override { return MessageAnswer::Yes; }
  void ShowStatus(const std::string&) override { marks.push_back(std::clock()); }
  void ShowProgress(int) override {}
  void ProcessPendingEvents() override {}
  bool CancelRequested() const override { return false; }

  std::vector<std::clock_t> marks;  // processor time, which the machine's load does not stretch
};

std::string Host(int number) {
  return "www.site" + std::to_string(number) + ".test";
}

// A GIF or JPEG header that the thumbnail page can read a size from, padded to a picture's size.
std::string Picture(bool gif, std::mt19937& random) {
  std::string bytes;
  if (gif) {
    bytes = std::string("GIF89a") + '\x40' + '\0' + '\x30' + '\0';
  } else {
    bytes = std::string("\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 20);
    bytes += std::string("\xff\xc0\x00\x11\x08\x00\x30\x00\x40\x03", 10);
  }
  while (bytes.size() < 2048)
    bytes += static_cast<char>(random() & 0xff);
  return bytes;
}

// A cache of count items and its cached files, alive as long as the object.
struct GeneratedCache {
  explicit GeneratedCache(int count) {
    folder = (fs::temp_directory_path() / ("pagehold-archive-bench-" + std::to_string(::getpid()) +
                                           "-" + std::to_string(count)))
                 .string();
    for (int host = 0; host < kHosts; ++host)
      fs::create_directories(JoinPath(CacheFolder(), Host(host)));
    fs::create_directories(JoinPath(folder, "program"));
    fs::create_directories(JoinPath(folder, "runs"));
    std::mt19937 random(static_cast<unsigned>(count));
    MakeItems(count);
    WriteFiles(random);
  }
  ~GeneratedCache() {
    std::error_code error;
    fs::remove_all(folder, error);
  }

  void MakeItems(int count) {
    for (int i = 0; i < count; ++i) {
      const int host = i % kHosts;
      std::string path;
      int mimeIndex = 0;
      switch (i % 10) {
        case 0:
        case 1:
        case 2:
        case 3:
          // Some folders of a site each have their index page: names that collide.
          path = i % 40 == 0
                     ? "/sec" + std::to_string(i / 400) + "/index.html"
                     : "/sec" + std::to_string(i % 37) + "/page" + std::to_string(i) + ".html";
          mimeIndex = 1;
          break;
        case 4:
        case 5:
        case 6:
          path = "/img/pic" + std::to_string(i) + (i % 2 == 0 ? ".gif" : ".jpg");
          mimeIndex = i % 2 == 0 ? 2 : 3;
          break;
        case 7:
          path = "/img/photo" + std::to_string(i) + ".jpeg";
          mimeIndex = 3;
          break;
        default:
          path = "/files/file" + std::to_string(i) + (i % 2 == 0 ? ".zip" : ".pdf");
          mimeIndex = i % 2 == 0 ? 44 : 67;
          break;
      }
      auto item = std::make_unique<TCacheItem>();
      item->Url = CanonicalItemUrl(Host(host), 80, path);
      item->Domain = Host(host);
      item->MimeIndex = mimeIndex;
      item->ContentKind = mimeIndex == 1 ? Text : (mimeIndex <= 3 ? Media : Other);
      item->Date = 36000 + i / 100.0;
      item->CacheFile = JoinPath(JoinPath(CacheFolder(), item->Domain), "C" + std::to_string(i));
      list.push_back(std::move(item));
    }
  }

  // Pages link to pages and pictures of their own site (absolute and relative paths), to other
  // sites, and to things that were never cached.
  std::string Page(int index, std::mt19937& random) const {
    std::string page = "<HTML><HEAD><TITLE>Page " + std::to_string(index) +
                       "</TITLE></HEAD>\r\n<BODY BGCOLOR=white>\r\n";
    for (int link = 0; link < kLinksPerPage; ++link) {
      const TCacheItem& target = *list[random() % list.size()];
      std::string rest = target.Url;
      HostFromKey(rest);
      PortFromRest(rest);
      switch (link % 5) {
        case 0:
          page += "<IMG SRC=\"" + rest + "\" ALT=\"picture " + std::to_string(link) + "\">\r\n";
          break;
        case 1:
          page += "<P>See <A HREF=\"" + NormalizeUrl(target.Url, UrlForm::Link) +
                  "\">elsewhere</A> for more.</P>\r\n";
          break;
        case 2:
          page += "<A HREF=\"/never/cached" + std::to_string(link) + ".html#x\">gone</A>\r\n";
          break;
        default:
          page += "<LI><A HREF=\"" + rest + "\">item " + std::to_string(link) + "</A>\r\n";
          break;
      }
    }
    return page + "<!-- generated page -->\r\n</BODY></HTML>\r\n";
  }

  void WriteFiles(std::mt19937& random) {
    for (std::size_t i = 0; i < list.size(); ++i) {
      const TCacheItem& item = *list[i];
      std::string bytes;
      if (item.MimeIndex == 1)
        bytes = Page(static_cast<int>(i), random);
      else if (item.MimeIndex <= 3)
        bytes = Picture(item.MimeIndex == 2, random);
      else
        bytes.assign(4096, static_cast<char>('a' + i % 26));
      std::FILE* file = std::fopen(item.CacheFile.c_str(), "wb");
      std::fwrite(bytes.data(), 1, bytes.size(), file);
      std::fclose(file);
    }
  }

  std::string CacheFolder() const { return JoinPath(folder, "cache"); }

  // A folder path inside the cache's folder that no run has used.
  std::string NewRunFolder(const char* what) {
    return JoinPath(JoinPath(folder, "runs"), std::to_string(++runs) + "-" + what);
  }

  ItemRefs Selection() const {
    ItemRefs refs;
    for (const auto& item : list)
      refs.push_back(item.get());
    return refs;
  }

  std::string folder;
  CacheList list;
  int runs = 0;
};

GeneratedCache& Cache(int count) {
  static GeneratedCache small(5000);
  static GeneratedCache large(20000);
  return count == 5000 ? small : large;
}

using bench::RunCost;

// The floor: `cp -r` of the cache folder, whose folders are the hosts, into a new folder.
RunCost PlainCopy(GeneratedCache& cache) {
  const std::string target = cache.NewRunFolder("copy");
  ::sync();
  return bench::RunAndMeasure({"cp", "-r", cache.CacheFolder(), target});
}

// One archive run into a new, empty archive folder. phases, when given, receives the seconds of
// the run's phases in processor time: naming, archiving, indexing with the save.
RunCost ArchiveRun(GeneratedCache& cache, std::vector<double>* phases = nullptr) {
  const std::string archive = cache.NewRunFolder("archive");
  fs::create_directories(archive);
  AppContext context(Product::Navigator, WithTrailingSeparator(JoinPath(cache.folder, "program")));
  context.settings.EmphasizeLinks = true;
  PhaseClock ui;
  ArchiveRunOptions options;
  options.askToOpenIndex = false;
  const ItemRefs selection = cache.Selection();
  ::sync();
  const double startCpu = bench::OwnCpuSeconds();
  const auto start = Clock::now();
  const ArchiveRunReport report =
      pagehold::ArchiveRun(context, ui, archive, options).Run(selection);
  const auto end = Clock::now();
  const double endCpu = bench::OwnCpuSeconds();
  benchmark::DoNotOptimize(report.archivedItems);
  // The statuses: "Creating unique filenames...", "Archiving files...", then the index build's.
  const std::clock_t phasesEnd = std::clock();
  const auto between = [](std::clock_t from, std::clock_t to) {
    return static_cast<double>(to - from) / CLOCKS_PER_SEC;
  };
  if (phases != nullptr && ui.marks.size() >= 3) {
    *phases = {between(ui.marks[0], ui.marks[1]), between(ui.marks[1], ui.marks[2]),
               between(ui.marks[2], phasesEnd)};
  }
  return {std::chrono::duration<double>(end - start).count(), endCpu - startCpu};
}

// Measures a baseline and the measured job one after the other in each iteration, so that both
// see the same machine state, and reports the quotients of their totals as name + "_cpu" and
// name + "_wall".
template <typename Baseline, typename Measured>
void SideBySide(benchmark::State& state, const std::string& name, Baseline baseline,
                Measured measured) {
  RunCost baselineTotal, measuredTotal;
  for (auto _ : state) {
    baselineTotal += baseline();
    const RunCost cost = measured();
    measuredTotal += cost;
    state.SetIterationTime(cost.wallSeconds);
  }
  const auto quotient = [](double a, double b) { return b > 0 ? a / b : 0; };
  const auto average = [&](double total) {
    return benchmark::Counter(total, benchmark::Counter::kAvgIterations);
  };
  state.counters[name + "_cpu"] = quotient(measuredTotal.cpuSeconds, baselineTotal.cpuSeconds);
  state.counters[name + "_wall"] = quotient(measuredTotal.wallSeconds, baselineTotal.wallSeconds);
  state.counters["baseline_cpu_s"] = average(baselineTotal.cpuSeconds);
  state.counters["measured_cpu_s"] = average(measuredTotal.cpuSeconds);
}

void BM_ArchiveRunRatioToPlainCopy(benchmark::State& state) {
  GeneratedCache& cache = Cache(20000);
  std::vector<double> phases(3, 0.0);
  SideBySide(
      state, "ratio", [&] { return PlainCopy(cache); },
      [&] {
        std::vector<double> run;
        const RunCost cost = ArchiveRun(cache, &run);
        for (std::size_t i = 0; i < run.size(); ++i)
          phases[i] += run[i];
        return cost;
      });
  state.counters["items"] = static_cast<double>(cache.list.size());
  const char* names[] = {"naming_cpu_s", "archiving_cpu_s", "indexing_cpu_s"};
  for (std::size_t i = 0; i < phases.size(); ++i)
    state.counters[names[i]] = benchmark::Counter(phases[i], benchmark::Counter::kAvgIterations);
}

void BM_ArchiveRunGrowth(benchmark::State& state) {
  SideBySide(
      state, "growth", [] { return ArchiveRun(Cache(5000)); },
      [] { return ArchiveRun(Cache(20000)); });
}

BENCHMARK(BM_ArchiveRunRatioToPlainCopy)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArchiveRunGrowth)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
