// A hash table record of an index.dat: the index of every live cache entry. Tables form a
// chain through their "next" field.
//
//   offset  size     field
//   0       4        signature "HASH"
//   4       4        number of 128-byte blocks (32)
//   8       4        file offset of the next hash table, 0 for the last
//   12      4        sequence number of the table in the chain, from 0
//   16      8 x 448  slots: 4 bytes key, 4 bytes file offset of the entry's record
//
// The 448 slots are 64 buckets of 7. A slot's key is the entry's hash with the low 6 bits
// replaced by a state: key 3 marks a slot never used and key 1 a deleted entry (whose stale
// offset must not be followed); every other key names a live record (URL, redirect, ...).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace pagehold {

inline constexpr std::size_t kHashTableSlots = 448;
inline constexpr std::size_t kHashTableSlotsOffset = 16;
inline constexpr std::uint32_t kHashSlotFree = 3;
inline constexpr std::uint32_t kHashSlotDeleted = 1;

struct HashSlot {
  std::uint32_t key = kHashSlotFree;
  std::uint32_t recordOffset = kHashSlotFree;
};

struct IndexDatHashTable {
  std::uint32_t nextTableOffset = 0;
  std::uint32_t sequenceNumber = 0;
  std::vector<HashSlot> slots;  // as many of the 448 as the bytes hold
};

// Decodes a hash table from bytes that start at the table; nullopt without the "HASH"
// signature. A table cut short by the end of the bytes gives the slots that are complete.
std::optional<IndexDatHashTable> ParseHashTable(std::string_view bytes);

// True for a slot that names a live record.
bool IsLiveSlot(const HashSlot& slot);

// WinINet's hash of a cache key: a four-byte Pearson hash; one trailing "/" is not hashed.
std::uint32_t UrlCacheHash(std::string_view key);

}  // namespace pagehold
