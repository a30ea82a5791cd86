#include "sources/NavigatorIndex.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#include "cache/Dates.h"
#include "cache/Text.h"
#include "cache/Url.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "sources/NavigatorIndexPage.h"
#include "sources/NavigatorTextIndex.h"

namespace pagehold {

namespace {

constexpr int kProbeRecord = 4096;
constexpr int kLargePage = 16384;
// A 4096-byte index has its first bucket page at 4096, which begins with its count and offset
// words; a 16384-byte index has zeros there (the rest of its header page).
constexpr size_t kProbeBytes = 51;
constexpr double kOldestDays = 5000;
constexpr int kLinesPerYield = 5;
constexpr std::uint8_t kMimeIndexMask = 0xFF;

// The hash file's header: its signature (big-endian, as the library always writes the header)
// and its page size; the header's fields take 260 bytes.
constexpr std::string_view kHashSignature("\x00\x06\x15\x61", 4);
constexpr std::string_view kSwappedHashSignature("\x61\x15\x06\x00", 4);
constexpr std::uint64_t kHashHeaderSize = 260;
constexpr std::size_t kHeaderPageSizeAt = 12;

// Opens a file for reading; an empty handle for a folder or a file that cannot be opened.
FileHandle OpenForReading(const std::string& path) {
  Result<FileHandle> file = FileHandle::Open(path, "rb");
  return file ? std::move(*file) : FileHandle();
}

std::uint64_t FileSize(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return error ? 0 : size;
}

std::string CannotOpenLine(const std::string& indexPath) {
  return "cannot open the cache index " + indexPath;
}

// What the start of an index says about it: nothing when it is a Navigator cache index,
// else the one line that refuses it.
std::optional<std::string> RefusalLineOf(const std::string& indexPath, std::string_view firstBytes,
                                         std::uint64_t fileSize) {
  if (std::optional<std::string> refusal = NavigatorIndexRefusal(firstBytes, fileSize))
    return indexPath + " is not a Navigator cache index: " + *refusal;
  return std::nullopt;
}

// The bytes that tell the kind of the index and its page size, and the size of the file;
// nothing when the file cannot be opened.
std::optional<std::pair<std::string, std::uint64_t>> ReadIndexStart(const std::string& indexPath) {
  Result<std::string> firstBytes = ReadFileStart(indexPath, 2 * kProbeRecord);
  if (!firstBytes)
    return std::nullopt;
  const std::uint64_t fileSize = std::max<std::uint64_t>(FileSize(indexPath), firstBytes->size());
  return std::make_pair(std::move(*firstBytes), fileSize);
}

// The page size the hash file's header records, when it is one the library can write (a power
// of two from 256 to 65536); 0 otherwise.
std::uint64_t RecordedPageSize(std::string_view firstBytes) {
  if (firstBytes.size() < kHeaderPageSizeAt + 4)
    return 0;
  std::uint64_t size = 0;
  for (std::size_t i = 0; i < 4; ++i)
    size = size << 8 | static_cast<unsigned char>(firstBytes[kHeaderPageSizeAt + i]);
  const bool powerOfTwo = size != 0 && (size & (size - 1)) == 0;
  return powerOfTwo && size >= 256 && size <= 65536 ? size : 0;
}

double EarliestVisit() {
  return EncodeDate({1990, 1, 1, 0, 0, 0, 0});
}

}  // namespace

Message CloseBrowserMessage() {
  Message message;
  message.text = "Please close down Netscape\r\nbefore continuing.";
  message.icon = MessageIcon::Warning;
  message.buttons = MessageButtons::Ok;
  return message;
}

double CacheTimeToDate(std::int32_t seconds, double now) {
  // A time before 1970 lies more than 5000 days back from any clock this program meets, and
  // Windows' C library refuses to convert it at all.
  if (seconds < 0)
    return now - kOldestDays;
  const double days = DateFromUnixSeconds(seconds);
  // The conversion gives 0 only when it fails; a 32-bit time never lies that far back.
  if (days == 0)
    return now;
  if (days > now)
    return now;
  // Nothing was cached before 1990: such a time (0 among them, which the text index gives for
  // a time that is not a number) says the entry has no usable date.
  if (days < EarliestVisit())
    return now - kOldestDays;
  return days;
}

double CacheTimeToDate(std::int32_t seconds) {
  return CacheTimeToDate(seconds, Now());
}

int ProbePageSize(std::string_view firstBytes) {
  if (firstBytes.size() < 2 * static_cast<size_t>(kProbeRecord))
    return kLargePage;
  for (char byte : firstBytes.substr(kProbeRecord, kProbeBytes)) {
    if (byte != 0)
      return kProbeRecord;
  }
  return kLargePage;
}

std::optional<std::string> NavigatorIndexRefusal(std::string_view firstBytes,
                                                 std::uint64_t fileSize) {
  if (fileSize == 0)
    return "the file is empty";
  if (IsTextIndexHeader(firstBytes))
    return std::nullopt;
  const std::string_view signature = firstBytes.substr(0, kHashSignature.size());
  if (signature != kHashSignature && signature != kSwappedHashSignature)
    return std::string("it begins neither with the signature of a paged index nor with the ") +
           "first line of a text index (MCOM-CACHE or MOSAIC-COM)";
  if (fileSize < kHashHeaderSize)
    return "at " + std::to_string(fileSize) + " bytes it is too short to hold the header of " +
           "a paged index";
  return std::nullopt;
}

std::optional<std::string> NavigatorIndexFileRefusal(const std::string& indexPath) {
  const auto start = ReadIndexStart(indexPath);
  if (!start)
    return CannotOpenLine(indexPath);
  return RefusalLineOf(indexPath, start->first, start->second);
}

NavigatorIndexReader::NavigatorIndexReader(TMimeTable& mimeTable, CacheList& list, Interaction& ui)
    : mimeTable_(mimeTable), list_(list), ui_(ui), pacer_(ui), now_(Now()) {}

void NavigatorIndexReader::SetCacheFolder(std::string folder) {
  cacheFolder_ = std::move(folder);
  files_.emplace(cacheFolder_);
  // The index's own name, in any letter case (the lookup of cached files ignores it too).
  check_.emplace(cacheFolder_, [index = indexFileName_](std::string_view name) {
    return !index.empty() && SameText(name, index);
  });
}

ReadingReport NavigatorIndexReader::ReadCacheIndex(const std::string& indexPath) {
  report_ = ReadingReport();
  shownPercent_ = -1;
  indexFileName_ = FileNamePart(indexPath);
  SetCacheFolder(FolderPart(indexPath));
  now_ = Now();

  const auto start = ReadIndexStart(indexPath);
  if (!start) {
    ui_.Ask(CloseBrowserMessage());
    report_.outcome = ReadingOutcome::Unopened;
    report_.reason = CannotOpenLine(indexPath);
    return report_;
  }
  const auto& [firstBytes, fileSize] = *start;
  if (std::optional<std::string> refusal = RefusalLineOf(indexPath, firstBytes, fileSize)) {
    report_.outcome = ReadingOutcome::Refused;
    report_.reason = std::move(*refusal);
    return report_;
  }
  if (IsTextIndexHeader(firstBytes))
    ReadTextLines(indexPath);
  else
    ReadPages(indexPath, ProbePageSize(firstBytes), firstBytes, fileSize);
  NoteMimeTableState(mimeTable_, report_);
  return report_;
}

bool NavigatorIndexReader::KeepGoing(bool eventsDue) {
  if (eventsDue) {
    ui_.ProcessPendingEvents();
    pacer_.Ran();
  } else {
    pacer_.Tick();
  }
  if (!ui_.CancelRequested())
    return true;
  report_.outcome = ReadingOutcome::Stopped;
  return false;
}

void NavigatorIndexReader::ShowProgress(std::uint64_t done, std::uint64_t total) {
  const int percent = total == 0 ? 100 : static_cast<int>(std::min(done, total) * 100 / total);
  if (percent > shownPercent_) {
    ui_.ShowProgress(percent);
    shownPercent_ = percent;
  }
}

void NavigatorIndexReader::ReadPages(const std::string& indexPath, int pageSize,
                                     std::string_view firstBytes, std::uint64_t fileSize) {
  const FileHandle file = OpenForReading(indexPath);
  if (!file) {
    report_.outcome = ReadingOutcome::Unopened;
    report_.reason = CannotOpenLine(indexPath);
    return;
  }
  // Pages are whole: a file that ends inside one was cut. The header's own page size says where
  // the pages end, also when the probe chose another size.
  const std::uint64_t recorded = RecordedPageSize(firstBytes);
  const std::uint64_t unit = recorded != 0 ? recorded : static_cast<std::uint64_t>(pageSize);
  if (fileSize > unit && fileSize % unit != 0)
    report_.endedEarly = EarlyEnd{fileSize, (fileSize / unit + 1) * unit};

  // One buffer serves the whole pass; of a page read short (the file's trailing part) the
  // entries that lie wholly in what was read are taken, and the pass ends.
  std::string page(kLargestIndexPage, '\0');
  const auto readPage = [&] {
    const size_t got = std::fread(page.data(), 1, static_cast<size_t>(pageSize), file.get());
    std::fill(page.begin() + static_cast<std::ptrdiff_t>(got), page.end(), '\0');
    return got;
  };
  const auto atEnd = [&] { return std::feof(file.get()) || std::ferror(file.get()); };

  // The header page says nothing the pass needs.
  std::uint64_t done = readPage();
  if (done < static_cast<size_t>(pageSize))
    return;
  while (true) {
    const size_t got = readPage();
    if (got == 0)
      break;
    done += got;
    const bool whole = got == static_cast<size_t>(pageSize);
    IndexPageEntries entries = ReadIndexPageEntries(
        whole ? std::string_view(page) : std::string_view(page).substr(0, got), pageSize);
    if (entries.damaged && whole)
      ++report_.damagedPages;
    if (!KeepGoing(true))
      return;
    for (NavigatorEntryFields& entry : entries.entries) {
      AddCacheEntry(std::move(entry.url), entry.cacheFileName, entry.contentType, entry.time);
      if (!KeepGoing(false))
        return;
    }
    ShowProgress(done, fileSize);
    if (!whole || atEnd())
      break;
  }
}

void NavigatorIndexReader::ReadTextLines(const std::string& indexPath) {
  const Result<std::string> read = ReadWholeFile(indexPath);
  if (!read) {
    report_.outcome = ReadingOutcome::Unopened;
    report_.reason = "cannot open the cache index " + read.failure().Describe();
    return;
  }
  const std::string& text = *read;
  std::string line;
  size_t at = ReadTextIndexLine(text, 0, line);  // the header
  for (int counter = 0; at < text.size(); ++counter) {
    if (counter % kLinesPerYield == 0 && !KeepGoing(true))
      return;
    at = ReadTextIndexLine(text, at, line);
    if (std::optional<NavigatorEntryFields> entry = ParseTextIndexLine(line)) {
      AddCacheEntry(std::move(entry->url), entry->cacheFileName, entry->contentType, entry->time);
    } else if (!IsBlankTextIndexLine(line)) {
      // A last line that the file's end cut off is where the file ended early; any other line
      // that cannot be used is a damaged entry.
      if (at >= text.size() && !IsTextIndexLineEnd(text.back()))
        report_.endedEarly = EarlyEnd{text.size(), 0};
      else
        report_.Skip(SkipReason::DamagedRecord);
    }
    if (!KeepGoing(false))
      return;
    ShowProgress(at, text.size());
  }
}

void NavigatorIndexReader::AddCacheEntry(std::string url, std::string_view cacheFileName,
                                         std::string_view contentType, std::int32_t time) {
  if (!files_)
    SetCacheFolder(cacheFolder_);
  // The drops come first, so that an entry which never reaches the list adds no row to the
  // MIME table (and to MIMETYPE.DAT).
  std::string rest = std::move(url);
  const std::string host = HostFromLink(rest);
  std::string domain = DomainFromHost(host);
  if (host == "NONE" || domain == "NONE") {
    report_.Skip(SkipReason::NotHttp);
    return;
  }
  if (cacheFileName.empty()) {
    report_.Skip(SkipReason::NoCachedFile);
    return;
  }
  if (!IsSafeRelativeName(cacheFileName)) {
    report_.Skip(SkipReason::UnsafeName);
    return;
  }
  std::optional<CachedFileLookup::Found> cacheFile = files_->FindListed(cacheFileName);
  if (!cacheFile) {
    report_.Skip(SkipReason::NoCachedFile);
    return;
  }
  // The lookup's listing already tells what the name is, so the check lists nothing again.
  if (const std::optional<SkipReason> refused = check_->Check(cacheFile->path, cacheFile->kind)) {
    report_.Skip(*refused);
    return;
  }

  auto item = std::make_unique<TCacheItem>();
  item->Date = CacheTimeToDate(time, now_);
  const int port = PortFromRest(rest);
  item->Url = CanonicalItemUrl(host, port, PathFromRest(rest));
  item->Title.clear();
  item->FileName.clear();
  const std::string type = LowerCase(contentType);
  item->MimeIndex = mimeTable_.MimeIndexOf(type) & kMimeIndexMask;
  item->ContentKind = ContentKindOf(type);
  item->CacheFile = std::move(cacheFile->path);
  item->Domain = std::move(domain);
  list_.push_back(std::move(item));
  report_.Keep();
}

}  // namespace pagehold
