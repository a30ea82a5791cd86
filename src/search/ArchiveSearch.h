// Searching one archive folder: by a piece of the web address, by a piece of the text of the
// archived pages, or by both. Only entries whose archived copy is still present are looked at.
#pragma once

#include <functional>
#include <string>

#include "archive/ArchiveFileReader.h"
#include "search/ResultIcon.h"

namespace pagehold {

class Interaction;
class TMimeTable;

struct SearchQuery {
  std::string folder;       // the archive folder, ending in a separator
  std::string urlPattern;   // empty: every address matches
  std::string textPattern;  // empty: the text is not looked at
};

// One result row.
struct SearchResult {
  std::string Url;          // the address in its short form (port 80 not shown), as stored
  std::string ArchiveFile;  // full path of the archived copy
  ResultIcon Icon = ResultIcon::Other;
};

struct SearchSummary {
  int rows = 0;                   // rows delivered
  int recordsRead = 0;            // records taken from archive.dat
  bool stopped = false;           // the person asked to stop before the end
  bool readFailed = false;        // archive.dat could not be read at all
  ArchiveFileState archiveState;  // complete, or where it is damaged and what was salvaged
};

using SearchRowSink = std::function<void(SearchResult)>;

// Reads archive.dat of the query's folder record by record and hands every match to addRow, in
// archive.dat order. Both patterns are compared in lower case (A-Z only) with the lower-cased
// short address; the text pattern is looked for only in HTML pages (MIME row 1). After each
// record pending events run and a stop request ends the search; the rows delivered so far stay.
// A damaged archive.dat is searched in every record that can be read, those after the damage
// too; the summary tells what was skipped. An unreadable one gives no rows.
SearchSummary SearchArchive(const SearchQuery& query, const TMimeTable& mimeTable, Interaction& ui,
                            const SearchRowSink& addRow);

}  // namespace pagehold
