// pagehold search FOLDER [--url TEXT] [--text TEXT] [--sort]: the archive search of the search
// window, with its checks and messages, printing the result rows (address, archived copy).
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cache/MimeTable.h"
#include "cli/CommandArguments.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"
#include "platform/Interaction.h"
#include "platform/Paths.h"
#include "platform/ProgramFolders.h"
#include "platform/Registry.h"
#include "prefs/SettingsStore.h"
#include "search/FindInArchive.h"
#include "search/FolderMemory.h"
#include "search/ResultSort.h"
#include "search/SearchMessages.h"
#include "search/StoredFolders.h"

namespace pagehold {

namespace {

constexpr const char* kCommand = "search";

struct SearchOptions {
  FindFields fields;
  bool sort = false;
};

bool ParseSearchOptions(Arguments args, SearchOptions& options, std::string& reason) {
  options.sort = TakeFlag(args, "--sort");
  if (!TakeFlagValue(args, "--url", options.fields.urlText, reason) ||
      !TakeFlagValue(args, "--text", options.fields.htmlText, reason))
    return false;
  if (args.empty() || args.front().starts_with("--")) {
    reason = args.empty() ? "give the archive FOLDER to search"
                          : "unknown option '" + args.front() + "'";
    return false;
  }
  options.fields.folderText = args.front();
  args.erase(args.begin());
  return NoArgumentsLeft(args, reason);
}

// Nobody can press Stop here; the messages are kept, to be printed as the command's one-line
// reasons.
class CollectedMessages : public Interaction {
 public:
  MessageAnswer Ask(const Message& message) override {
    texts.push_back(OneLineMessage(message.text));
    return MessageAnswer::Ok;
  }
  void ShowStatus(const std::string&) override {}
  void ShowProgress(int) override {}
  void ProcessPendingEvents() override {}
  bool CancelRequested() const override { return false; }

  std::vector<std::string> texts;
};

}  // namespace

int RunSearchCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  SearchOptions options;
  std::string reason;
  if (!ParseSearchOptions(args, options, reason))
    return ReportBadUsage(err, kCommand, reason);

  const TMimeTable mimeTable(RunningProgramFolders().mimeTable);
  CollectedMessages ui;
  // Like the search window, remember the folder searched for the next search.
  const std::unique_ptr<Registry> registry = OpenRegistry();
  SettingsStore store(*registry);
  StoredFolderMemory memory(store);
  std::vector<SearchResult> rows;
  const FindOutcome outcome =
      FindInArchive(options.fields, mimeTable, ui, memory,
                    [&rows](SearchResult row) { rows.push_back(std::move(row)); });
  if (!outcome.searched)
    return ReportBadUsage(err, kCommand, ui.texts.empty() ? "refused" : ui.texts.front());
  if (outcome.summary.readFailed)
    return ReportBadUsage(
        err, kCommand, "cannot read " + JoinPath(options.fields.folderText, kArchiveInfoFileName));
  const ArchiveFileState& state = outcome.summary.archiveState;
  if (state.Damaged()) {
    err << "pagehold " << kCommand << ": " << kArchiveInfoFileName << " is " << state.Describe()
        << "; the results come from the " << state.RecordsReadable()
        << " records that can be read\n";
  }
  if (rows.empty()) {
    err << "pagehold " << kCommand << ": " << kNoFilesFoundMessage << '\n';
    return kExitRefused;
  }

  if (options.sort)
    SortByUrl(rows, UserCollationLocale());
  TableWriter table(out, OutputFormat::Tsv, {"url", "archive_file"});
  for (const SearchResult& row : rows)
    table.Row({row.Url, row.ArchiveFile});
  return state.Damaged() ? kExitRefused : kExitDone;
}

}  // namespace pagehold
