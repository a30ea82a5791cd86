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

std::string LocalFileNameOf(const IndexDatUrlRecord& record, const IndexDatHeader& header,
                            const std::string& cacheFolder) {
  if (!record.localFileName || !IsPlainPathComponent(*record.localFileName))
    return {};
  if (record.cacheFolderIndex == kNoCacheSubFolder)
    return JoinPath(cacheFolder, *record.localFileName);
  if (record.cacheFolderIndex >= header.cacheFolders.size())
    return {};
  const std::string& subFolder = header.cacheFolders[record.cacheFolderIndex];
  if (subFolder.empty())
    return {};
  return JoinPath(JoinPath(cacheFolder, subFolder), *record.localFileName);
}

}  // namespace

// A table visited before ends the walk, so that a chain pointing back into itself cannot loop.
std::vector<std::uint32_t> LiveRecordOffsets(std::string_view file, const IndexDatHeader& header) {
  std::vector<std::uint32_t> offsets;
  std::unordered_set<std::uint32_t> visitedTables;
  std::uint32_t tableOffset = header.hashTableOffset;
  while (IsRecordOffset(file, tableOffset) && visitedTables.insert(tableOffset).second) {
    const std::optional<IndexDatHashTable> table = ParseHashTable(file.substr(tableOffset));
    if (!table)
      break;
    for (const HashSlot& slot : table->slots)
      if (IsLiveSlot(slot) && IsRecordOffset(file, slot.recordOffset))
        offsets.push_back(slot.recordOffset);
    tableOffset = table->nextTableOffset;
  }
  return offsets;
}

std::optional<IndexDatContents> ParseIndexDat(std::string_view file) {
  std::optional<IndexDatHeader> header = ParseIndexDatHeader(file);
  if (!header)
    return std::nullopt;
  IndexDatContents contents{*header, {}};
  const std::vector<std::uint32_t> offsets = LiveRecordOffsets(file, contents.header);
  contents.entries.reserve(offsets.size());
  for (std::uint32_t offset : offsets) {
    std::optional<IndexDatUrlRecord> record = ParseUrlRecord(file.substr(offset));
    if (record)
      contents.entries.push_back({offset, std::move(*record)});
  }
  return contents;
}

std::optional<IndexDatContents> ReadIndexDat(const std::string& path) {
  const Result<std::string> file = ReadWholeFile(path);
  if (!file)
    return std::nullopt;
  return ParseIndexDat(*file);
}

UrlCacheEntry EntryFromRecord(const IndexDatUrlRecord& record, const IndexDatHeader& header,
                              const std::string& cacheFolder) {
  return EntryFromRecord(IndexDatUrlRecord(record), header, cacheFolder);
}

UrlCacheEntry EntryFromRecord(IndexDatUrlRecord&& record, const IndexDatHeader& header,
                              const std::string& cacheFolder) {
  UrlCacheEntry entry;
  entry.sourceUrlName = std::move(record.url);
  entry.localFileName = LocalFileNameOf(record, header, cacheFolder);
  entry.lastAccessTime = record.lastAccess;
  entry.lastSyncTime = FileTimeFromFat(record.lastSync);
  if (record.headerInfo) {
    entry.headerInfoSize = static_cast<std::uint32_t>(record.headerInfo->size());
    entry.headerInfo = std::move(*record.headerInfo);
  }
  return entry;
}

}  // namespace pagehold
