// pagehold list: the chosen items, one row each.
// pagehold domains: the domains of the "Archive/Delete" list with their counts inside the age
// window (like the window's counters, the counts do not depend on the kinds chosen).
#include <ostream>
#include <string>
#include <unordered_map>

#include "cli/CacheSession.h"
#include "cli/CommandArguments.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"
#include "cli/TerminalInteraction.h"

namespace pagehold {

namespace {

const char* KindName(std::int32_t contentKind) {
  switch (contentKind) {
    case Text:
      return "text";
    case Media:
      return "media";
    case Other:
      return "other";
    default:
      return "unknown";
  }
}

// Parses the shared options and --format; false with a reason for bad usage.
bool ParseTableCommand(const Arguments& args, SourceOptions& options, OutputFormat& format,
                       std::string& reason) {
  if (!ParseSourceOptions(args, options, reason))
    return false;
  std::string formatName = "tsv";
  if (!TakeFlagValue(options.rest, "--format", formatName, reason))
    return false;
  if (!ParseOutputFormat(formatName, format)) {
    reason = "--format takes tsv or json (not '" + formatName + "')";
    return false;
  }
  return NoArgumentsLeft(options.rest, reason);
}

void WriteItems(CacheSession& session, std::ostream& out, OutputFormat format) {
  const TMimeTable& mimeTable = session.Context().mimeTable;
  TableWriter table(out, format, {"domain", "kind", "mime", "type", "date", "url", "cache_file"});
  for (const TCacheItem* item : session.Explorer().ChosenItems()) {
    table.Row({item->Domain, KindName(item->ContentKind), item->MimeIndex,
               mimeTable.MimeTypeName(item->MimeIndex), IsoDateTime(item->Date), item->Url,
               item->CacheFile});
  }
}

// The rows follow the "Archive/Delete" list, sorted without regard to case.
void WriteDomains(CacheSession& session, std::ostream& out, OutputFormat format) {
  const CacheExplorer& explorer = session.Explorer();
  std::unordered_map<std::string, const TDomainSummary*> summaryOf;
  for (const TDomainSummary& summary : explorer.Summaries())
    summaryOf.emplace(summary.Name, &summary);
  TableWriter table(out, format, {"domain", "text", "media", "other"});
  for (const std::string& name : explorer.ArchiveDelete().Names()) {
    const KindCounts& counts = summaryOf.at(name)->counts;
    table.Row({name, counts.text, counts.media, counts.other});
  }
}

template <typename Write>
int RunTableCommand(const char* name, const Arguments& args, std::ostream& out, std::ostream& err,
                    Write write) {
  SourceOptions options;
  OutputFormat format = OutputFormat::Tsv;
  std::string reason;
  if (!ParseTableCommand(args, options, format, reason))
    return ReportBadUsage(err, name, reason);
  CacheSession session(options, name);
  TerminalInteraction ui(err, false, IsTerminal(err));
  if (!session.Load(ui, err, reason))
    return ReportBadUsage(err, name, reason);
  write(session, out, format);
  return session.Finish(kExitDone, err);
}

}  // namespace

int RunListCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  return RunTableCommand("list", args, out, err, WriteItems);
}

int RunDomainsCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  return RunTableCommand("domains", args, out, err, WriteDomains);
}

}  // namespace pagehold
