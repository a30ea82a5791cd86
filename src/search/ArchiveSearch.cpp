#include "search/ArchiveSearch.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "archive/ArchiveFile.h"
#include "archive/ArchiveFileReader.h"
#include "cache/CacheItem.h"
#include "cache/MimeTable.h"
#include "cache/Text.h"
#include "cache/Url.h"
#include "platform/Interaction.h"
#include "platform/Paths.h"
#include "search/CopyChecks.h"
#include "search/TextBlockSearch.h"

namespace pagehold {

namespace {

// Addresses and patterns are used up to this many characters, as the result list shows them.
constexpr size_t kTextLimit = 255;

std::string ShownAddress(const std::string& storedUrl) {
  std::string address = NormalizeUrl(storedUrl, UrlForm::Link);
  if (address.size() > kTextLimit)
    address.resize(kTextLimit);
  return address;
}

// Records wait in a batch until this many of their copies are to be looked at (or this many
// records wait), so that the copies are looked at many at once.
constexpr std::size_t kCopiesPerBatch = 1024;
constexpr std::size_t kRecordsPerBatch = 8192;

// A record read, as far as the tests that need no disk access took it.
struct PendingRecord {
  bool candidate = false;  // it passed them, and its copy is to be looked at
  std::string url;         // the stored Url of a candidate
  ResultIcon icon = ResultIcon::Other;
};

struct Batch {
  std::vector<PendingRecord> records;
  std::vector<std::string> copies;  // the copies of the candidates among records, in order
};

// The search in progress. Records are tested as archive.dat is read; the copies of a batch of
// them are looked at together, then the batch's rows are delivered in record order with pending
// events after each record, as if each record had been searched by itself.
class RecordSearch {
 public:
  RecordSearch(const SearchQuery& query, const TMimeTable& mimeTable, Interaction& ui,
               const SearchRowSink& addRow, SearchSummary& summary)
      : folder_(WithTrailingSeparator(query.folder)),
        urlPattern_(LowerCase(query.urlPattern)),
        mimeTable_(mimeTable),
        ui_(ui),
        addRow_(addRow),
        summary_(summary),
        text_(query.textPattern.empty()
                  ? std::nullopt
                  : std::optional<PageTextFinder>(LowerCase(query.textPattern))),
        checker_(text_ ? &*text_ : nullptr) {}

  const std::string& folder() const { return folder_; }

  void Take(const TCacheItem& record) {
    if (summary_.stopped)
      return;
    batch_.records.push_back(Test(record));
    if (batch_.copies.size() >= kCopiesPerBatch || batch_.records.size() >= kRecordsPerBatch)
      Deliver();
  }

  // Delivers the rows of every record taken.
  void Finish() { Deliver(); }

 private:
  // The tests that cost no disk access: the kind of record, then its address.
  PendingRecord Test(const TCacheItem& record) {
    PendingRecord pending;
    if (text_ && !mimeTable_.IsHtmlPage(record.MimeIndex))
      return pending;
    if (!urlPattern_.empty() &&
        LowerCase(ShownAddress(record.Url)).find(urlPattern_) == std::string::npos)
      return pending;
    std::optional<std::string> copy = ArchivedFilePath(
        folder_, record.Domain, mimeTable_.MimeTypeFolder(record.MimeIndex), record.FileName);
    if (!copy)
      return pending;
    pending.candidate = true;
    pending.url = record.Url;
    pending.icon = ResultIconOf(mimeTable_.MimeTypeName(record.MimeIndex));
    batch_.copies.push_back(std::move(*copy));
    return pending;
  }

  void Deliver() {
    const std::vector<char> passed = checker_.Check(batch_.copies);
    std::size_t copy = 0;
    for (PendingRecord& record : batch_.records) {
      if (summary_.stopped)
        break;
      ++summary_.recordsRead;
      if (record.candidate && passed[copy]) {
        addRow_(
            SearchResult{ShownAddress(record.url), std::move(batch_.copies[copy]), record.icon});
        ++summary_.rows;
      }
      copy += record.candidate ? 1 : 0;
      ui_.ProcessPendingEvents();
      summary_.stopped = ui_.CancelRequested();
    }
    batch_ = {};
  }

  const std::string folder_;
  const std::string urlPattern_;
  const TMimeTable& mimeTable_;
  Interaction& ui_;
  const SearchRowSink& addRow_;
  SearchSummary& summary_;
  std::optional<PageTextFinder> text_;  // none when no text is searched for
  CopyChecker checker_;                 // after text_, which it looks for
  Batch batch_;                         // the records read since the last rows were delivered
};

}  // namespace

SearchSummary SearchArchive(const SearchQuery& query, const TMimeTable& mimeTable, Interaction& ui,
                            const SearchRowSink& addRow) {
  SearchSummary summary;
  RecordSearch search(query, mimeTable, ui, addRow, summary);
  if (!FileExists(JoinPath(search.folder(), "archive.dat"))) {
    summary.readFailed = true;
    return summary;
  }
  // Every readable record is searched, those after damage too. After a stop the rest is only
  // read, so that the summary still tells how the whole file stands.
  Result<ArchiveFileState> state =
      VisitArchiveFile(search.folder(), [&search](const TCacheItem& record) {
        search.Take(record);
        return true;
      });
  if (!state) {
    summary.readFailed = true;
    return summary;
  }
  search.Finish();
  summary.archiveState = std::move(*state);
  return summary;
}

}  // namespace pagehold
