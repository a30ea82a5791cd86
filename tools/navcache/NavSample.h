// The bundled sample Navigator cache: two invented sites whose pages link to each other and to
// their pictures, a few other file types, and the entries a reading must drop (a missing
// cached file, a secure page, an FTP file).
#pragma once

#include <string>
#include <vector>

#include "navcache/NavCacheRecords.h"

namespace pagehold::testgen {

std::vector<NavCacheEntry> SampleEntries();

// Writes "fat.db" (4096-byte pages) and the cached files into folder.
void WriteSampleCache(const std::string& folder);

}  // namespace pagehold::testgen
