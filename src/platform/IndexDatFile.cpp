#include "platform/IndexDatFile.h"

#include <unordered_set>

#include "platform/Files.h"
#include "platform/IndexDatBytes.h"
#include "platform/IndexDatHashTable.h"
#include "platform/Paths.h"

namespace pagehold {

namespace {

bool IsRecordOffset(std::string_view file, std::uint32_t offset) {
  return offset >= kIndexDatRecordsStart && offset < file.size();
}

// The full path of the record's cached file; empty when it names none. unusable is set when
// it names one that cannot be used: not a plain file name, or a sub-folder the header lacks.
std::string LocalFileNameOf(const IndexDatUrlRecord& record, const IndexDatHeader& header,
                            const std::string& cacheFolder, bool& unusable) {
  unusable = false;
  if (!record.localFileName)
    return {};
  unusable = true;
  if (!IsPlainPathComponent(*record.localFileName))
    return {};
  if (record.cacheFolderIndex == kNoCacheSubFolder) {
    unusable = false;
    return JoinPath(cacheFolder, *record.localFileName);
  }
  if (record.cacheFolderIndex >= header.cacheFolders.size())
    return {};
  const std::string& subFolder = header.cacheFolders[record.cacheFolderIndex];
  if (subFolder.empty())
    return {};
  unusable = false;
  return JoinPath(JoinPath(cacheFolder, subFolder), *record.localFileName);
}

// A live slot may name a record of another kind (a redirect); only a record of no known kind,
// or a URL record that cannot be read, is damage.
bool IsOtherRecordKind(std::string_view record) {
  const std::string_view signature = record.substr(0, 4);
  return signature == "REDR" || signature == "LEAK" || signature == "GLST" || signature == "HASH";
}

}  // namespace

// A table visited before ends the walk, so that a chain pointing back into itself cannot loop.
std::vector<std::uint32_t> LiveRecordOffsets(std::string_view file, const IndexDatHeader& header,
                                             IndexDatDamage* damage) {
  IndexDatDamage ignored;
  IndexDatDamage& counted = damage != nullptr ? *damage : ignored;
  std::vector<std::uint32_t> offsets;
  std::unordered_set<std::uint32_t> visitedTables;
  std::uint32_t tableOffset = header.hashTableOffset;
  while (tableOffset != 0 && visitedTables.insert(tableOffset).second) {
    const std::optional<IndexDatHashTable> table =
        IsRecordOffset(file, tableOffset) ? ParseHashTable(file.substr(tableOffset)) : std::nullopt;
    if (!table) {
      ++counted.damagedTables;
      break;
    }
    for (const HashSlot& slot : table->slots) {
      if (!IsLiveSlot(slot))
        continue;
      if (IsRecordOffset(file, slot.recordOffset))
        offsets.push_back(slot.recordOffset);
      else
        ++counted.damagedRecords;
    }
    tableOffset = table->nextTableOffset;
  }
  return offsets;
}

std::optional<IndexDatUrlRecord> UrlRecordAt(std::string_view file, std::uint32_t offset,
                                             IndexDatDamage& damage) {
  const std::string_view bytes = file.substr(offset);
  std::optional<IndexDatUrlRecord> record = ParseUrlRecord(bytes);
  if (!record && !IsOtherRecordKind(bytes))
    ++damage.damagedRecords;
  return record;
}

IndexDatDamage DamageOfSize(std::string_view file, const IndexDatHeader& header) {
  IndexDatDamage damage;
  damage.fileSize = file.size();
  damage.recordedSize = header.fileSize;
  return damage;
}

Result<IndexDatContents> ParseIndexDat(std::string_view file) {
  Result<IndexDatHeader> header = ParseIndexDatHeader(file);
  if (!header)
    return header.failure();
  IndexDatContents contents{*header, {}, DamageOfSize(file, *header)};
  const std::vector<std::uint32_t> offsets =
      LiveRecordOffsets(file, contents.header, &contents.damage);
  contents.entries.reserve(offsets.size());
  for (std::uint32_t offset : offsets) {
    if (std::optional<IndexDatUrlRecord> record = UrlRecordAt(file, offset, contents.damage))
      contents.entries.push_back({offset, std::move(*record)});
  }
  return contents;
}

Result<IndexDatContents> ReadIndexDat(const std::string& path) {
  const Result<std::string> file = ReadWholeFile(path);
  if (!file)
    return file.failure();
  Result<IndexDatContents> contents = ParseIndexDat(*file);
  if (!contents)
    return Failure{path, contents.failure().reason};
  return contents;
}

UrlCacheEntry EntryFromRecord(const IndexDatUrlRecord& record, const IndexDatHeader& header,
                              const std::string& cacheFolder) {
  return EntryFromRecord(IndexDatUrlRecord(record), header, cacheFolder);
}

UrlCacheEntry EntryFromRecord(IndexDatUrlRecord&& record, const IndexDatHeader& header,
                              const std::string& cacheFolder) {
  UrlCacheEntry entry;
  entry.sourceUrlName = std::move(record.url);
  entry.localFileName = LocalFileNameOf(record, header, cacheFolder, entry.unusableLocalName);
  entry.lastAccessTime = record.lastAccess;
  entry.lastSyncTime = FileTimeFromFat(record.lastSync);
  if (record.headerInfo) {
    entry.headerInfoSize = static_cast<std::uint32_t>(record.headerInfo->size());
    entry.headerInfo = std::move(*record.headerInfo);
  }
  return entry;
}

}  // namespace pagehold
