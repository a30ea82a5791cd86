// archive.dat: the whole file read as the archive run and re-index read it, the salvaging of
// damaged files included.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "archive/ArchiveFile.h"
#include "archive/ArchiveFileReader.h"
#include "cache/CacheItem.h"

using namespace pagehold;

namespace {

bool SameRecord(const TCacheItem& a, const TCacheItem& b) {
  return a.MimeIndex == b.MimeIndex && a.ContentKind == b.ContentKind &&
         std::memcmp(&a.Date, &b.Date, sizeof a.Date) == 0 && a.Url == b.Url &&
         a.Title == b.Title && a.FileName == b.FileName && a.Domain == b.Domain;
}

// Every byte of the file is either part of a record that was read, in order, or part of a
// stretch counted as skipped: nothing is lost without being reported.
void CheckTiling(std::string_view bytes, const ArchiveFileReading& reading) {
  const ArchiveFileState& state = reading.state;
  FUZZ_CHECK(state.fileSize == bytes.size());
  FUZZ_CHECK(state.RecordsReadable() == reading.records.Size());
  FUZZ_CHECK(state.StopOffset() <= state.fileSize);
  std::size_t offset = 0;
  std::size_t record = 0;
  std::size_t stretch = 0;
  while (offset < bytes.size()) {
    if (stretch < state.skipped.size() && state.skipped[stretch].offset == offset) {
      FUZZ_CHECK(state.skipped[stretch].length > 0);
      offset += state.skipped[stretch++].length;
      continue;
    }
    TCacheItem item;
    const RecordParse parse = ParseRecord(bytes, offset, item);
    FUZZ_CHECK(parse.outcome == RecordParse::Whole);
    FUZZ_CHECK(record < reading.records.Size());
    FUZZ_CHECK(item.Url == reading.records[record].Url);
    ++record;
    offset += parse.size;
  }
  FUZZ_CHECK(offset == bytes.size());
  FUZZ_CHECK(record == reading.records.Size());
  // An empty file is damage of its own: one stretch of no bytes.
  FUZZ_CHECK(stretch == state.skipped.size() || (bytes.empty() && state.skipped.size() == 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ArchiveFileReading reading = ParseArchiveBytes(bytes);
  CheckTiling(bytes, reading);

  // What a run would save reads back record for record, completely.
  const std::string saved = SerializeRecords(reading.records);
  const ArchiveFileReading again = ParseArchiveBytes(saved);
  FUZZ_CHECK(again.records.Size() == reading.records.Size());
  FUZZ_CHECK(again.records.Empty() || !again.state.Damaged());
  for (std::size_t i = 0; i < again.records.Size(); ++i)
    FUZZ_CHECK(SameRecord(again.records[i], reading.records[i]));
  // A complete file whose strings hold no zero byte before their end is saved as it was read.
  if (!reading.state.Damaged() && saved.size() == bytes.size())
    FUZZ_CHECK(saved == bytes);

  // Whatever the records say, the archived file's path stays inside the archive folder.
  for (const auto& record : reading.records.Items()) {
    const auto path = ArchivedFilePath("/archive/", record->Domain, "text", record->FileName);
    if (path)
      FUZZ_CHECK(path->starts_with("/archive/") &&
                 std::count(path->begin() + 9, path->end(), '/') == 2);
  }
  return 0;
}
