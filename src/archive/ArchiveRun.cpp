#include "archive/ArchiveRun.h"

#include <chrono>
#include <ctime>
#include <exception>
#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "archive/ArchiveFile.h"
#include "archive/FileNaming.h"
#include "archive/IndexPages.h"
#include "archive/LinkRewriter.h"
#include "archive/TextExcerpt.h"
#include "cache/Folders.h"
#include "platform/EventPacer.h"
#include "platform/Paths.h"

namespace pagehold {

namespace {

constexpr const char* kCaption = "Pagehold";

// The progress of one pass. The bar only moves forward, and pending events (where a cancel
// request is seen) run only when it moves: a pass over many items costs at most a hundred
// rounds of events.
class PassProgress {
 public:
  explicit PassProgress(Interaction& interaction) : interaction_(interaction) {}

  void Start(const std::string& status) {
    interaction_.ShowStatus(status);
    Set(0);
  }

  // Before item index of count: the whole-number percentage of the items done.
  void Before(std::size_t index, std::size_t count) {
    const int percent = static_cast<int>(index * 100 / count);
    if (percent > position_)
      Set(percent);
  }

  void Set(int percent) {
    position_ = percent;
    interaction_.ShowProgress(percent);
    interaction_.ProcessPendingEvents();
  }

 private:
  Interaction& interaction_;
  int position_ = 0;
};

// Saves archive.dat while a run goes on: after an item once the interval has passed since the
// last save, and whenever the run asks (before the index build, at its end). A save happens
// only when the records changed since the last one, so the end of a run costs nothing more.
class Checkpoints {
 public:
  using Clock = std::chrono::steady_clock;

  Checkpoints(const std::string& folder, const ArchiveList& archive,
              std::chrono::milliseconds interval)
      : folder_(folder), archive_(archive), interval_(interval), last_(Clock::now()) {}

  // After an item was recorded. A failed save here is tried again at the next one.
  void AfterItem() {
    ++changes_;
    if (Clock::now() - last_ >= interval_)
      (void)Save();
  }

  [[nodiscard]] Status Save() {
    if (saved_ && changes_ == 0)
      return {};
    Status saved = SaveArchive(folder_, archive_);
    last_ = Clock::now();
    if (saved) {
      saved_ = true;
      changes_ = 0;
    }
    return saved;
  }

 private:
  const std::string& folder_;
  const ArchiveList& archive_;
  std::chrono::milliseconds interval_;
  Clock::time_point last_;
  std::size_t changes_ = 0;
  bool saved_ = false;  // the list as loaded differs from the file: it must be saved once
};

bool PathExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

// The items of one run, each with the folder it is archived into.
struct PlacedItem {
  TCacheItem* item;
  std::string typeFolder;
  Status folderMade;  // whether the naming pass could make the item's folder
};

// The naming pass, the archiving pass and what they share.
class ArchiveJob {
 public:
  ArchiveJob(AppContext& context, Interaction& interaction, const std::string& folder,
             NamingRule namingRule, ArchiveList& archive, UsedNames& usedNames)
      : context_(context),
        interaction_(interaction),
        namingRule_(namingRule),
        folder_(folder),
        archive_(archive),
        namer_(usedNames) {}

  // Keeps the items whose Domain and type folder can be folders inside the archive; returns how
  // many were left out.
  std::size_t Place(const ItemRefs& selection) {
    for (TCacheItem* item : selection) {
      std::string typeFolder = context_.mimeTable.MimeTypeFolder(item->MimeIndex);
      if (IsSafePathComponent(item->Domain) && IsSafePathComponent(typeFolder)) {
        items_.push_back({item, std::move(typeFolder), {}});
        refs_.push_back(item);
      }
    }
    return selection.size() - items_.size();
  }

  void NamingPass() {
    PassProgress progress(interaction_);
    progress.Start("Creating unique filenames...");
    for (std::size_t index = 0; index < items_.size(); ++index) {
      progress.Before(index, items_.size());
      Name(items_[index]);
    }
  }

  // Returns the number of items merged; stops after the item during which a cancel was asked.
  // An item that cannot be archived is named in failures with its reason and left out of the
  // records; the pass goes on with the next.
  std::size_t ArchivingPass(std::vector<RunFailure>& failures, Checkpoints& checkpoints) {
    PassProgress progress(interaction_);
    progress.Start("Archiving files...");
    const ArchivedLinks links(refs_, archive_, context_.mimeTable);
    LinkRewriter rewriter(context_.settings, links);
    std::size_t merged = 0;
    for (std::size_t index = 0; index < items_.size(); ++index) {
      progress.Before(index, items_.size());
      const PlacedItem& placed = items_[index];
      if (const Status archived = Archive(placed, rewriter); !archived) {
        failures.push_back({"archive " + placed.item->Url, archived.failure()});
      } else if (placed.item->MimeIndex > 0) {
        ++merged;
        checkpoints.AfterItem();
      }
      if (interaction_.CancelRequested())
        break;
    }
    return merged;
  }

  // The excerpts of the pages written, for the index build.
  KnownExcerpts TakeExcerpts() { return std::move(excerpts_); }

 private:
  // A URL recorded earlier keeps its file name, so the new copy replaces the old one; a new URL
  // gets a name no other item of its folder uses. The recorded name is kept only inside the
  // folder it was recorded in: carried into another type folder it could be the name of a
  // different item there, whose file the copy would overwrite.
  void Name(PlacedItem& placed) {
    TCacheItem& item = *placed.item;
    const TCacheItem* record = archive_.Find(item.Url);
    if (record != nullptr && record->Domain == item.Domain &&
        context_.mimeTable.MimeTypeFolder(record->MimeIndex) == placed.typeFolder) {
      item.FileName = record->FileName;
      return;
    }
    const std::string itemFolder =
        WithTrailingSeparator(JoinPath(JoinPath(folder_, item.Domain), placed.typeFolder));
    const auto [ready, isNew] = readyFolders_.try_emplace(itemFolder);
    if (isNew && !DirectoryExists(itemFolder)) {
      ready->second.made = ForceFolder(itemFolder);
      ready->second.madeNow = true;
    }
    placed.folderMade = ready->second.made;
    if (!placed.folderMade)
      return;
    // A page sent with parameters (a character set) is named as a page, so that its copy
    // opens as one offline whatever the server called it.
    const int namingRow =
        context_.mimeTable.IsHtmlPage(item.MimeIndex) ? TMimeTable::kHtmlRow : item.MimeIndex;
    const std::string baseName = namingRule_ == NamingRule::FromUrl
                                     ? NameFromUrl(item.Url, namingRow)
                                     : NameFromCacheFile(item.CacheFile);
    // Nothing is written during naming, so a folder this run made holds no file yet.
    const bool empty = ready->second.madeNow;
    item.FileName = namer_.Take(
        baseName, item.Domain, placed.typeFolder,
        [&](const std::string& name) { return !empty && PathExists(itemFolder + name); });
  }

  // Copies a file, or writes a page with its links rewritten, then records the item. An item
  // whose file could not be written (its cached file gone, its folder read-only, the disk full)
  // is not recorded: its record would be a broken link on the index pages. Items without a
  // MIME row are skipped.
  Status Archive(const PlacedItem& placed, LinkRewriter& rewriter) {
    TCacheItem& item = *placed.item;
    if (item.MimeIndex <= 0)
      return {};
    if (!placed.folderMade)
      return placed.folderMade;
    const auto path = ArchivedFilePath(folder_, item.Domain, placed.typeFolder, item.FileName);
    if (!path)
      return Failure{item.FileName, "the file name cannot be used inside the archive folder"};
    const Status archived = context_.mimeTable.IsHtmlPage(item.MimeIndex)
                                ? WritePage(item, *path, rewriter)
                                : CopyOver(item.CacheFile, *path);
    if (archived)
      MergeIntoArchive(archive_, item);
    return archived;
  }

  // Writes the archived page, keeping its excerpt for a detailed index while its bytes are at
  // hand.
  Status WritePage(TCacheItem& item, const std::string& path, LinkRewriter& rewriter) {
    const Result<std::string> page = rewriter.WriteArchivedPage(item, path);
    if (!page)
      return page.failure();
    if (context_.settings.DetailedIndexFlag)
      excerpts_[path] = ExcerptFromText(*page);
    return {};
  }

  AppContext& context_;
  Interaction& interaction_;
  NamingRule namingRule_;
  std::string folder_;
  ArchiveList& archive_;
  UniqueNamer namer_;
  std::vector<PlacedItem> items_;
  ItemRefs refs_;  // the same items, for the link lookups
  // The item folders made or found, and how.
  struct ItemFolder {
    Status made;
    bool madeNow = false;  // by this run
  };
  std::unordered_map<std::string, ItemFolder> readyFolders_;
  KnownExcerpts excerpts_;
};

NamingRule DefaultNamingRule(Product product) {
  return product == Product::Navigator ? NamingRule::FromUrl : NamingRule::FromCacheFile;
}

}  // namespace

ArchiveRun::ArchiveRun(AppContext& context, Interaction& interaction, std::string archiveFolder,
                       ArchiveRunOptions options)
    : context_(context),
      interaction_(interaction),
      folder_(WithTrailingSeparator(archiveFolder)),
      options_(std::move(options)) {}

ArchiveRunReport ArchiveRun::Run(const ItemRefs& selection) {
  ArchiveRunReport report;
  report.indexPage = folder_ + kIndexPageFileName;
  if (!CheckArchiveFolder(report))
    return report;
  RunJob(selection, report);
  if (options_.showFailures && !report.failures.empty())
    interaction_.Ask(FailuresMessage(report.failures));
  if (report.outcome == ArchiveRunOutcome::Completed)
    AskToOpenIndex(selection.empty(), report);
  return report;
}

bool ArchiveRun::CheckArchiveFolder(ArchiveRunReport& report) {
  const std::string& folder = folder_;
  if (DirectoryExists(folder))
    return true;
  Message question;
  question.text = "Archive folder\r\n\r\n" + folder + "\r\n\r\n" + "does not exist. Create?";
  question.caption = kCaption;
  question.icon = MessageIcon::Confirmation;
  question.buttons = MessageButtons::YesNoCancel;
  if (interaction_.Ask(question) != MessageAnswer::Yes) {
    report.outcome = ArchiveRunOutcome::FolderRefused;
    return false;
  }
  // A folder that cannot be made is reported below in the run's own words.
  if (!folder.empty() && ForceFolder(folder))
    return true;
  Message error;
  error.text = "Could not create folder.\r\nCheck the archive folder settings.";
  error.caption = kCaption;
  error.icon = MessageIcon::Error;
  error.buttons = MessageButtons::Ok;
  interaction_.Ask(error);
  report.outcome = ArchiveRunOutcome::FolderNotCreated;
  return false;
}

bool ArchiveRun::Load(bool reindex, UsedNames& usedNames, ArchiveList& archive,
                      ArchiveRunReport& report) {
  // A large archive.dat takes a while: the bar moves and events run at least every 100 ms.
  EventPacer pacer(interaction_);
  Result<LoadedArchive> loaded = LoadArchive(context_, folder_, usedNames, [&](int percent) {
    if (pacer.Tick())
      interaction_.ShowProgress(percent);
  });
  const std::string file = folder_ + "archive.dat";
  if (!loaded) {
    report.failures.push_back({"read " + file, loaded.failure()});
    report.outcome = ArchiveRunOutcome::ArchiveUnreadable;
    return false;
  }
  report.archiveState = loaded->state;
  report.droppedRecords = loaded->droppedRecords;
  if (loaded->state.Damaged()) {
    // A re-index of a file with nothing readable in it would only delete it and its pages.
    if (reindex && loaded->state.RecordsReadable() == 0) {
      report.failures.push_back(
          {"re-index", Failure{file, "nothing in it can be read; it is left as it is"}});
      report.outcome = ArchiveRunOutcome::ArchiveDamaged;
      return false;
    }
    bool salvage = options_.damagedArchive == DamagedArchiveChoice::Salvage;
    if (options_.damagedArchive == DamagedArchiveChoice::Ask)
      salvage = interaction_.Ask(DamagedArchiveQuestion(file, loaded->state)) == MessageAnswer::Yes;
    if (!salvage) {
      report.outcome = ArchiveRunOutcome::ArchiveDamaged;
      return false;
    }
    Result<std::string> kept = KeepDamagedArchive(folder_, std::time(nullptr));
    if (!kept) {
      report.failures.push_back({"keep the damaged " + file, kept.failure()});
      report.outcome = ArchiveRunOutcome::ArchiveDamaged;
      return false;
    }
    report.keptDamagedFile = std::move(*kept);
  }
  archive = std::move(loaded->archive);
  // The pictures are a nicety of the pages, and a program whose own pictures are missing would
  // report the same failure on every run: the pages are written without them.
  (void)CopyIndexImages(context_, folder_);
  return true;
}

void ArchiveRun::RunJob(const ItemRefs& selection, ArchiveRunReport& report) {
  running_ = true;
  const bool reindex = selection.empty();
  UsedNames usedNames;
  ArchiveList archive;
  if (!Load(reindex, usedNames, archive, report)) {
    running_ = false;
    return;
  }
  const NamingRule namingRule = options_.namingRule.value_or(DefaultNamingRule(context_.product));
  Checkpoints checkpoints(folder_, archive, options_.checkpointInterval);

  // archive.dat is written whatever happens from here on: an error in the middle of a run
  // must not lose the records of the items archived before it.
  std::exception_ptr error;
  KnownExcerpts excerpts;
  try {
    if (!reindex) {
      ArchiveJob job(context_, interaction_, folder_, namingRule, archive, usedNames);
      report.unplaceableItems = job.Place(selection);
      job.NamingPass();
      usedNames.Clear();
      report.archivedItems = job.ArchivingPass(report.failures, checkpoints);
      excerpts = job.TakeExcerpts();
    }
    if (!interaction_.CancelRequested()) {
      if (!reindex)
        PassProgress(interaction_).Set(100);
      // Everything copied is recorded before the pages, which take a while, are written.
      if (Status saved = checkpoints.Save(); !saved)
        report.failures.push_back({"save archive.dat", saved.failure()});
      if (Status built = BuildIndexPages(context_, folder_, archive, interaction_, excerpts);
          !built)
        report.failures.push_back({"build the index pages", built.failure()});
    }
  } catch (...) {
    error = std::current_exception();
  }
  if (Status saved = checkpoints.Save(); !saved)
    report.failures.push_back({"save archive.dat", saved.failure()});
  running_ = false;
  if (error)
    std::rethrow_exception(error);
  report.outcome =
      interaction_.CancelRequested() ? ArchiveRunOutcome::Cancelled : ArchiveRunOutcome::Completed;
}

void ArchiveRun::AskToOpenIndex(bool reindex, ArchiveRunReport& report) {
  if (options_.beforeCompletionQuestion)
    options_.beforeCompletionQuestion();
  if (!options_.askToOpenIndex || !FileExists(report.indexPage))
    return;
  const std::string title = reindex ? "Re-indexing" : "Archiving";
  Message question;
  question.text = title + " completed." + "\r\n" + "The index page is located at:" + "\r\n\r\n" +
                  report.indexPage + "\r\n\r\n" + "Do you wish to load this index now?";
  question.caption = kCaption;
  question.icon = MessageIcon::Information;
  question.buttons = MessageButtons::YesNoCancel;
  if (interaction_.Ask(question) == MessageAnswer::Yes)
    report.result = ArchiveRunResult::OpenIndex;
}

Message DamagedArchiveQuestion(const std::string& archiveFile, const ArchiveFileState& state) {
  Message question;
  question.text = "The archive info file\r\n\r\n" + archiveFile + "\r\n\r\nis " + state.Describe() +
                  ".\r\n\r\nGo on with the " + std::to_string(state.RecordsReadable()) +
                  " records that can be read? The damaged file is first kept beside it, under " +
                  "the same name followed by \".damaged\" and the date and time.";
  question.caption = kCaption;
  question.icon = MessageIcon::Warning;
  question.buttons = MessageButtons::YesNo;
  return question;
}

Message FailuresMessage(const std::vector<RunFailure>& failures) {
  constexpr std::size_t kShownFailures = 20;
  Message message;
  message.text = "Some of the work could not be done:\r\n";
  for (std::size_t i = 0; i < failures.size() && i < kShownFailures; ++i)
    message.text += "\r\n" + failures[i].Describe();
  if (failures.size() > kShownFailures)
    message.text += "\r\n... and " + std::to_string(failures.size() - kShownFailures) + " more";
  message.caption = kCaption;
  message.icon = MessageIcon::Warning;
  message.buttons = MessageButtons::Ok;
  return message;
}

ArchiveRunResult RunArchive(AppContext& context, Interaction& interaction,
                            const ItemRefs& selection) {
  return ArchiveRun(context, interaction, context.settings.CurrentArchiveFolder)
      .Run(selection)
      .result;
}

}  // namespace pagehold
