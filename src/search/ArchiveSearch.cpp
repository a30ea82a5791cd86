#include "search/ArchiveSearch.h"

#include <cstdint>
#include <optional>

#include "archive/ArchiveFile.h"
#include "archive/ArchiveFileReader.h"
#include "cache/CacheItem.h"
#include "cache/MimeTable.h"
#include "cache/Text.h"
#include "cache/Url.h"
#include "platform/EventPacer.h"
#include "platform/Interaction.h"
#include "platform/Paths.h"
#include "search/TextBlockSearch.h"

namespace pagehold {

namespace {

// Addresses and patterns are used up to this many characters, as the result list shows them.
constexpr size_t kTextLimit = 255;

struct LoweredQuery {
  std::string folder;
  std::string urlPattern;
  std::string textPattern;
};

std::string ShownAddress(const std::string& storedUrl) {
  std::string address = NormalizeUrl(storedUrl, UrlForm::Link);
  if (address.size() > kTextLimit)
    address.resize(kTextLimit);
  return address;
}

// The row for a record, or nothing when it does not match. The address test comes first
// because it costs no disk access; the outcome is the same in either order.
std::optional<SearchResult> MatchRecord(TCacheItem& record, const LoweredQuery& query,
                                        const TMimeTable& mimeTable) {
  std::string address = ShownAddress(record.Url);
  if (!query.urlPattern.empty() && LowerCase(address).find(query.urlPattern) == std::string::npos)
    return std::nullopt;
  if (!query.textPattern.empty() && !mimeTable.IsHtmlPage(record.MimeIndex))
    return std::nullopt;
  std::string copy = ArchivedCopyPath(query.folder, record, mimeTable);
  if (copy.empty())
    return std::nullopt;
  // A copy whose text is searched is opened anyway, which tells whether it is there.
  if (query.textPattern.empty() ? !FileExists(copy) : !FileContainsText(copy, query.textPattern))
    return std::nullopt;
  return SearchResult{std::move(address), std::move(copy),
                      ResultIconOf(mimeTable.MimeTypeName(record.MimeIndex))};
}

}  // namespace

std::string ArchivedCopyPath(const std::string& folder, const TCacheItem& record,
                             const TMimeTable& mimeTable) {
  const std::string domain = DomainFromHost(HostOfStoredUrl(record.Url));
  return ArchivedFilePath(folder, domain, mimeTable.MimeTypeFolder(record.MimeIndex),
                          record.FileName)
      .value_or(std::string());
}

SearchSummary SearchArchive(const SearchQuery& query, const TMimeTable& mimeTable, Interaction& ui,
                            const SearchRowSink& addRow) {
  const LoweredQuery lowered{WithTrailingSeparator(query.folder), LowerCase(query.urlPattern),
                             LowerCase(query.textPattern)};
  SearchSummary summary;
  if (!FileExists(JoinPath(lowered.folder, "archive.dat"))) {
    summary.readFailed = true;
    return summary;
  }
  // Every readable record is searched, those after damage too.
  EventPacer pacer(ui);
  Result<ArchiveFileReading> reading =
      ReadArchiveFile(lowered.folder, [&pacer](std::uint64_t, std::uint64_t) { pacer.Tick(); });
  if (!reading) {
    summary.readFailed = true;
    return summary;
  }
  summary.archiveState = reading->state;
  for (const auto& stored : reading->records.Items()) {
    TCacheItem& record = *stored;
    ++summary.recordsRead;
    if (auto row = MatchRecord(record, lowered, mimeTable)) {
      addRow(std::move(*row));
      ++summary.rows;
    }
    ui.ProcessPendingEvents();
    if (ui.CancelRequested()) {
      summary.stopped = true;
      break;
    }
  }
  return summary;
}

}  // namespace pagehold
