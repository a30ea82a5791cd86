#include "platform/IndexDatHeader.h"

#include <algorithm>

#include "platform/IndexDatBytes.h"
#include "platform/Paths.h"

namespace pagehold {

namespace {

// The eight name bytes carry no zero byte when the name is eight characters long; a shorter
// name ends at its first zero byte.
std::string FolderName(std::string_view bytes, std::size_t offset) {
  std::string_view name = bytes.substr(offset, 8);
  name = name.substr(0, name.find('\0'));
  return IsPlainPathComponent(name) ? std::string(name) : std::string();
}

}  // namespace

bool IsPlainPathComponent(std::string_view name) {
  if (name.empty() || name == "." || name == "..")
    return false;
  return std::none_of(name.begin(), name.end(),
                      [](char c) { return IsPathSeparator(c) || c == '\0'; });
}

std::optional<IndexDatHeader> ParseIndexDatHeader(std::string_view bytes) {
  if (!HasBytes(bytes, 0, kIndexDatHeaderMinimumSize))
    return std::nullopt;
  // The signature text is followed by its zero byte.
  if (bytes.substr(0, kIndexDatSignature.size()) != kIndexDatSignature ||
      bytes[kIndexDatSignature.size()] != '\0')
    return std::nullopt;

  IndexDatHeader header;
  header.fileSize = ReadU32(bytes, 28);
  header.hashTableOffset = ReadU32(bytes, 32);
  header.capacityBlocks = ReadU32(bytes, 36);
  header.blocksInUse = ReadU32(bytes, 40);
  const std::size_t folderCount = std::min<std::size_t>(ReadU32(bytes, 72), kIndexDatMaxFolders);
  for (std::size_t i = 0; i < folderCount; ++i)
    header.cacheFolders.push_back(
        FolderName(bytes, kIndexDatFolderTableOffset + i * kIndexDatFolderEntrySize + 4));
  return header;
}

}  // namespace pagehold
