// pagehold delete: removes the chosen items from the browser cache. The confirmation the
// window would ask is answered by --yes; without it the question is printed and nothing is
// deleted. Each item that could not be deleted is named on the error stream with the reason,
// and then the status is 1.
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

  CacheSession session(options, "delete");
  TerminalInteraction ui(err, yes, IsTerminal(err));
  if (!session.Load(ui, err, reason))
    return ReportBadUsage(err, "delete", reason);
  const DeletionOutcome outcome = DeleteChosenItems(session.Explorer(), ui);
  if (outcome.result != DeletionResult::Deleted)
    return kExitRefused;
  out << "deleted " << outcome.removed << (outcome.removed == 1 ? " item\n" : " items\n");
  if (outcome.alreadyGone != 0)
    err << "pagehold delete: " << outcome.alreadyGone
        << (outcome.alreadyGone == 1 ? " item was" : " items were") << " no longer in the cache\n";
  for (const Failure& failure : outcome.failures)
    err << "pagehold delete: not deleted: " << failure.Describe() << "\n";
  if (outcome.cancelled)
    err << "pagehold delete: stopped before every item was tried\n";
  return session.Finish(outcome.failures.empty() && !outcome.cancelled ? kExitDone : kExitRefused,
                        err);
}

}  // namespace pagehold
