#include "sources/NavigatorIndex.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
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

// Opens a file for reading; an empty handle for a folder or a file that cannot be opened.
FileHandle OpenForReading(const std::string& path) {
  Result<FileHandle> file = FileHandle::Open(path, "rb");
  return file ? std::move(*file) : FileHandle();
}

std::string ReadUpTo(std::FILE* file, size_t count) {
  std::string bytes(count, '\0');
  bytes.resize(std::fread(bytes.data(), 1, count, file));
  return bytes;
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
  const double days = DateFromUnixSeconds(seconds);
  // The conversion gives 0 only when it fails; a 32-bit time never lies that far back.
  if (days == 0)
    return now;
  if (days > now)
    return now;
  if (days < now - kOldestDays)
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

NavigatorIndexReader::NavigatorIndexReader(TMimeTable& mimeTable, CacheList& list, Interaction& ui)
    : mimeTable_(mimeTable), list_(list), ui_(ui), now_(Now()) {}

void NavigatorIndexReader::SetCacheFolder(std::string folder) {
  cacheFolder_ = std::move(folder);
  files_.emplace(cacheFolder_);
}

bool NavigatorIndexReader::ReadCacheIndex(const std::string& indexPath) {
  SetCacheFolder(FolderPart(indexPath));
  indexFileName_ = FileNamePart(indexPath);
  now_ = Now();

  std::string firstBytes;
  {
    const FileHandle file = OpenForReading(indexPath);
    if (!file) {
      ui_.Ask(CloseBrowserMessage());
      return false;
    }
    firstBytes = ReadUpTo(file.get(), 2 * kProbeRecord);
  }
  if (IsTextIndexHeader(firstBytes))
    ReadTextLines(indexPath);
  else
    ReadPages(indexPath, ProbePageSize(firstBytes));
  return true;
}

void NavigatorIndexReader::ReadPages(const std::string& indexPath, int pageSize) {
  const FileHandle file = OpenForReading(indexPath);
  if (!file)
    throw std::runtime_error("Cannot open the cache index " + indexPath);
  // One buffer serves the whole pass; a page read short (the file's trailing part) is parsed
  // with its missing bytes as zeros, and ends the pass.
  std::string page(kLargestIndexPage, '\0');
  const auto readPage = [&] {
    const size_t got = std::fread(page.data(), 1, static_cast<size_t>(pageSize), file.get());
    std::fill(page.begin() + static_cast<std::ptrdiff_t>(got), page.end(), '\0');
    return got;
  };
  const auto atEnd = [&] { return std::feof(file.get()) || std::ferror(file.get()); };

  // The header page says nothing the pass needs.
  if (readPage() < static_cast<size_t>(pageSize))
    return;
  while (true) {
    const size_t got = readPage();
    if (got == 0)
      break;
    for (NavigatorEntryFields& entry : ParseIndexPage(page, pageSize))
      AddCacheEntry(std::move(entry.url), entry.cacheFileName, entry.contentType, entry.time);
    ui_.ProcessPendingEvents();
    if (got < static_cast<size_t>(pageSize) || atEnd())
      break;
  }
}

void NavigatorIndexReader::ReadTextLines(const std::string& indexPath) {
  const Result<std::string> read = ReadWholeFile(indexPath);
  if (!read)
    throw std::runtime_error("Cannot open the cache index " + indexPath);
  const std::string& text = *read;
  std::string line;
  size_t at = ReadTextIndexLine(text, 0, line);  // the header
  for (int counter = 0; at < text.size(); ++counter) {
    if (counter % kLinesPerYield == 0)
      ui_.ProcessPendingEvents();
    at = ReadTextIndexLine(text, at, line);
    if (std::optional<NavigatorEntryFields> entry = ParseTextIndexLine(line))
      AddCacheEntry(std::move(entry->url), entry->cacheFileName, entry->contentType, entry->time);
  }
}

void NavigatorIndexReader::AddCacheEntry(std::string url, std::string_view cacheFileName,
                                         std::string_view contentType, std::int32_t time) {
  if (!files_)
    files_.emplace(cacheFolder_);
  // The drops come first, so that an entry which never reaches the list adds no row to the
  // MIME table (and to MIMETYPE.DAT).
  std::string rest = std::move(url);
  const std::string host = HostFromLink(rest);
  std::string domain = DomainFromHost(host);
  if (host == "NONE" || domain == "NONE")
    return;
  std::optional<std::string> cacheFile = files_->Find(cacheFileName);
  if (!cacheFile)
    return;

  auto item = std::make_unique<TCacheItem>();
  item->Date = CacheTimeToDate(time, now_);
  const int port = PortFromRest(rest);
  item->Url = CanonicalItemUrl(host, port, PathFromRest(rest));
  item->Title.clear();
  item->FileName.clear();
  const std::string type = LowerCase(contentType);
  item->MimeIndex = mimeTable_.MimeIndexOf(type) & kMimeIndexMask;
  item->ContentKind = ContentKindOf(type);
  item->CacheFile = std::move(*cacheFile);
  item->Domain = std::move(domain);
  list_.push_back(std::move(item));
}

}  // namespace pagehold
