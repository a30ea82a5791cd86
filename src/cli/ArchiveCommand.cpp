// pagehold archive: archives the chosen items into the folder named by --to, with the link
// options and emphasis the user's settings hold, and prints the index page's path last. The
// question whether to create a missing folder is answered by --yes; the question whether to open
// the index page is not asked (--open opens it). A damaged archive.dat is never written over:
// the run refuses, unless --salvage asks it to keep the damaged file and go on.
#include <ostream>

#include "archive/ArchiveRun.h"
#include "cli/CacheSession.h"
#include "cli/CommandArguments.h"
#include "cli/Commands.h"
#include "cli/RunFailures.h"
#include "cli/TerminalInteraction.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "prefs/PropertiesValues.h"

namespace pagehold {

namespace {

struct ArchiveFlags {
  std::string folder;
  bool yes = false;
  bool open = false;
  bool salvage = false;
};

bool ParseArchiveFlags(Arguments& rest, ArchiveFlags& flags, std::string& reason) {
  flags.yes = TakeFlag(rest, "--yes");
  flags.open = TakeFlag(rest, "--open");
  flags.salvage = TakeFlag(rest, "--salvage");
  if (!TakeFlagValue(rest, "--to", flags.folder, reason))
    return false;
  if (flags.folder.empty()) {
    reason = "--to FOLDER is required";
    return false;
  }
  return NoArgumentsLeft(rest, reason);
}

// The link options, emphasis tags and index detail come from the stored settings, as in the
// window; the archive folder is the one given, not the one of the settings.
void LoadSettings(AppContext& context) {
  PropertiesValues values;
  FillInText(context, values, [] { return std::string(); });
}

}  // namespace

int RunArchiveCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  SourceOptions options;
  ArchiveFlags flags;
  std::string reason;
  if (!ParseSourceOptions(args, options, reason) || !ParseArchiveFlags(options.rest, flags, reason))
    return ReportBadUsage(err, "archive", reason);

  CacheSession session(options, "archive");
  TerminalInteraction ui(err, flags.yes, IsTerminal(err));
  if (!session.Load(ui, err, reason))
    return ReportBadUsage(err, "archive", reason);
  const ItemRefs chosen = session.Explorer().ChosenItems();
  if (chosen.empty()) {
    // An empty selection would make the run a re-index of the folder, which is not what was
    // asked for.
    err << "pagehold archive: no cache item matches; nothing to archive\n";
    return kExitRefused;
  }

  AppContext& context = session.Context();
  LoadSettings(context);
  ArchiveRunOptions runOptions;
  runOptions.namingRule = session.Source().FileNamingRule();
  runOptions.askToOpenIndex = false;
  runOptions.showFailures = false;
  runOptions.damagedArchive =
      flags.salvage ? DamagedArchiveChoice::Salvage : DamagedArchiveChoice::Refuse;
  // Absolute, so that the printed index page can be opened from anywhere.
  const std::string folder = AbsolutePath(flags.folder);
  ArchiveRun run(context, ui, folder, runOptions);
  const ArchiveRunReport report = run.Run(chosen);

  switch (report.outcome) {
    case ArchiveRunOutcome::FolderRefused:
    case ArchiveRunOutcome::Cancelled:
      return kExitRefused;
    case ArchiveRunOutcome::ArchiveUnreadable:
    case ArchiveRunOutcome::ArchiveDamaged:
      return ReportRefusedArchive(err, "archive", folder, report);
    case ArchiveRunOutcome::FolderNotCreated:
      return ReportBadUsage(err, "archive", "could not create " + folder);
    case ArchiveRunOutcome::Completed:
      break;
  }
  ui.ShowStatus("archived " + std::to_string(report.archivedItems) + " of " +
                std::to_string(chosen.size()) + " items");
  if (report.unplaceableItems > 0) {
    ui.ShowStatus("left out " + std::to_string(report.unplaceableItems) +
                  " items whose host or type cannot name a folder");
  }
  const int status = ReportRunFailures(err, "archive", report);
  if (flags.open && !ShellSucceeded(SystemShell().Execute(report.indexPage, "")))
    err << "pagehold archive: could not open " << report.indexPage << "\n";
  out << report.indexPage << "\n";
  return session.Finish(status, err);
}

}  // namespace pagehold
