// A whole index.dat: the header, the chain of hash tables and the live URL records they name,
// in the order a WinINet enumeration reports them (hash table by hash table, slot by slot).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/IndexDatHeader.h"
#include "platform/IndexDatUrlRecord.h"
#include "platform/UrlCache.h"

namespace pagehold {

struct IndexDatEntry {
  std::uint32_t recordOffset = 0;  // file offset of the URL record
  IndexDatUrlRecord record;
};

struct IndexDatContents {
  IndexDatHeader header;
  std::vector<IndexDatEntry> entries;
};

// The file offsets that the live slots of the hash table chain name, in enumeration order (each
// inside the file; what lies there is not checked).
std::vector<std::uint32_t> LiveRecordOffsets(std::string_view file, const IndexDatHeader& header);

// Decodes the bytes of a whole file; nullopt when the header cannot be read. Damage further on
// (hash tables or records cut off, out of the file, looping chains, bad block counts) only
// leaves out what cannot be read.
std::optional<IndexDatContents> ParseIndexDat(std::string_view file);

// Reads and decodes the file at path; nullopt when it cannot be read or decoded.
std::optional<IndexDatContents> ReadIndexDat(const std::string& path);

// The entry as WinINet reports it: the local file name is the cache folder, the record's
// sub-folder and its file name joined; it stays empty when the record names no file, an
// unknown sub-folder, or a name that is not a plain file name.
UrlCacheEntry EntryFromRecord(const IndexDatUrlRecord& record, const IndexDatHeader& header,
                              const std::string& cacheFolder);
// The same, taking the record's strings over rather than copying them.
UrlCacheEntry EntryFromRecord(IndexDatUrlRecord&& record, const IndexDatHeader& header,
                              const std::string& cacheFolder);

}  // namespace pagehold
