// The file header of an index.dat (the first 16 KiB) and its table of cache sub-folders.
//
//   offset  size     field
//   0       28       signature "Client UrlCache MMF Ver 5.2" and a zero byte (Wine's WinINet
//                    writes the same layout under "WINE URLCache Ver 0.2012001")
//   28      4        file size in bytes
//   32      4        file offset of the first hash table (0: none)
//   36      4        capacity: number of 128-byte blocks after offset 0x4000
//   40      4        blocks in use
//   44      4        unknown
//   48      8        cache size limit in bytes
//   56      8        cache usage in bytes
//   64      8        exempt (sticky) usage in bytes
//   72      4        number of cache sub-folders N (at most 32)
//   76      12 x 32  sub-folder table: 4 bytes number of files, 8 bytes name (no zero byte)
//   460     4 x 33   header data words (cache-group root, leak list, notifications)
//   592     ...      allocation bitmap of the blocks, up to offset 0x4000
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Failure.h"

namespace pagehold {

inline constexpr std::string_view kIndexDatSignature = "Client UrlCache MMF Ver 5.2";
inline constexpr std::string_view kWineIndexDatSignature = "WINE URLCache Ver 0.2012001";
inline constexpr std::size_t kIndexDatFolderTableOffset = 76;
inline constexpr std::size_t kIndexDatFolderEntrySize = 12;
inline constexpr std::size_t kIndexDatMaxFolders = 32;
// The header fields that a reader needs end with the sub-folder table.
inline constexpr std::size_t kIndexDatHeaderMinimumSize =
    kIndexDatFolderTableOffset + kIndexDatFolderEntrySize * kIndexDatMaxFolders;

struct IndexDatHeader {
  std::uint32_t fileSize = 0;
  std::uint32_t hashTableOffset = 0;
  std::uint32_t capacityBlocks = 0;
  std::uint32_t blocksInUse = 0;
  // The sub-folder names in table order; a name that cannot be a plain folder name (empty,
  // "." or "..", or holding a slash) is kept as an empty string, so that it names no path.
  std::vector<std::string> cacheFolders;
};

// Decodes the header from the first bytes of a file. Fails, saying why, when the bytes end
// before the sub-folder table or the signature is neither the 5.2 one nor Wine's.
Result<IndexDatHeader> ParseIndexDatHeader(std::string_view bytes);

// True when a name read from the file can stand as one component of a path.
bool IsPlainPathComponent(std::string_view name);

}  // namespace pagehold
