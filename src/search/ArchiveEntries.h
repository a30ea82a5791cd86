// Deleting chosen entries from an archive folder, without a file manager: the entries are
// listed (every readable record whose archived copy is there), the person chooses some and
// confirms, their archived copies are deleted, and a re-index then drops their records and
// rebuilds the index pages from what is left.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "archive/ArchiveRun.h"
#include "search/ArchiveSearch.h"

namespace pagehold {

class Interaction;
class TMimeTable;

struct ArchiveEntries {
  std::string folder;              // the archive folder listed, ending in a separator
  std::vector<SearchResult> rows;  // in archive.dat order
  SearchSummary summary;           // what reading archive.dat found
};

// Lists the entries of the archive folder (ending in a separator, holding archive.dat). Pending
// events run during the listing as during a search; a stop request ends it early.
ArchiveEntries ListArchiveEntries(const std::string& folder, const TMimeTable& mimeTable,
                                  Interaction& ui);

// One line for people about a listing: how many entries it holds, and, when archive.dat could
// not be read or is damaged, what the listing is based on.
std::string EntriesNote(const ArchiveEntries& entries);

// Asks before the chosen entries (count of them) are deleted. When archive.dat is damaged the
// archive run's own question comes first (go on with the records that can be read, the damaged
// file being kept); then whether to delete. Gives how the re-index is to treat a damaged
// archive.dat, or nothing when the person declined either question.
std::optional<DamagedArchiveChoice> ConfirmEntryDeletion(const ArchiveEntries& entries,
                                                         std::size_t count, Interaction& ui);

// The question that confirms a deletion of count entries (buttons Yes and No).
Message DeleteEntriesQuestion(std::size_t count);

// Deletes the archived copies of the chosen entries, showing progress; gives a failure for each
// copy that could not be deleted. A copy that is already gone is no failure.
std::vector<RunFailure> DeleteArchivedCopies(const std::vector<SearchResult>& chosen,
                                             Interaction& ui);

}  // namespace pagehold
