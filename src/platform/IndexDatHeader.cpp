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

// The signature text is followed by its zero byte.
bool HasSignature(std::string_view bytes, std::string_view signature) {
  return bytes.size() > signature.size() && bytes.substr(0, signature.size()) == signature &&
         bytes[signature.size()] == '\0';
}

}  // namespace

bool IsPlainPathComponent(std::string_view name) {
  if (name.empty() || name == "." || name == "..")
    return false;
  return std::none_of(name.begin(), name.end(),
                      [](char c) { return IsPathSeparator(c) || c == '\0'; });
}

Result<IndexDatHeader> ParseIndexDatHeader(std::string_view bytes) {
  // The signature names the format's version after a fixed text.
  constexpr std::string_view kSignatureText = "Client UrlCache MMF Ver ";
  if (!HasSignature(bytes, kWineIndexDatSignature) && !HasSignature(bytes, kIndexDatSignature)) {
    if (bytes.substr(0, kSignatureText.size()) != kSignatureText)
      return Failure{"", "it does not begin with the signature of an index.dat (\"" +
                             std::string(kIndexDatSignature) + "\")"};
    const std::string_view version = bytes.substr(kSignatureText.size(), 3);
    return Failure{"", "it is an index.dat of version " + std::string(version) +
                           ", and only version 5.2 is read"};
  }
  if (!HasBytes(bytes, 0, kIndexDatHeaderMinimumSize))
    return Failure{"", "at " + std::to_string(bytes.size()) +
                           " bytes it is too short to hold the header of an index.dat"};

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
