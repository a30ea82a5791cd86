// Commands whose core is still being built answer with a clear reason. Each command moves to
// a file of its own when it is built, and its line leaves this file.
#include <ostream>

#include "cli/Commands.h"

namespace pagehold {

static int NotYetBuilt(const char* name, std::ostream& err) {
  err << "pagehold " << name << ": not available in this build yet\n";
  return 2;
}

int RunListCommand(const Arguments&, std::ostream&, std::ostream& err) {
  return NotYetBuilt("list", err);
}
int RunDomainsCommand(const Arguments&, std::ostream&, std::ostream& err) {
  return NotYetBuilt("domains", err);
}
int RunArchiveCommand(const Arguments&, std::ostream&, std::ostream& err) {
  return NotYetBuilt("archive", err);
}
int RunDeleteCommand(const Arguments&, std::ostream&, std::ostream& err) {
  return NotYetBuilt("delete", err);
}
int RunReindexCommand(const Arguments&, std::ostream&, std::ostream& err) {
  return NotYetBuilt("reindex", err);
}
int RunSearchCommand(const Arguments&, std::ostream&, std::ostream& err) {
  return NotYetBuilt("search", err);
}

}  // namespace pagehold
