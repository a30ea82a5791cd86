// The sub-commands of the pagehold program. Each takes the arguments after its name and the
// streams to write to, and returns the exit status: 0 done, 1 refused or nothing to do, 2 bad
// usage or unreadable input.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pagehold {

using Arguments = std::vector<std::string>;

int RunListCommand(const Arguments& args, std::ostream& out, std::ostream& err);
int RunDomainsCommand(const Arguments& args, std::ostream& out, std::ostream& err);
int RunArchiveCommand(const Arguments& args, std::ostream& out, std::ostream& err);
int RunDeleteCommand(const Arguments& args, std::ostream& out, std::ostream& err);
int RunReindexCommand(const Arguments& args, std::ostream& out, std::ostream& err);
int RunSearchCommand(const Arguments& args, std::ostream& out, std::ostream& err);
int RunCheckCommand(const Arguments& args, std::ostream& out, std::ostream& err);

// Dispatches on the first argument.
int RunPagehold(const Arguments& args, std::ostream& out, std::ostream& err);

}  // namespace pagehold
