// Deleting entries from an archive folder: the folder is opened in the file manager, where the
// user deletes domain folders or single files, and the archive is then re-indexed, which drops
// the records whose copies are gone and rebuilds the index pages from what is left.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "archive/ArchiveRun.h"

namespace pagehold {

class FolderMemory;
class Interaction;
class ShellLauncher;

// The folder of the field with a separator appended, when it holds archive.dat. Otherwise shows
// the message about the missing info file (also for an empty field) and gives nothing.
std::optional<std::string> MaintenanceFolder(const std::string& typedFolder, Interaction& ui);

// Opens the archive folder in the file manager with the verb "explore" (its outcome is not
// examined: a folder the file manager cannot show is not reported), then remembers the folder
// text as typed. Returns false when the folder was refused.
bool ExploreArchive(const std::string& typedFolder, ShellLauncher& shell, Interaction& ui,
                    FolderMemory& memory);

// Runs an archive run in re-index mode (an empty selection) on the archive folder given.
using ReindexRun = std::function<void(const std::string& archiveFolder)>;

// Re-indexes the archive folder of the field: run gets that folder (cut to 255 characters), and
// the folder text is remembered as typed, also when run throws; the exception then goes on to
// the caller. The current settings are not touched: the folder is the run's own. Returns false
// when the folder was refused (run is not called).
bool ReindexArchive(const std::string& typedFolder, Interaction& ui, FolderMemory& memory,
                    const ReindexRun& run);

// ReindexArchive with the archive run: an empty selection on the folder, with the run's options
// (the window asks whether to open the index page, the command line does not). Gives the run's
// report, or nothing when the folder was refused.
std::optional<ArchiveRunReport> ReindexWithArchiveRun(const std::string& typedFolder,
                                                      AppContext& context, Interaction& ui,
                                                      FolderMemory& memory,
                                                      const ArchiveRunOptions& options = {});

}  // namespace pagehold
