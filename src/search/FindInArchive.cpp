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

std::optional<SearchQuery> CheckFindFields(const FindFields& fields, Interaction& ui,
                                           FindFocus& focus) {
  if (fields.urlText.empty() && fields.htmlText.empty()) {
    Inform(ui, kEnterSearchTextMessage);
    focus = FindFocus::Url;
    return std::nullopt;
  }
  if (fields.folderText.empty() || !DirectoryExists(fields.folderText)) {
    Inform(ui, std::string(kFolderNotFoundMessage) + fields.folderText);
    focus = FindFocus::Folder;
    return std::nullopt;
  }
  std::string folder = ArchiveFolderOf(Cut(fields.folderText));
  if (!HoldsArchiveInfoFile(folder)) {
    Inform(ui, kNoArchiveInfoMessage);
    focus = FindFocus::Folder;
    return std::nullopt;
  }
  focus = FindFocus::None;
  return SearchQuery{std::move(folder), Cut(fields.urlText), Cut(fields.htmlText)};
}

void FinishFind(const FindFields& fields, const SearchSummary& summary, Interaction& ui,
                FolderMemory& memory) {
  const ArchiveFileState& state = summary.archiveState;
  if (state.Damaged()) {
    Inform(ui, std::string(kArchiveInfoFileName) + " is " + state.Describe() +
                   ".\r\nThe results come from the " + std::to_string(state.RecordsReadable()) +
                   " records that can be read.");
  }
  if (summary.rows == 0)
    Inform(ui, kNoFilesFoundMessage);
  memory.Remember(RememberedFolder::Search, fields.folderText);
}

FindOutcome FindInArchive(const FindFields& fields, const TMimeTable& mimeTable, Interaction& ui,
                          FolderMemory& memory, const SearchRowSink& addRow) {
  FindOutcome outcome;
  const std::optional<SearchQuery> query = CheckFindFields(fields, ui, outcome.focus);
  if (!query)
    return outcome;
  outcome.searched = true;
  outcome.summary = SearchArchive(*query, mimeTable, ui, addRow);
  FinishFind(fields, outcome.summary, ui, memory);
  return outcome;
}

}  // namespace pagehold
