// Reading a Navigator cache index file into the cache list.
//
// Two formats are read: the paged index of Navigator 2 to 4 ("Fat.db", see
// NavigatorIndexPage.h) and the older text index (see NavigatorTextIndex.h). A file that is
// neither (no hash file signature, no text index header) is refused. Each entry becomes a
// TCacheItem; entries that name no HTTP resource, no usable cached file, or the index itself
// are dropped and counted in the reading's report. Entries are not merged: the same URL read
// twice gives two items, in file order. The reader never writes to the index or the cached
// files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cache/CacheItem.h"
#include "cache/MimeTable.h"
#include "platform/EventPacer.h"
#include "platform/Interaction.h"
#include "sources/CacheReading.h"
#include "sources/CachedFileCheck.h"
#include "sources/NavigatorFileLookup.h"

namespace pagehold {

// The message shown when the index cannot be opened, typically because the browser holds it.
Message CloseBrowserMessage();

// Days since 1899-12-30 (local time) of a cache time in seconds since 1970. A time before
// 1 January 1990 (0 included: the text index's "not a number") cannot be a real visit and
// gives 5000 days before now; a time in the future gives now; every other time is kept.
double CacheTimeToDate(std::int32_t seconds, double now);
double CacheTimeToDate(std::int32_t seconds);

// The page size of a paged index from its first 8192 bytes (fewer when the file is shorter):
// 4096 when two 4096-byte records could be read and any of the first 51 bytes of the second is
// nonzero, else 16384.
int ProbePageSize(std::string_view firstBytes);

// Why a file is not a Navigator cache index, judged from its first bytes and its size; nothing
// when it is one (a text index, or a hash file long enough to hold its header).
std::optional<std::string> NavigatorIndexRefusal(std::string_view firstBytes,
                                                 std::uint64_t fileSize);

// Judges the file as a reading does before it reads any entry, without a message: nothing when
// it is a Navigator cache index, else the reading's one-line reason (it cannot be opened, or is
// not a Navigator cache index).
std::optional<std::string> NavigatorIndexFileRefusal(const std::string& indexPath);

class NavigatorIndexReader {
 public:
  NavigatorIndexReader(TMimeTable& mimeTable, CacheList& list, Interaction& ui);

  // Reads the index at indexPath, appends its entries to the list and reports the reading.
  // Unopened (after the message) when the index cannot be opened; Refused when it is not a
  // Navigator cache index; Stopped when ui asked to stop. Progress is shown through ui.
  ReadingReport ReadCacheIndex(const std::string& indexPath);

  // Builds one item from the raw fields of an entry and appends it, or drops it (no HTTP host,
  // no usable cache file name, cached file missing, leading out of the cache folder, or the
  // index itself) and counts why. url: up to 255 characters; cacheFileName relative to the
  // cache folder; contentType lower-cased, up to 50 characters.
  void AddCacheEntry(std::string url, std::string_view cacheFileName, std::string_view contentType,
                     std::int32_t time);

  // The report of the pass so far.
  const ReadingReport& Report() const { return report_; }

  // The folder the cached files lie in (with its trailing separator) and the index file name,
  // as split at the start of the last pass. Setting the folder starts a fresh file lookup.
  const std::string& CacheFolder() const { return cacheFolder_; }
  const std::string& IndexFileName() const { return indexFileName_; }
  void SetCacheFolder(std::string folder);

  // The moment that entry times are clamped against; taken at the start of each pass.
  void SetNow(double now) { now_ = now; }

 private:
  void ReadPages(const std::string& indexPath, int pageSize, std::string_view firstBytes,
                 std::uint64_t fileSize);
  void ReadTextLines(const std::string& indexPath);
  // Lets pending events run (eventsDue: now, else when the pacer says so); false when the
  // person asked to stop.
  bool KeepGoing(bool eventsDue);
  void ShowProgress(std::uint64_t done, std::uint64_t total);

  TMimeTable& mimeTable_;
  CacheList& list_;
  Interaction& ui_;
  EventPacer pacer_;
  std::string cacheFolder_;
  std::string indexFileName_;
  std::optional<CachedFileLookup> files_;
  std::optional<CachedFileCheck> check_;
  ReadingReport report_;
  int shownPercent_ = -1;
  double now_;
};

}  // namespace pagehold
