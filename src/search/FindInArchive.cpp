#include "search/FindInArchive.h"

#include "cache/Folders.h"
#include "platform/Interaction.h"
#include "platform/Paths.h"
#include "search/FolderMemory.h"
#include "search/SearchMessages.h"

namespace pagehold {

namespace {

// Folder and pattern texts longer than this are cut, as the fields of the window hold them.
constexpr size_t kFieldLimit = 255;

std::string Cut(std::string_view text) {
  return std::string(text.substr(0, kFieldLimit));
}

}  // namespace

std::string ArchiveFolderOf(std::string_view typedFolder) {
  return WithTrailingSeparator(typedFolder);
}

bool HoldsArchiveInfoFile(const std::string& folder) {
  return !folder.empty() && FileExists(JoinPath(folder, kArchiveInfoFileName));
}

FindOutcome FindInArchive(const FindFields& fields, const TMimeTable& mimeTable, Interaction& ui,
                          FolderMemory& memory, const SearchRowSink& addRow) {
  FindOutcome outcome;
  if (fields.urlText.empty() && fields.htmlText.empty()) {
    Inform(ui, kEnterSearchTextMessage);
    outcome.focus = FindFocus::Url;
    return outcome;
  }
  if (fields.folderText.empty() || !DirectoryExists(fields.folderText)) {
    Inform(ui, std::string(kFolderNotFoundMessage) + fields.folderText);
    outcome.focus = FindFocus::Folder;
    return outcome;
  }
  const std::string folder = ArchiveFolderOf(Cut(fields.folderText));
  if (!HoldsArchiveInfoFile(folder)) {
    Inform(ui, kNoArchiveInfoMessage);
    outcome.focus = FindFocus::Folder;
    return outcome;
  }

  const SearchQuery query{folder, Cut(fields.urlText), Cut(fields.htmlText)};
  outcome.searched = true;
  outcome.summary = SearchArchive(query, mimeTable, ui, addRow);
  const ArchiveFileState& state = outcome.summary.archiveState;
  if (state.Damaged()) {
    Inform(ui, std::string(kArchiveInfoFileName) + " is " + state.Describe() +
                   ".\r\nThe results come from the " + std::to_string(state.RecordsReadable()) +
                   " records that can be read.");
  }
  if (outcome.summary.rows == 0)
    Inform(ui, kNoFilesFoundMessage);
  memory.Remember(RememberedFolder::Search, fields.folderText);
  return outcome;
}

}  // namespace pagehold
