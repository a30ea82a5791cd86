#include "search/ArchiveEntries.h"

#include "platform/EventPacer.h"
#include "platform/Files.h"
#include "platform/Interaction.h"
#include "search/SearchMessages.h"

namespace pagehold {

ArchiveEntries ListArchiveEntries(const std::string& folder, const TMimeTable& mimeTable,
                                  Interaction& ui) {
  // A search without patterns matches every record whose archived copy is there.
  ArchiveEntries entries;
  entries.folder = folder;
  entries.summary = SearchArchive(SearchQuery{folder, "", ""}, mimeTable, ui,
                                  [&entries](SearchResult row) { entries.rows.push_back(row); });
  return entries;
}

std::string EntriesNote(const ArchiveEntries& entries) {
  if (entries.summary.readFailed)
    return std::string(kArchiveInfoFileName) + " could not be read.";
  const std::size_t count = entries.rows.size();
  std::string note =
      std::to_string(count) + (count == 1 ? " entry" : " entries") + " with an archived file.";
  const ArchiveFileState& state = entries.summary.archiveState;
  if (state.Damaged()) {
    note += " " + std::string(kArchiveInfoFileName) + " is " + state.Describe() +
            "; the list holds the records that can be read.";
  }
  return note;
}

Message DeleteEntriesQuestion(std::size_t count) {
  Message question;
  question.text = "Delete the " + std::to_string(count) +
                  (count == 1 ? " chosen entry" : " chosen entries") +
                  " from the archive?\r\n\r\nTheir archived files are deleted, and the archive "
                  "is re-indexed without them.";
  question.caption = "Pagehold";
  question.icon = MessageIcon::Confirmation;
  question.buttons = MessageButtons::YesNo;
  return question;
}

std::optional<DamagedArchiveChoice> ConfirmEntryDeletion(const ArchiveEntries& entries,
                                                         std::size_t count, Interaction& ui) {
  DamagedArchiveChoice choice = DamagedArchiveChoice::Ask;
  const ArchiveFileState& state = entries.summary.archiveState;
  if (state.Damaged()) {
    const std::string file = entries.folder + std::string(kArchiveInfoFileName);
    if (ui.Ask(DamagedArchiveQuestion(file, state)) != MessageAnswer::Yes)
      return std::nullopt;
    choice = DamagedArchiveChoice::Salvage;
  }
  if (ui.Ask(DeleteEntriesQuestion(count)) != MessageAnswer::Yes)
    return std::nullopt;
  return choice;
}

std::vector<RunFailure> DeleteArchivedCopies(const std::vector<SearchResult>& chosen,
                                             Interaction& ui) {
  std::vector<RunFailure> failures;
  EventPacer pacer(ui);
  ui.ShowStatus("Deleting archived files...");
  for (std::size_t index = 0; index < chosen.size(); ++index) {
    if (Status removed = RemoveFile(chosen[index].ArchiveFile); !removed)
      failures.push_back({"delete the archived file of " + chosen[index].Url, removed.failure()});
    if (pacer.Tick())
      ui.ShowProgress(static_cast<int>(index * 100 / chosen.size()));
  }
  return failures;
}

}  // namespace pagehold
