#include "search/ArchiveMaintenance.h"

#include "platform/Interaction.h"
#include "platform/Shell.h"
#include "search/FindInArchive.h"
#include "search/FolderMemory.h"
#include "search/SearchMessages.h"

namespace pagehold {

namespace {

// An archive folder has at most this many characters, as the settings hold it.
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

bool ReindexArchive(const std::string& typedFolder, Interaction& ui, FolderMemory& memory,
                    const ReindexRun& run) {
  const std::optional<std::string> folder = MaintenanceFolder(typedFolder, ui);
  if (!folder)
    return false;
  // The folder is remembered however the run ends.
  try {
    run(folder->substr(0, kFolderLimit));
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
  ReindexArchive(typedFolder, ui, memory, [&](const std::string& archiveFolder) {
    ArchiveRun run(context, ui, archiveFolder, options);
    report = run.Run(ItemRefs{});
  });
  return report;
}

}  // namespace pagehold
