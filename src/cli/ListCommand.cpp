// Not built yet: answers with a clear reason until this command is written.
#include <ostream>

#include "cli/Commands.h"

namespace pagehold {

int RunListCommand(const Arguments&, std::ostream&, std::ostream& err) {
  err << "pagehold list: not available in this build yet\n";
  return 2;
}

int RunDomainsCommand(const Arguments&, std::ostream&, std::ostream& err) {
  err << "pagehold domains: not available in this build yet\n";
  return 2;
}

}  // namespace pagehold
