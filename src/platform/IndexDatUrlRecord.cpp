#include "platform/IndexDatUrlRecord.h"

#include "platform/IndexDatBytes.h"

namespace pagehold {

namespace {

FatDateTime FatAt(std::string_view record, std::size_t offset) {
  return {ReadU16(record, offset), ReadU16(record, offset + 2)};
}

// The zero-terminated string at an offset stored at field; nullopt when the stored offset is
// 0, lies outside the record, or the string has no end inside the record.
std::optional<std::string> StringAt(std::string_view record, std::size_t field) {
  const std::uint32_t offset = ReadU32(record, field);
  if (offset == 0 || offset >= record.size())
    return std::nullopt;
  const std::size_t end = record.find('\0', offset);
  if (end == std::string_view::npos)
    return std::nullopt;
  return std::string(record.substr(offset, end - offset));
}

std::optional<std::string> HeaderInfoOf(std::string_view record) {
  const std::uint32_t offset = ReadU32(record, 68);
  const std::uint32_t size = ReadU32(record, 72);
  if (offset == 0 || offset >= record.size())
    return std::nullopt;
  return std::string(record.substr(offset, size));
}

}  // namespace

std::optional<IndexDatUrlRecord> ParseUrlRecord(std::string_view bytes) {
  if (!HasBytes(bytes, 0, 8) || bytes.substr(0, 4) != "URL ")
    return std::nullopt;
  IndexDatUrlRecord record;
  record.blocks = ReadU32(bytes, 4);
  const std::uint64_t recordSize = std::uint64_t{record.blocks} * kIndexDatBlockSize;
  if (record.blocks == 0 || !HasBytes(bytes, 0, recordSize) || recordSize < kUrlRecordFixedSize)
    return std::nullopt;
  const std::string_view fields = bytes.substr(0, recordSize);

  std::optional<std::string> url = StringAt(fields, 52);
  if (!url)
    return std::nullopt;
  record.url = *url;
  record.lastModified = ReadU64(fields, 8);
  record.lastAccess = ReadU64(fields, 16);
  record.expiry = FatAt(fields, 24);
  record.fileSize = ReadU64(fields, 32);
  record.exemptDelta = ReadU32(fields, 44);
  record.cacheFolderIndex = ReadU8(fields, 56);
  record.localFileName = StringAt(fields, 60);
  record.entryType = ReadU32(fields, 64);
  record.headerInfo = HeaderInfoOf(fields);
  record.fileExtension = StringAt(fields, 76).value_or("");
  record.lastSync = FatAt(fields, 80);
  record.hits = ReadU32(fields, 84);
  record.useCount = ReadU32(fields, 88);
  return record;
}

}  // namespace pagehold
