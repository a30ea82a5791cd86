// pagehold delete: removes the chosen items from the browser cache. The confirmation the
// window would ask is answered by --yes; without it the question is printed and nothing is
// deleted.
#include <ostream>

#include "cli/CacheSession.h"
#include "cli/CommandArguments.h"
#include "cli/Commands.h"
#include "cli/TerminalInteraction.h"
#include "explorer/CacheDeletion.h"

namespace pagehold {

int RunDeleteCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  SourceOptions options;
  std::string reason;
  if (!ParseSourceOptions(args, options, reason))
    return ReportBadUsage(err, "delete", reason);
  const bool yes = TakeFlag(options.rest, "--yes");
  if (!NoArgumentsLeft(options.rest, reason))
    return ReportBadUsage(err, "delete", reason);

  CacheSession session(options);
  TerminalInteraction ui(err, yes, IsTerminal(err));
  if (!session.Load(ui, err, reason))
    return ReportBadUsage(err, "delete", reason);
  const DeletionOutcome outcome = DeleteChosenItems(session.Explorer(), ui);
  if (outcome.result != DeletionResult::Deleted)
    return kExitRefused;
  out << "deleted " << outcome.removed << (outcome.removed == 1 ? " item\n" : " items\n");
  return kExitDone;
}

}  // namespace pagehold
