// pagehold check FOLDER [--remove-orphans]: tells whether an archive folder is sound. It lists
// the state of archive.dat (complete, or where it is damaged and what could be salvaged), the
// records whose archived file is missing, and the files that no record names; exit status 0
// when there is nothing to list, 1 otherwise. --remove-orphans removes the files that no record
// names, after saying how many, and only when archive.dat is complete.
#include <ostream>
#include <string>

#include "cache/MimeTable.h"
#include "cli/CommandArguments.h"
#include "cli/Commands.h"
#include "platform/Paths.h"
#include "platform/ProgramFolders.h"
#include "search/ArchiveCheck.h"
#include "search/FindInArchive.h"
#include "search/SearchMessages.h"

namespace pagehold {

namespace {

constexpr const char* kCommand = "check";

}  // namespace

int RunCheckCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  Arguments rest = args;
  const bool removeOrphans = TakeFlag(rest, "--remove-orphans");
  std::string reason;
  if (rest.empty() || rest.front().starts_with("--")) {
    return ReportBadUsage(err, kCommand,
                          rest.empty() ? "give the archive FOLDER to check"
                                       : "unknown option '" + rest.front() + "'");
  }
  const std::string folder = ArchiveFolderOf(rest.front());
  if (!NoArgumentsLeft(Arguments(rest.begin() + 1, rest.end()), reason))
    return ReportBadUsage(err, kCommand, reason);
  if (!HoldsArchiveInfoFile(folder))
    return ReportBadUsage(err, kCommand, OneLineMessage(kNoArchiveInfoMessage));

  const TMimeTable mimeTable(RunningProgramFolders().mimeTable);
  const Result<ArchiveCheck> check = CheckArchive(folder, mimeTable);
  if (!check)
    return ReportBadUsage(err, kCommand, check.failure().Describe());

  out << kArchiveInfoFileName << ": " << check->state.Describe() << '\n';
  for (std::size_t i = 0; i < check->missingFiles.size(); ++i)
    out << "missing file: " << check->missingFiles[i] << " (" << check->missingUrls[i] << ")\n";
  for (const std::string& orphan : check->orphanFiles)
    out << "file no record names: " << orphan << '\n';
  out << check->missingFiles.size() << " records without their file, " << check->orphanFiles.size()
      << " files that no record names\n";

  bool sound = check->Sound();
  if (removeOrphans && !check->orphanFiles.empty()) {
    if (check->state.Damaged()) {
      err << "pagehold " << kCommand << ": " << kArchiveInfoFileName
          << " is damaged, and records that cannot be read may name those files; none is "
             "removed\n";
      return kExitRefused;
    }
    err << "pagehold " << kCommand << ": removing " << check->orphanFiles.size()
        << " files that no record names\n";
    const std::vector<Failure> failures = RemoveOrphans(*check);
    for (const Failure& failure : failures)
      err << "pagehold " << kCommand << ": could not remove " << failure.Describe() << '\n';
    sound = failures.empty() && check->missingFiles.empty();
  }
  return sound ? kExitDone : kExitRefused;
}

}  // namespace pagehold
