// The constants the structures of an index.dat share, and the little-endian reads of its bytes.
// Callers check the bounds with HasBytes before reading.
#pragma once

#include <cstdint>

#include "platform/LittleEndian.h"

namespace pagehold {

// Records live after the 16 KiB file header, in runs of whole 128-byte blocks.
inline constexpr std::uint32_t kIndexDatRecordsStart = 0x4000;
inline constexpr std::uint32_t kIndexDatBlockSize = 128;

}  // namespace pagehold
