#include "cli/CommandArguments.h"

#include <algorithm>
#include <ostream>

namespace pagehold {

int ReportBadUsage(std::ostream& err, std::string_view command, std::string_view reason) {
  err << "pagehold " << command << ": " << reason << '\n';
  return kExitBadUsage;
}

bool TakeFlag(Arguments& args, std::string_view flag) {
  return std::erase(args, std::string(flag)) != 0;
}

bool TakeFlagValue(Arguments& args, std::string_view flag, std::string& value,
                   std::string& reason) {
  const auto found = std::find(args.begin(), args.end(), flag);
  if (found == args.end())
    return true;
  if (found + 1 == args.end()) {
    reason = std::string(flag) + " needs a value";
    return false;
  }
  value = *(found + 1);
  args.erase(found, found + 2);
  if (std::find(args.begin(), args.end(), flag) != args.end()) {
    reason = "give " + std::string(flag) + " once";
    return false;
  }
  return true;
}

bool NoArgumentsLeft(const Arguments& args, std::string& reason) {
  if (args.empty())
    return true;
  reason = "unexpected argument '" + args.front() + "'";
  return false;
}

}  // namespace pagehold
