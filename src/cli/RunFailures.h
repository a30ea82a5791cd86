// How the archive and re-index commands tell what a run could not do: one line per failure on
// the error stream, and exit status 1.
#pragma once

#include <iosfwd>
#include <string_view>

#include "archive/ArchiveRun.h"

namespace pagehold {

// Prints "pagehold COMMAND: could not ...: PATH: REASON" for each failure of the run. Returns
// the exit status of a run that went to its end: 0 without failures, 1 with some.
int ReportRunFailures(std::ostream& err, std::string_view command, const ArchiveRunReport& report);

}  // namespace pagehold
