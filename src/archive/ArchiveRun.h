// The archive run: turns chosen cache items into files of an archive folder. It checks (and,
// when asked to, creates) the archive folder, loads archive.dat, gives every new item a unique
// file name, copies each cached file into its domain and type folder or, for HTML pages, writes
// it anew with rewritten links, merges each item into the archive's records, rebuilds the index
// pages and saves archive.dat. With no items at all it is a re-index run: the records whose files
// are gone are dropped and the index pages and archive.dat are rebuilt from what is left.
//
// Nothing is lost to a failure: a damaged or unreadable archive.dat stops the run before it writes
// anything (unless the user chose to salvage it), archive.dat is saved every few seconds of
// copying and before the index build, and every copy, page, save or index build that fails is
// named in the run's report with its reason.
//
// The engine knows no window. Questions, progress and the cancel request go through the
// Interaction it is given, so the progress window and the terminal drive the same run. In the
// passes pending events run (and a cancel is seen) when the whole-number percentage grows;
// loading archive.dat and building the index pages let them run at least every 100 ms.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "archive/ArchiveFileReader.h"
#include "cache/CacheItem.h"
#include "platform/Failure.h"
#include "platform/Interaction.h"
#include "prefs/AppContext.h"
#include "sources/CacheSource.h"

namespace pagehold {

// What the caller does when the run is over: open the archive's index page, or nothing.
enum class ArchiveRunResult { OpenIndex, Cancel };

enum class ArchiveRunOutcome {
  Completed,          // the job ran to its end (the index pages were rebuilt)
  Cancelled,          // stopped by a cancel request; what was archived stays recorded
  FolderRefused,      // the archive folder is missing and creating it was declined
  FolderNotCreated,   // the archive folder is missing and could not be created
  ArchiveUnreadable,  // archive.dat could not be read (see failures); nothing was written
  ArchiveDamaged,     // archive.dat is damaged and was not salvaged; nothing was written
};

// What a run does with a damaged archive.dat. It never writes over one: going on first keeps
// the damaged file beside it (KeepDamagedArchive) and then works with every readable record.
enum class DamagedArchiveChoice {
  Ask,      // ask through the interaction (DamagedArchiveQuestion); Yes goes on
  Refuse,   // write nothing
  Salvage,  // go on, as asked beforehand (the command line's --salvage)
};

struct ArchiveRunOptions {
  // How new items are named; without a value, the rule of context.product.
  std::optional<NamingRule> namingRule;
  // Ask at the end whether to open the index page. The command line does not ask.
  bool askToOpenIndex = true;
  // Called after a completed run, before the question (the IE program stores its settings).
  std::function<void()> beforeCompletionQuestion;
  DamagedArchiveChoice damagedArchive = DamagedArchiveChoice::Ask;
  // Show the failures at the end as one message (FailuresMessage). The command line prints
  // them itself.
  bool showFailures = true;
  // archive.dat is saved at least this often while files are copied, and always before the
  // index pages are built, so that a run that is killed leaves little unrecorded.
  std::chrono::milliseconds checkpointInterval{2000};
};

// One thing a run could not do, and why.
struct RunFailure {
  std::string action;  // "archive " + the item's Url, "save archive.dat", "build the index pages"
  Failure failure;     // the file at fault and the system's reason

  // "could not ACTION: PATH: REASON", one line.
  std::string Describe() const { return "could not " + action + ": " + failure.Describe(); }
};

struct ArchiveRunReport {
  ArchiveRunResult result = ArchiveRunResult::Cancel;
  ArchiveRunOutcome outcome = ArchiveRunOutcome::Cancelled;
  std::string indexPage;          // archive folder + "1st_page.htm"
  std::size_t archivedItems = 0;  // items merged into the archive by this run
  // Chosen items left out because their Domain or type folder cannot be a folder name inside
  // the archive (empty, ".", "..", or holding a slash).
  std::size_t unplaceableItems = 0;
  // Everything that failed, in the order it happened: items not archived (they are not in
  // archive.dat), and a save or index build that did not complete.
  std::vector<RunFailure> failures;
  ArchiveFileState archiveState;   // what loading archive.dat found
  std::size_t droppedRecords = 0;  // records left out because their archived file is gone
  std::string keptDamagedFile;     // where the damaged archive.dat was kept, when it was
};

// The question asked before going on with a damaged archive.dat (buttons Yes and No).
Message DamagedArchiveQuestion(const std::string& archiveFile, const ArchiveFileState& state);

// The one message that lists a run's failures (at most the first 20 lines, then how many more).
Message FailuresMessage(const std::vector<RunFailure>& failures);

inline constexpr const char* kIndexPageFileName = "1st_page.htm";

class ArchiveRun {
 public:
  // The run archives into archiveFolder (a trailing separator is added); the current settings
  // give only the link options, emphasis and index detail. The interaction's cancel request must
  // be clear when Run starts.
  ArchiveRun(AppContext& context, Interaction& interaction, std::string archiveFolder,
             ArchiveRunOptions options = {});

  // Runs over the selection (borrowed; the run sets the items' FileName and, for pages,
  // Title). An empty selection makes a re-index run. An error that escapes the job is passed
  // on after archive.dat has been saved.
  ArchiveRunReport Run(const ItemRefs& selection);

  // True while the job executes (a cancel request then stops it rather than closing a window).
  bool Running() const { return running_; }

 private:
  bool CheckArchiveFolder(ArchiveRunReport& report);
  // Loads archive.dat and decides what to do with a damaged one; false when the run must stop
  // (without having written anything).
  bool Load(bool reindex, UsedNames& usedNames, ArchiveList& archive, ArchiveRunReport& report);
  void RunJob(const ItemRefs& selection, ArchiveRunReport& report);
  void AskToOpenIndex(bool reindex, ArchiveRunReport& report);

  AppContext& context_;
  Interaction& interaction_;
  std::string folder_;  // with a trailing separator
  ArchiveRunOptions options_;
  bool running_ = false;
};

// One run with the default options into the current archive folder of the settings: the entry
// point of the Cache Explorer's Archive button.
ArchiveRunResult RunArchive(AppContext& context, Interaction& interaction,
                            const ItemRefs& selection);

}  // namespace pagehold
