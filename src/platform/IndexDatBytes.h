// Little-endian reads from the bytes of an index.dat, and the constants its structures share.
// Callers check the bounds with HasBytes before reading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pagehold {

// Records live after the 16 KiB file header, in runs of whole 128-byte blocks.
inline constexpr std::uint32_t kIndexDatRecordsStart = 0x4000;
inline constexpr std::uint32_t kIndexDatBlockSize = 128;

inline bool HasBytes(std::string_view bytes, std::uint64_t offset, std::uint64_t length) {
  return offset <= bytes.size() && length <= bytes.size() - offset;
}

inline std::uint8_t ReadU8(std::string_view bytes, std::size_t offset) {
  return static_cast<std::uint8_t>(bytes[offset]);
}

inline std::uint16_t ReadU16(std::string_view bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(ReadU8(bytes, offset) | (ReadU8(bytes, offset + 1) << 8));
}

inline std::uint32_t ReadU32(std::string_view bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(ReadU16(bytes, offset)) |
         (static_cast<std::uint32_t>(ReadU16(bytes, offset + 2)) << 16);
}

inline std::uint64_t ReadU64(std::string_view bytes, std::size_t offset) {
  return static_cast<std::uint64_t>(ReadU32(bytes, offset)) |
         (static_cast<std::uint64_t>(ReadU32(bytes, offset + 4)) << 32);
}

}  // namespace pagehold
