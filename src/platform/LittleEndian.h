// Little-endian numbers in byte strings: the one way every reader of outside bytes (index.dat,
// Navigator cache indexes, archive.dat) decodes them and the archive writer encodes them, the
// same on every machine. Readers check the bounds (HasBytes) before reading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pagehold {

// True when bytes holds length bytes from offset on.
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

inline void AppendU32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<char>((value >> shift) & 0xff));
}

inline void AppendU64(std::string& out, std::uint64_t value) {
  AppendU32(out, static_cast<std::uint32_t>(value));
  AppendU32(out, static_cast<std::uint32_t>(value >> 32));
}

}  // namespace pagehold
