// A whole index.dat: the header, the chain of hash tables and the live URL records they name,
// in the order a WinINet enumeration reports them (hash table by hash table, slot by slot).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Failure.h"
#include "platform/IndexDatHeader.h"
#include "platform/IndexDatUrlRecord.h"
#include "platform/UrlCache.h"

namespace pagehold {

struct IndexDatEntry {
  std::uint32_t recordOffset = 0;  // file offset of the URL record
  IndexDatUrlRecord record;
};

// What could not be read of a file whose header was read.
struct IndexDatDamage {
  std::size_t damagedRecords = 0;  // live slots whose record is out of the file or unreadable
  std::size_t damagedTables = 0;   // links of the hash table chain that lead to no table
  std::uint64_t fileSize = 0;      // the file ended early when this is below recordedSize
  std::uint64_t recordedSize = 0;  // the size the header records
};

struct IndexDatContents {
  IndexDatHeader header;
  std::vector<IndexDatEntry> entries;
  IndexDatDamage damage;
};

// The file offsets that the live slots of the hash table chain name, in enumeration order (each
// inside the file; what lies there is not checked). damage, when given, counts the links that
// lead to no table and the live slots that point outside the file.
std::vector<std::uint32_t> LiveRecordOffsets(std::string_view file, const IndexDatHeader& header,
                                             IndexDatDamage* damage = nullptr);

// The URL record at a live slot's offset, or nothing. A record that is neither a URL record
// that can be read nor a record of another known kind (a redirect) counts as damage.
std::optional<IndexDatUrlRecord> UrlRecordAt(std::string_view file, std::uint32_t offset,
                                             IndexDatDamage& damage);

// The damage count of a file before its records are read: its size against the size its
// header records.
IndexDatDamage DamageOfSize(std::string_view file, const IndexDatHeader& header);

// Decodes the bytes of a whole file; fails, saying why, when the header cannot be read.
// Damage further on (hash tables or records cut off, out of the file, looping chains, bad
// block counts) only leaves out what cannot be read, and is counted.
Result<IndexDatContents> ParseIndexDat(std::string_view file);

// Reads and decodes the file at path; fails when it cannot be read or decoded.
Result<IndexDatContents> ReadIndexDat(const std::string& path);

// The entry as WinINet reports it: the local file name is the cache folder, the record's
// sub-folder and its file name joined; it stays empty when the record names no file, an
// unknown sub-folder, or a name that is not a plain file name (the two last are marked as an
// unusable name).
UrlCacheEntry EntryFromRecord(const IndexDatUrlRecord& record, const IndexDatHeader& header,
                              const std::string& cacheFolder);
// The same, taking the record's strings over rather than copying them.
UrlCacheEntry EntryFromRecord(IndexDatUrlRecord&& record, const IndexDatHeader& header,
                              const std::string& cacheFolder);

}  // namespace pagehold
