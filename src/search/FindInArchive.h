// What the Find button of the search window does, without the window: check the three fields,
// search, report an empty result, and remember the folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "search/ArchiveSearch.h"

namespace pagehold {

class FolderMemory;
class Interaction;
class TMimeTable;

// The fields as the user typed them.
struct FindFields {
  std::string urlText;
  std::string htmlText;
  std::string folderText;
};

// The field a refused search puts the focus on.
enum class FindFocus { None, Url, Folder };

struct FindOutcome {
  bool searched = false;              // the checks passed and the search ran
  FindFocus focus = FindFocus::None;  // set when a check refused
  SearchSummary summary;
};

// The checks before a search. Refuses, with its message, when both patterns are empty (focus on
// the address field), when the folder does not exist or holds no archive.dat (focus on the
// folder field). Otherwise gives the query: the folder cut to 255 characters with a separator
// appended, and the patterns each cut to 255 characters.
std::optional<SearchQuery> CheckFindFields(const FindFields& fields, Interaction& ui,
                                           FindFocus& focus);

// What follows a search: says so when archive.dat is damaged (the rows come from what can be
// read), shows "No files found." when no row came, and remembers the folder text as typed.
void FinishFind(const FindFields& fields, const SearchSummary& summary, Interaction& ui,
                FolderMemory& memory);

// CheckFindFields, SearchArchive and FinishFind in a row: the Find button of a caller that
// shows nothing while it searches.
FindOutcome FindInArchive(const FindFields& fields, const TMimeTable& mimeTable, Interaction& ui,
                          FolderMemory& memory, const SearchRowSink& addRow);

// The folder an archive action works on: the text with a separator appended when it does not
// end in one. An empty text stays empty.
std::string ArchiveFolderOf(std::string_view typedFolder);

// True when the folder (ending in a separator) holds archive.dat. An empty folder holds none:
// the working folder of the process is never looked at by accident.
bool HoldsArchiveInfoFile(const std::string& folder);

}  // namespace pagehold
