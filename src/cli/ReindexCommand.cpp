// pagehold reindex FOLDER: the re-index of the delete-from-archive window. The records whose
// archived copies are gone leave archive.dat and the index pages are rebuilt from what is left;
// the path of the index page is printed last. No question is asked: the index page is not
// opened. A damaged archive.dat is left as it is unless --salvage asks to go on with what can be
// read (the damaged file is kept beside it first).
#include <ostream>
#include <string>

#include "archive/ArchiveRun.h"
#include "cli/CommandArguments.h"
#include "cli/Commands.h"
#include "cli/RunFailures.h"
#include "cli/TerminalInteraction.h"
#include "platform/Paths.h"
#include "platform/ProgramFolders.h"
#include "prefs/AppContext.h"
#include "prefs/PropertiesValues.h"
#include "search/ArchiveMaintenance.h"
#include "search/FindInArchive.h"
#include "search/SearchMessages.h"
#include "search/StoredFolders.h"

namespace pagehold {

namespace {

constexpr const char* kCommand = "reindex";

bool ParseFolder(Arguments args, std::string& folder, bool& salvage, std::string& reason) {
  salvage = TakeFlag(args, "--salvage");
  if (args.empty() || args.front().starts_with("--")) {
    reason = args.empty() ? "give the archive FOLDER to re-index"
                          : "unknown option '" + args.front() + "'";
    return false;
  }
  folder = args.front();
  return NoArgumentsLeft(Arguments(args.begin() + 1, args.end()), reason);
}

}  // namespace

int RunReindexCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  std::string folder;
  bool salvage = false;
  std::string reason;
  if (!ParseFolder(args, folder, salvage, reason))
    return ReportBadUsage(err, kCommand, reason);
  // Checked here first so that the refusal is one line; the re-index checks it again.
  if (!HoldsArchiveInfoFile(ArchiveFolderOf(folder)))
    return ReportBadUsage(err, kCommand, OneLineMessage(kNoArchiveInfoMessage));

  // The index pages follow the stored settings (detailed index, emphasis), as in the window.
  AppContext context(Product::Navigator, RunningProgramFolders());
  PropertiesValues values;
  FillInText(context, values, [] { return std::string(); });

  TerminalInteraction ui(err, false, IsTerminal(err));
  StoredFolderMemory memory(context.store);
  ArchiveRunOptions options;
  options.askToOpenIndex = false;
  options.showFailures = false;
  options.damagedArchive = salvage ? DamagedArchiveChoice::Salvage : DamagedArchiveChoice::Refuse;
  const std::optional<ArchiveRunReport> report =
      ReindexWithArchiveRun(folder, context, ui, memory, options);
  if (!report)
    return kExitBadUsage;
  if (report->outcome == ArchiveRunOutcome::ArchiveDamaged ||
      report->outcome == ArchiveRunOutcome::ArchiveUnreadable)
    return ReportRefusedArchive(err, kCommand, folder, *report);
  if (report->outcome != ArchiveRunOutcome::Completed)
    return kExitRefused;
  const int status = ReportRunFailures(err, kCommand, *report);
  if (!FileExists(report->indexPage)) {
    if (status == kExitDone)
      err << "pagehold " << kCommand << ": no entry is left; " << kArchiveInfoFileName << " and "
          << kIndexPageName << " were removed\n";
    return status;
  }
  out << report->indexPage << '\n';
  return status;
}

}  // namespace pagehold
