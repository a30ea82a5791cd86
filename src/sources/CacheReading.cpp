#include "sources/CacheReading.h"

namespace pagehold {

namespace {

constexpr std::array<const char*, kSkipReasonCount> kSkipReasonNames = {
    "not an HTTP resource",   // NotHttp
    "no cached file",         // NoCachedFile
    "unsafe file name",       // UnsafeName
    "link out of the cache",  // LinkOutside
    "the cache's own file",   // CacheOwnFile
    "damaged record",         // DamagedRecord
};

std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string DescribeReading(const ReadingReport& report) {
  if (report.Failed())
    return report.reason;
  std::string text = "read " + Counted(report.entriesRead, "entry", "entries") + ", kept " +
                     Counted(report.itemsKept, "item", "items");
  const std::size_t skipped = report.entriesRead - report.itemsKept;
  if (skipped > 0) {
    text += ", skipped " + std::to_string(skipped) + " (";
    bool first = true;
    for (std::size_t i = 0; i < kSkipReasonCount; ++i) {
      if (report.skipped[i] == 0)
        continue;
      text += (first ? "" : ", ") + std::string(kSkipReasonNames[i]) + ": " +
              std::to_string(report.skipped[i]);
      first = false;
    }
    text += ")";
  }
  if (report.damagedPages > 0)
    text += "; " + Counted(report.damagedPages, "damaged index page", "damaged index pages");
  if (report.endedEarly) {
    text += "; the index ends early, at byte " + std::to_string(report.endedEarly->at);
    if (report.endedEarly->expected > report.endedEarly->at)
      text += " of " + std::to_string(report.endedEarly->expected);
  }
  if (report.outcome == ReadingOutcome::Stopped)
    text += "; stopped before the end";
  return text;
}

void NoteMimeTableState(TMimeTable& mimeTable, ReadingReport& report) {
  for (std::string& notice : mimeTable.TakeNotices())
    report.mimeTableNotices.push_back(std::move(notice));
}

}  // namespace pagehold
