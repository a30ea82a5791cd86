// What one reading of a browser cache gives back: the items, and a report of what was read,
// what was left out and why, where the index file ended early, and whether the file was
// refused as not being a cache index at all. The report travels with the items, so that the
// command line and the windows can both say what happened without asking anyone else.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cache/CacheItem.h"
#include "cache/MimeTable.h"

namespace pagehold {

// Why an entry of the index did not become an item.
enum class SkipReason {
  NotHttp,        // the entry names no HTTP resource (a cookie, a visited page, another scheme)
  NoCachedFile,   // the entry names no cached file, or its file is gone
  UnsafeName,     // the cached file's name would lead out of the cache folder
  LinkOutside,    // the cached file or its folder is a symbolic link out of the cache folder
  CacheOwnFile,   // the entry names the index itself or another file the cache keeps for itself
  DamagedRecord,  // the entry's record could not be read
};
inline constexpr std::size_t kSkipReasonCount = 6;

enum class ReadingOutcome {
  Read,      // the index was read (perhaps in part: see the report's damage)
  Stopped,   // the person stopped the reading; the items read so far are kept
  Unopened,  // the index could not be opened
  Refused,   // the file is not a cache index of the kind asked for
};

// Where an index file ended before its own structure said it would.
struct EarlyEnd {
  std::uint64_t at = 0;        // the file's size: the byte where reading ran out
  std::uint64_t expected = 0;  // the size the structure called for (0: not known)
};

struct ReadingReport {
  ReadingOutcome outcome = ReadingOutcome::Read;
  std::string reason;  // Unopened and Refused: one line that says why

  std::size_t entriesRead = 0;  // entries found in the index, kept or not
  std::size_t itemsKept = 0;
  std::array<std::size_t, kSkipReasonCount> skipped{};
  std::size_t damagedPages = 0;  // index pages whose entries could not all be read
  std::optional<EarlyEnd> endedEarly;

  // Said once per run of the program: types met in this reading that MIMETYPE.DAT could not
  // keep for the next run, or that could get no row of the MIME table of their own.
  std::vector<std::string> mimeTableNotices;

  // Counts one entry that did not become an item.
  void Skip(SkipReason reason) {
    ++entriesRead;
    ++skipped[static_cast<std::size_t>(reason)];
  }
  // Counts one entry that became an item.
  void Keep() {
    ++entriesRead;
    ++itemsKept;
  }
  std::size_t Skipped(SkipReason reason) const { return skipped[static_cast<std::size_t>(reason)]; }
  bool Failed() const {
    return outcome == ReadingOutcome::Unopened || outcome == ReadingOutcome::Refused;
  }
  // True when part of the index could not be read: it ended early, or pages or records in it
  // are damaged.
  bool Partial() const {
    return endedEarly.has_value() || damagedPages > 0 || Skipped(SkipReason::DamagedRecord) > 0;
  }
};

struct CacheReading {
  CacheList items;  // in reading order, duplicates not merged
  ReadingReport report;
};

// One line for the person: what was read, what was kept, each reason for leaving entries out
// with its count, and where the index ended early or was damaged. For a refused or unopened
// index, the reason.
std::string DescribeReading(const ReadingReport& report);

// Takes the MIME table's notices that this reading is the first to meet.
void NoteMimeTableState(TMimeTable& mimeTable, ReadingReport& report);

}  // namespace pagehold
