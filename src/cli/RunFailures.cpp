#include "cli/RunFailures.h"

#include <ostream>

#include "cli/CommandArguments.h"

namespace pagehold {

int ReportRunFailures(std::ostream& err, std::string_view command, const ArchiveRunReport& report) {
  for (const RunFailure& failure : report.failures)
    err << "pagehold " << command << ": " << failure.Describe() << '\n';
  return report.failures.empty() ? kExitDone : kExitRefused;
}

}  // namespace pagehold
