// Reading archive.dat: its records, and where and how badly it is damaged.
//
// The file is records back to back (layout in cache/CacheItem.h). A record is whole when its
// 16-byte head and 12-byte length block lie inside the file, each of its three stored lengths is
// at least 1 (the writer stores an empty string as its zero byte alone), the strings lie inside
// the file, and each ends with the zero byte its length promises. A clean file is read record
// for record as it was written, each string up to its first zero byte.
//
// Anything else is damage: a tail too short for a record, a length overwritten, a cut file, an
// empty file (the program deletes archive.dat rather than leave it empty). After damage the
// reader looks for the next record that is plausible as well as whole: a MIME row of 0 to 255,
// a content kind of 0 to 2, lengths of at most 64 KiB, a Url in the canonical item form
// ("http://" host ":" port ...) and a FileName that can name a file inside the archive. Reading
// goes on from there, so damage in the middle costs only the damaged records; the bytes passed
// over are counted as skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/ArchiveFile.h"
#include "platform/Failure.h"

namespace pagehold {

// A stretch of the file that held no readable record.
struct SkippedBytes {
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
};

// What reading found, without the records themselves.
struct ArchiveFileState {
  std::uint64_t fileSize = 0;
  std::size_t recordsRead = 0;      // whole records from the start up to the first damage
  std::size_t recordsSalvaged = 0;  // whole records found after it
  std::vector<SkippedBytes> skipped;

  bool Damaged() const { return !skipped.empty(); }
  // Where reading stopped first: the offset of the first damage, or the file's size.
  std::uint64_t StopOffset() const { return Damaged() ? skipped.front().offset : fileSize; }
  // The bytes from there to the end of the file.
  std::uint64_t BytesFollowing() const { return fileSize - StopOffset(); }
  std::uint64_t BytesSkipped() const;
  std::size_t RecordsReadable() const { return recordsRead + recordsSalvaged; }
  // One line for people: "complete, 12 records" or "damaged at byte 400 of 900: 500 bytes
  // follow; 3 records read before the damage, 4 salvaged after it, 120 bytes skipped".
  std::string Describe() const;
};

struct ArchiveFileReading {
  ArchiveList records;  // every readable record, salvaged ones included, Domain recomputed
  ArchiveFileState state;
};

// Called after each record with the bytes read so far and the file's size (for progress and
// pending events).
using ReadingProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// Called with each readable record in turn, Domain recomputed; false stops the reading there. The
// record is reused for the next one, so a visitor keeps what it needs by moving it out.
using RecordVisitor = std::function<bool(TCacheItem& record)>;

// Parses the bytes of an archive.dat record by record, without keeping the records.
ArchiveFileState VisitArchiveBytes(std::string_view bytes, const RecordVisitor& visit,
                                   const ReadingProgress& afterRecord = {});

// Parses the bytes of an archive.dat.
ArchiveFileReading ParseArchiveBytes(std::string_view bytes,
                                     const ReadingProgress& afterRecord = {});

// Reads archive.dat of archiveFolder. A folder without archive.dat gives an empty, complete
// reading; a file that exists but cannot be read is a failure.
[[nodiscard]] Result<ArchiveFileReading> ReadArchiveFile(const std::string& archiveFolder,
                                                         const ReadingProgress& afterRecord = {});

// VisitArchiveBytes over archive.dat of archiveFolder, read as ReadArchiveFile reads it.
[[nodiscard]] Result<ArchiveFileState> VisitArchiveFile(const std::string& archiveFolder,
                                                        const RecordVisitor& visit,
                                                        const ReadingProgress& afterRecord = {});

// What loading an archive found: the records a run works with, and the state of the file.
struct LoadedArchive {
  ArchiveList archive;             // the readable records whose archived file is there
  ArchiveFileState state;          // complete, or where and how it is damaged
  std::size_t droppedRecords = 0;  // readable records whose file is gone (or cannot be named)
};

// Called during loading with a percentage of the work done, often enough to keep events running.
using LoadProgress = std::function<void(int percent)>;

// Reads archive.dat of archiveFolder (every readable record, salvaged ones too) and keeps the
// records whose archived file exists, entering their names into usedNames. Nothing is written:
// what to do with a damaged file is the caller's choice, and so is putting the index pictures in
// place (CopyIndexImages). A file that cannot be read is a failure.
[[nodiscard]] Result<LoadedArchive> LoadArchive(const AppContext& context,
                                                const std::string& archiveFolder,
                                                UsedNames& usedNames,
                                                const LoadProgress& progress = {});

// Copies the damaged archive.dat of archiveFolder to "archive.dat.damaged-YYYYMMDD-HHMMSS" (local
// time of when), or with "-2", "-3" ... after it when that name is taken: a kept copy is never
// written over. Gives the path of the copy, flushed to disk.
[[nodiscard]] Result<std::string> KeepDamagedArchive(const std::string& archiveFolder,
                                                     std::time_t when);

}  // namespace pagehold
