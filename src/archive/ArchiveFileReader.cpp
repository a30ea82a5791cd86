#include "archive/ArchiveFileReader.h"

#include <ctime>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>
#include <utility>

#include "cache/Url.h"
#include "platform/Failure.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "prefs/AppContext.h"

namespace pagehold {

namespace {

constexpr std::string_view kUrlStart = "http://";
// Where the Url's bytes begin in a record: after the 16-byte head and the 12-byte lengths.
constexpr std::size_t kUrlOffset = 28;
// No string the program writes comes near this; a longer one marks bytes that only look like a
// record.
constexpr std::size_t kLongestPlausibleString = 65536;
constexpr int kLargestMimeIndex = 255;

// Domain is not stored: it follows from the Url by the split that stored URLs use.
void RecomputeDomain(TCacheItem& record) {
  record.Domain = DomainFromHost(HostOfStoredUrl(record.Url));
}

// "http://" host ":" digits, then the end or the path: the form every stored Url has.
bool IsCanonicalItemUrl(std::string_view url) {
  if (!url.starts_with(kUrlStart))
    return false;
  const std::string_view rest = url.substr(kUrlStart.size());
  const std::size_t colon = rest.find(':');
  if (colon == 0 || colon == std::string_view::npos)
    return false;
  std::size_t digits = 0;
  while (colon + 1 + digits < rest.size() && rest[colon + 1 + digits] >= '0' &&
         rest[colon + 1 + digits] <= '9')
    ++digits;
  const std::size_t after = colon + 1 + digits;
  return digits > 0 && (after == rest.size() || rest[after] == '/');
}

// A whole record that is also one the program could have written: the test for where reading
// may go on after damage.
bool IsPlausible(const TCacheItem& record, std::size_t size) {
  return record.MimeIndex >= 0 && record.MimeIndex <= kLargestMimeIndex &&
         record.ContentKind >= 0 && record.ContentKind <= 2 &&
         size <= kUrlOffset + 3 * kLongestPlausibleString && IsCanonicalItemUrl(record.Url) &&
         IsSafePathComponent(record.FileName);
}

// The offset of the first plausible record after from, or the end of bytes. Every record's Url
// starts with "http://" at a fixed distance from the record's start, so only those places are
// tried.
std::size_t NextPlausibleRecord(std::string_view bytes, std::size_t from) {
  std::size_t url = from + kUrlOffset + 1;
  while ((url = bytes.find(kUrlStart, url)) != std::string_view::npos) {
    TCacheItem candidate;
    const std::size_t start = url - kUrlOffset;
    const RecordParse parse = ParseRecord(bytes, start, candidate);
    if (parse.outcome == RecordParse::Whole && IsPlausible(candidate, parse.size))
      return start;
    ++url;
  }
  return bytes.size();
}

// The name archive.dat is kept under once it was found damaged.
// "YYYYMMDD-HHMMSS" of a local time.
std::string TimeStamp(std::time_t when) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &when);
#else
  localtime_r(&when, &local);
#endif
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

// A visitor that keeps every record it is given.
RecordVisitor KeepingIn(ArchiveList& records) {
  return [&records](TCacheItem& record) {
    records.Append(std::make_unique<TCacheItem>(std::move(record)));
    return true;
  };
}

}  // namespace

std::uint64_t ArchiveFileState::BytesSkipped() const {
  std::uint64_t total = 0;
  for (const SkippedBytes& stretch : skipped)
    total += stretch.length;
  return total;
}

std::string ArchiveFileState::Describe() const {
  if (!Damaged())
    return "complete, " + std::to_string(recordsRead) + " records";
  if (fileSize == 0)
    return "damaged: the file is empty";
  return "damaged at byte " + std::to_string(StopOffset()) + " of " + std::to_string(fileSize) +
         ": " + std::to_string(BytesFollowing()) + " bytes follow; " + std::to_string(recordsRead) +
         " records read before the damage, " + std::to_string(recordsSalvaged) +
         " salvaged after it, " + std::to_string(BytesSkipped()) + " bytes skipped";
}

ArchiveFileState VisitArchiveBytes(std::string_view bytes, const RecordVisitor& visit,
                                   const ReadingProgress& afterRecord) {
  ArchiveFileState state;
  state.fileSize = bytes.size();
  if (bytes.empty())
    state.skipped.push_back({0, 0});
  TCacheItem record;
  std::size_t offset = 0;
  while (offset < bytes.size()) {
    const RecordParse parse = ParseRecord(bytes, offset, record);
    if (parse.outcome != RecordParse::Whole) {
      const std::size_t next = NextPlausibleRecord(bytes, offset);
      state.skipped.push_back({offset, next - offset});
      offset = next;
      continue;
    }
    RecomputeDomain(record);
    ++(state.Damaged() ? state.recordsSalvaged : state.recordsRead);
    offset += parse.size;
    if (!visit(record))
      break;
    if (afterRecord)
      afterRecord(offset, bytes.size());
  }
  return state;
}

ArchiveFileReading ParseArchiveBytes(std::string_view bytes, const ReadingProgress& afterRecord) {
  ArchiveFileReading reading;
  reading.state = VisitArchiveBytes(bytes, KeepingIn(reading.records), afterRecord);
  return reading;
}

Result<ArchiveFileState> VisitArchiveFile(const std::string& archiveFolder,
                                          const RecordVisitor& visit,
                                          const ReadingProgress& afterRecord) {
  const std::string path = JoinPath(archiveFolder, "archive.dat");
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, error)))
    return ArchiveFileState{};
  const Result<std::string> bytes = ReadWholeFile(path);
  if (!bytes)
    return bytes.failure();
  return VisitArchiveBytes(*bytes, visit, afterRecord);
}

Result<ArchiveFileReading> ReadArchiveFile(const std::string& archiveFolder,
                                           const ReadingProgress& afterRecord) {
  ArchiveFileReading reading;
  Result<ArchiveFileState> state =
      VisitArchiveFile(archiveFolder, KeepingIn(reading.records), afterRecord);
  if (!state)
    return state.failure();
  reading.state = std::move(*state);
  return reading;
}

Result<LoadedArchive> LoadArchive(const AppContext& context, const std::string& archiveFolder,
                                  UsedNames& usedNames, const LoadProgress& progress) {
  const std::string folder = WithTrailingSeparator(archiveFolder);
  // Reading is the first half of the work, looking for the archived files the second.
  Result<ArchiveFileReading> reading =
      ReadArchiveFile(folder, [&](std::uint64_t done, std::uint64_t total) {
        if (progress)
          progress(static_cast<int>(done * 50 / total));
      });
  if (!reading)
    return reading.failure();
  LoadedArchive loaded;
  loaded.state = reading->state;
  ArchiveList::Records records = reading->records.TakeAll();
  for (std::size_t index = 0; index < records.size(); ++index) {
    auto& record = records[index];
    if (progress)
      progress(50 + static_cast<int>(index * 50 / records.size()));
    // Records whose Domain, type folder or FileName cannot be a single path component inside
    // the archive folder are dropped too: no file of theirs can be found or written safely.
    const std::string typeFolder = context.mimeTable.MimeTypeFolder(record->MimeIndex);
    const auto file = ArchivedFilePath(folder, record->Domain, typeFolder, record->FileName);
    if (!file || !FileExists(*file)) {
      ++loaded.droppedRecords;
      continue;
    }
    usedNames.Add(UsedNames::Key(record->Domain, typeFolder, record->FileName));
    loaded.archive.Append(std::move(record));
  }
  return loaded;
}

Result<std::string> KeepDamagedArchive(const std::string& archiveFolder, std::time_t when) {
  const std::string path = JoinPath(archiveFolder, "archive.dat");
  const Result<std::string> bytes = ReadWholeFile(path);
  if (!bytes)
    return bytes.failure();
  const std::string stem = path + ".damaged-" + TimeStamp(when);
  // A name that exists already is never written over; the next number is tried instead. Where
  // the C library knows "x", creating the file refuses one that appeared in between.
#ifdef _WIN32
  constexpr const char* kNewFileMode = "wb";
#else
  constexpr const char* kNewFileMode = "wbx";
#endif
  for (int number = 1;; ++number) {
    const std::string kept = number == 1 ? stem : stem + "-" + std::to_string(number);
    if (FileExists(kept))
      continue;
    Result<FileHandle> file = FileHandle::Open(kept, kNewFileMode);
    if (!file)
      return file.failure();
    Status written = file->Write(*bytes);
    if (written)
      written = file->FlushToDisk();
    if (written)
      written = file->Close();
    if (!written)
      return written.failure();
    return kept;
  }
}

}  // namespace pagehold
