// A URL cache written out one line per entry, so that the same cache read on two systems (through
// WinINet on Windows, through index.dat elsewhere) can be compared: the key, the local file
// relative to the cache folder (with "/"), the two times, the header bytes in hexadecimal, and
// the item that the IE source makes of the entry (URL, date, MIME type, kind) or "dropped" and
// why.
#pragma once

#include <string>
#include <vector>

#include "cache/MimeTable.h"
#include "platform/UrlCache.h"

namespace pagehold::testgen {

// The file a cache run on Windows leaves for the reader on Linux, inside the export folder beside
// the copied cache folder ("cache").
inline constexpr char kListingFileName[] = "entries.tsv";
inline constexpr char kExportedCacheFolder[] = "cache";

std::string ListingLine(const UrlCacheEntry& entry, const std::string& cacheFolder,
                        TMimeTable& mimeTable);

// The lines of a listing, sorted (the two readers need not agree on the order).
std::vector<std::string> SortedLines(std::vector<std::string> lines);

// The sorted listing of a cache folder as Pagehold's own index.dat reader sees it.
std::vector<std::string> ListIndexDat(const std::string& cacheFolder, TMimeTable& mimeTable);

// Writes sorted lines to a listing file, and reads them back (throws std::runtime_error when the
// file cannot be written or read).
void WriteListing(const std::string& path, const std::vector<std::string>& lines);
std::vector<std::string> ReadListing(const std::string& path);

}  // namespace pagehold::testgen
