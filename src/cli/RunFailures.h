// How the archive and re-index commands tell what a run could not do: one line per failure on
// the error stream, and exit status 1.
#pragma once

#include <iosfwd>
#include <string_view>

#include "archive/ArchiveRun.h"

namespace pagehold {

// Prints "pagehold COMMAND: could not ...: PATH: REASON" for each failure of the run, after a
// line about a damaged archive.dat that was salvaged. Returns the exit status of a run that went
// to its end: 0 when nothing failed and archive.dat was whole, 1 otherwise.
int ReportRunFailures(std::ostream& err, std::string_view command, const ArchiveRunReport& report);

// For a run that stopped before writing anything because archive.dat was damaged or unreadable:
// prints why and what --salvage would do, and returns 1.
int ReportRefusedArchive(std::ostream& err, std::string_view command, const std::string& folder,
                         const ArchiveRunReport& report);

}  // namespace pagehold
