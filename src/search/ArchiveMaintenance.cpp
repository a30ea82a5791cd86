#include "search/ArchiveMaintenance.h"

#include "platform/Interaction.h"
#include "platform/Shell.h"
#include "prefs/CurrentSettings.h"
#include "search/FindInArchive.h"
#include "search/FolderMemory.h"
#include "search/SearchMessages.h"

namespace pagehold {

namespace {

// CurrentArchiveFolder holds at most this many characters.
constexpr size_t kFolderLimit = 255;

}  // namespace

std::optional<std::string> MaintenanceFolder(const std::string& typedFolder, Interaction& ui) {
  std::string folder = ArchiveFolderOf(typedFolder);
  if (!HoldsArchiveInfoFile(folder)) {
    Inform(ui, kNoArchiveInfoMessage);
    return std::nullopt;
  }
  return folder;
}

bool ExploreArchive(const std::string& typedFolder, ShellLauncher& shell, Interaction& ui,
                    FolderMemory& memory) {
  const std::optional<std::string> folder = MaintenanceFolder(typedFolder, ui);
  if (!folder)
    return false;
  shell.Execute(*folder, kExploreVerb);
  memory.Remember(RememberedFolder::Reindex, typedFolder);
  return true;
}

CurrentArchiveFolderSwap::CurrentArchiveFolderSwap(CurrentSettings& settings, std::string folder)
    : settings_(settings), previous_(std::move(settings.CurrentArchiveFolder)) {
  settings_.CurrentArchiveFolder = std::move(folder);
}

CurrentArchiveFolderSwap::~CurrentArchiveFolderSwap() {
  settings_.CurrentArchiveFolder = std::move(previous_);
}

bool ReindexArchive(const std::string& typedFolder, CurrentSettings& settings, Interaction& ui,
                    FolderMemory& memory, const ReindexRun& run) {
  const std::optional<std::string> folder = MaintenanceFolder(typedFolder, ui);
  if (!folder)
    return false;
  // The current archive folder is put back first (by the swap's end), then the folder is
  // remembered, however the run ends.
  try {
    const CurrentArchiveFolderSwap swap(settings, folder->substr(0, kFolderLimit));
    run();
  } catch (...) {
    memory.Remember(RememberedFolder::Reindex, typedFolder);
    throw;
  }
  memory.Remember(RememberedFolder::Reindex, typedFolder);
  return true;
}

std::optional<ArchiveRunReport> ReindexWithArchiveRun(const std::string& typedFolder,
                                                      AppContext& context, Interaction& ui,
                                                      FolderMemory& memory,
                                                      const ArchiveRunOptions& options) {
  std::optional<ArchiveRunReport> report;
  ReindexArchive(typedFolder, context.settings, ui, memory, [&] {
    ArchiveRun run(context, ui, options);
    report = run.Run(ItemRefs{});
  });
  return report;
}

}  // namespace pagehold
