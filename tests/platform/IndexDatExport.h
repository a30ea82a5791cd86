// Runs the independent index.dat reader msiecfexport (libmsiecf-utils) and collects the
// records it prints, so that tests can compare them with what the reader here finds.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/UrlCache.h"

namespace pagehold::testing {

struct ExportedRecord {
  std::string type;  // "URL", "REDR", "LEAK"
  std::uint32_t offset = 0;
  std::uint32_t size = 0;
  std::map<std::string, std::string> fields;  // "Location", "Primary time", "Filename", ...
};

bool MsiecfexportInstalled();

// The allocated records that msiecfexport finds in a file, in its order; nullopt when the
// program could not be run.
std::optional<std::vector<ExportedRecord>> RunMsiecfexport(const std::string& path);

// A file time as msiecfexport prints it: "Aug 25, 2015 11:05:20.262000000", or to the whole
// second ("Aug 25, 2015 11:05:22") for a time stored as a FAT date and time.
std::string ExportedFileTime(FileTime time, bool withFraction);

}  // namespace pagehold::testing
