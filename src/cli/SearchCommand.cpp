// Not built yet: answers with a clear reason until this command is written.
#include <ostream>

#include "cli/Commands.h"

namespace pagehold {

int RunSearchCommand(const Arguments&, std::ostream&, std::ostream& err) {
  err << "pagehold search: not available in this build yet\n";
  return 2;
}

}  // namespace pagehold
