#include "cli/RunFailures.h"

#include <ostream>

#include "cli/CommandArguments.h"
#include "platform/Paths.h"

namespace pagehold {

int ReportRunFailures(std::ostream& err, std::string_view command, const ArchiveRunReport& report) {
  if (!report.keptDamagedFile.empty()) {
    err << "pagehold " << command << ": archive.dat was " << report.archiveState.Describe()
        << "; it is kept as " << report.keptDamagedFile << " and the "
        << report.archiveState.RecordsReadable() << " readable records went on\n";
  }
  for (const RunFailure& failure : report.failures)
    err << "pagehold " << command << ": " << failure.Describe() << '\n';
  return report.failures.empty() && report.keptDamagedFile.empty() ? kExitDone : kExitRefused;
}

int ReportRefusedArchive(std::ostream& err, std::string_view command, const std::string& folder,
                         const ArchiveRunReport& report) {
  (void)ReportRunFailures(err, command, report);
  if (report.outcome == ArchiveRunOutcome::ArchiveDamaged && report.failures.empty()) {
    err << "pagehold " << command << ": " << JoinPath(folder, "archive.dat") << ": "
        << report.archiveState.Describe() << "; nothing was written. --salvage keeps the damaged "
        << "file beside it and goes on with the " << report.archiveState.RecordsReadable()
        << " records that can be read\n";
  }
  return kExitRefused;
}

}  // namespace pagehold
