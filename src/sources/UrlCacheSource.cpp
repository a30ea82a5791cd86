#include "sources/UrlCacheSource.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <optional>
#include <thread>

#include "cache/Dates.h"
#include "cache/Text.h"
#include "cache/Url.h"
#include "platform/EventPacer.h"
#include "platform/Files.h"
#include "platform/IndexDatHeader.h"
#include "platform/Paths.h"
#include "platform/UrlCacheIndexDat.h"
#include "platform/UrlCacheTimes.h"

namespace pagehold {

namespace {

// While the cache service starts, the first call fails with ServiceNotActive: it is tried up
// to 20 times, one second apart.
constexpr int kServiceAttempts = 20;
constexpr int kServiceWaitMilliseconds = 1000;

// The URL buffer holds 8192 characters; a longer URL is cut there.
constexpr std::size_t kUrlLimit = 8192;

// The header line is held in 255 characters, of which "content-type: " takes 14.
constexpr std::string_view kContentTypeLabel = "content-type: ";
constexpr std::size_t kContentTypeLimit = 255 - kContentTypeLabel.size();
constexpr std::string_view kDefaultContentType = "text/html";

// Closes an enumeration on every way out of the pass, errors included.
class EnumerationGuard {
 public:
  EnumerationGuard(UrlCache& cache, UrlCacheFindHandle handle) : cache_(cache), handle_(handle) {}
  ~EnumerationGuard() { cache_.FindClose(handle_); }
  EnumerationGuard(const EnumerationGuard&) = delete;
  EnumerationGuard& operator=(const EnumerationGuard&) = delete;

 private:
  UrlCache& cache_;
  UrlCacheFindHandle handle_;
};

// An entry that does not fit the usual buffer would otherwise end the enumeration and hide
// every entry after it; the call is repeated once with the size the cache asks for.
UrlCacheFindHandle FindFirstFitting(UrlCache& cache, UrlCacheEntry& entry) {
  std::uint32_t bufferSize = kDefaultEntryBufferSize;
  UrlCacheFindHandle handle = cache.FindFirstEntry("*.*", entry, bufferSize);
  if (!handle && cache.LastError() == UrlCacheError::InsufficientBuffer)
    handle = cache.FindFirstEntry("*.*", entry, bufferSize);
  return handle;
}

bool FindNextFitting(UrlCache& cache, UrlCacheFindHandle handle, UrlCacheEntry& entry) {
  std::uint32_t bufferSize = kDefaultEntryBufferSize;
  if (cache.FindNextEntry(handle, entry, bufferSize))
    return true;
  return cache.LastError() == UrlCacheError::InsufficientBuffer &&
         cache.FindNextEntry(handle, entry, bufferSize);
}

UrlCacheFindHandle StartEnumeration(UrlCache& cache, UrlCacheEntry& entry,
                                    const WaitFunction& wait) {
  for (int attempt = 1; attempt <= kServiceAttempts; ++attempt) {
    UrlCacheFindHandle handle = FindFirstFitting(cache, entry);
    if (handle)
      return handle;
    if (cache.LastError() != UrlCacheError::ServiceNotActive)
      return nullptr;
    wait(kServiceWaitMilliseconds);
  }
  return nullptr;
}

// Takes what reading the index file found into the report. False when the file could not be
// read or is not an index of this kind: the reading then has nothing more to give.
bool NoteIndexFile(const UrlCacheIndexNotes& notes, ReadingReport& report) {
  if (!notes.unreadable.empty()) {
    report.outcome = ReadingOutcome::Unopened;
    report.reason = "cannot read the cache index " + notes.unreadable;
    return false;
  }
  if (!notes.refusal.empty()) {
    report.outcome = ReadingOutcome::Refused;
    report.reason = notes.indexPath + " is not an Internet Explorer cache index: " + notes.refusal;
    return false;
  }
  for (std::size_t i = 0; i < notes.damagedRecords; ++i)
    report.Skip(SkipReason::DamagedRecord);
  report.damagedPages = notes.damagedTables;
  if (notes.fileSize < notes.recordedSize)
    report.endedEarly = EarlyEnd{notes.fileSize, notes.recordedSize};
  return true;
}

void SleepFor(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

std::optional<std::string> UrlCacheIndexFileRefusal(const std::string& indexPath) {
  UrlCacheIndexNotes notes;
  notes.indexPath = indexPath;
  const Result<std::string> start = ReadFileStart(indexPath, kIndexDatHeaderMinimumSize);
  if (!start) {
    notes.unreadable = start.failure().Describe();
  } else if (const Result<IndexDatHeader> header = ParseIndexDatHeader(*start); !header) {
    notes.refusal = header.failure().reason;
  }
  ReadingReport report;
  if (NoteIndexFile(notes, report))
    return std::nullopt;
  return report.reason;
}

std::string ContentTypeFromHeaders(std::string_view headerInfo) {
  // The header text is used as a zero-terminated string: it ends at its first zero byte.
  const std::string text = LowerCase(headerInfo.substr(0, headerInfo.find('\0')));
  const std::size_t label = text.find(kContentTypeLabel);
  if (label == std::string::npos)
    return std::string(kDefaultContentType);
  const std::size_t start = label + kContentTypeLabel.size();
  const std::size_t end = text.find_first_of("\r\n", start);
  std::string value = text.substr(start, std::min(end - start, kContentTypeLimit));
  return value.empty() ? std::string(kDefaultContentType) : value;
}

double CacheFileTimeToDate(FileTime time) {
  FatDateTime fat;
  if (!FatFromFileTime(time, fat))
    return 0;
  // Date word in the high half: from 2044 on the value is negative as a signed number.
  const auto packed = static_cast<std::int32_t>((std::uint32_t{fat.date} << 16) | fat.time);
  CalendarTime calendar;
  if (packed <= 0 || !CalendarFromFat(fat, calendar))
    return 0;
  return EncodeDate({calendar.year, calendar.month, calendar.day, calendar.hour, calendar.minute,
                     calendar.second, 0});
}

ItemAddress ItemAddressFromKey(const std::string& key) {
  std::string rest = key;
  const std::string host = HostFromKey(rest);
  ItemAddress address{.url = {}, .domain = DomainFromHost(host)};
  if (address.domain == "NONE")
    return address;
  const int port = PortFromRest(rest);
  address.url = CanonicalItemUrl(host, port, PathFromRest(rest));
  if (address.url.size() > kUrlLimit) {
    // Cut inside its host or port, the Url names another domain when the archive reads the
    // record again, and the record would lose its archived file: the domain follows the Url
    // as stored.
    address.url.resize(kUrlLimit);
    address.domain = DomainFromHost(HostOfStoredUrl(address.url));
  }
  return address;
}

std::variant<std::unique_ptr<TCacheItem>, SkipReason> ItemFromEntry(const UrlCacheEntry& entry,
                                                                    TMimeTable& mimeTable,
                                                                    CachedFileCheck& check) {
  ItemAddress address = ItemAddressFromKey(entry.sourceUrlName);
  // Cookies, visited pages and other schemes name no web resource. The drops come first, so
  // that an entry which never reaches the list adds no row to the MIME table.
  if (address.domain == "NONE")
    return SkipReason::NotHttp;
  if (entry.unusableLocalName)
    return SkipReason::UnsafeName;
  if (entry.localFileName.empty())
    return SkipReason::NoCachedFile;
  if (const std::optional<SkipReason> refused = check.Check(entry.localFileName))
    return *refused;

  auto item = std::make_unique<TCacheItem>();
  item->Date =
      std::max(CacheFileTimeToDate(entry.lastSyncTime), CacheFileTimeToDate(entry.lastAccessTime));
  item->CacheKey = entry.sourceUrlName;
  item->Url = std::move(address.url);
  const std::string contentType =
      ContentTypeFromHeaders(std::string_view(entry.headerInfo).substr(0, entry.headerInfoSize));
  item->MimeIndex = mimeTable.MimeIndexOf(contentType) & 0xFF;
  item->ContentKind = ContentKindOf(contentType);
  item->CacheFile = entry.localFileName;
  item->Domain = std::move(address.domain);
  return item;
}

CacheReading ReadUrlCache(UrlCache& cache, TMimeTable& mimeTable, Interaction& ui,
                          const WaitFunction& wait) {
  CacheReading reading;
  ReadingReport& report = reading.report;
  UrlCacheEntry entry;
  const UrlCacheFindHandle handle = StartEnumeration(cache, entry, wait);
  std::optional<EnumerationGuard> guard;
  if (handle)
    guard.emplace(cache, handle);
  const UrlCacheIndexNotes notes = cache.IndexNotes();
  if (!NoteIndexFile(notes, report))
    return reading;

  // Caches read through the system say nothing of their folder: the cached files' own
  // folders are then the bounds.
  CachedFileCheck check(FolderPart(notes.indexPath), IsUrlCacheOwnFileName);
  EventPacer pacer(ui);
  int shownPercent = -1;
  for (bool more = handle != nullptr; more; more = FindNextFitting(cache, handle, entry)) {
    auto made = ItemFromEntry(entry, mimeTable, check);
    if (auto* item = std::get_if<std::unique_ptr<TCacheItem>>(&made)) {
      reading.items.push_back(std::move(*item));
      report.Keep();
    } else {
      report.Skip(std::get<SkipReason>(made));
    }
    if (notes.entries > 0) {
      const int percent = static_cast<int>(report.entriesRead * 100 / notes.entries);
      if (percent > shownPercent) {
        ui.ShowProgress(percent);
        shownPercent = percent;
      }
    }
    pacer.Tick();
    if (ui.CancelRequested()) {
      report.outcome = ReadingOutcome::Stopped;
      break;
    }
  }
  NoteMimeTableState(mimeTable, report);
  return reading;
}

UrlCacheSource::UrlCacheSource(std::string cacheFolder, TMimeTable& mimeTable)
    : UrlCacheSource(OpenUrlCache(cacheFolder), mimeTable, SleepFor) {}

UrlCacheSource::UrlCacheSource(std::unique_ptr<UrlCache> cache, TMimeTable& mimeTable,
                               WaitFunction wait)
    : cache_(std::move(cache)), mimeTable_(mimeTable), wait_(std::move(wait)) {}

CacheReading UrlCacheSource::ReadCache(Interaction& ui) {
  return ReadUrlCache(*cache_, mimeTable_, ui, wait_);
}

void UrlCacheSource::RemoveFromCache(const ItemRefs& items, Interaction& ui,
                                     RemovalReport& report) {
  const auto removeOne = [this](const TCacheItem& item) -> Result<RemovalState> {
    if (!item.CacheKey)
      return Failure{item.Url, "has no cache entry key"};
    if (cache_->DeleteEntry(*item.CacheKey))
      return RemovalState::Removed;
    if (cache_->LastError() == UrlCacheError::FileNotFound)
      return RemovalState::AlreadyGone;
    return Failure{*item.CacheKey, cache_->LastErrorMessage()};
  };
  RemoveEach(items, ui, removeOne, report);
}

std::vector<int> UrlCacheSource::AgeNumbers(AgeUnit unit) const {
  if (unit == AgeUnit::Hours)
    return {1, 2, 3, 6, 12, 18};
  return {1, 2, 3, 4, 5, 6};
}

}  // namespace pagehold
