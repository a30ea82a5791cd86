#include <algorithm>
#include <iostream>
#include <map>

#include "cli/CommandArguments.h"
#include "cli/CommandHelp.h"
#include "cli/Commands.h"

#ifndef PAGEHOLD_VERSION
#define PAGEHOLD_VERSION "unknown"
#endif

namespace pagehold {

namespace {

using Command = int (*)(const Arguments&, std::ostream&, std::ostream&);

bool IsHelpFlag(const std::string& argument) {
  return argument == "--help" || argument == "-h";
}

// pagehold help [COMMAND]
int RunHelp(const Arguments& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 2) {
    out << GeneralUsage();
    return kExitDone;
  }
  if (const std::optional<std::string> help = CommandHelpText(args[1])) {
    out << *help;
    return kExitDone;
  }
  err << "pagehold help: no command '" << args[1] << "'\n";
  return kExitBadUsage;
}

int RefuseUnknownCommand(const std::string& typed, std::ostream& err) {
  err << "pagehold: unknown command '" << typed << "'";
  if (const std::optional<std::string> nearest = NearestCommand(typed))
    err << "; did you mean '" << *nearest << "'?";
  err << "\n" << GeneralUsage();
  return kExitBadUsage;
}

}  // namespace

int RunPagehold(const Arguments& args, std::ostream& out, std::ostream& err) {
  static const std::map<std::string, Command> commands = {
      {"list", RunListCommand},     {"domains", RunDomainsCommand}, {"archive", RunArchiveCommand},
      {"delete", RunDeleteCommand}, {"reindex", RunReindexCommand}, {"search", RunSearchCommand},
      {"check", RunCheckCommand},
  };
  if (args.empty()) {
    err << GeneralUsage();
    return kExitBadUsage;
  }
  if (IsHelpFlag(args[0])) {
    out << GeneralUsage();
    return kExitDone;
  }
  if (args[0] == "--version") {
    out << "pagehold " << PAGEHOLD_VERSION << "\n";
    return kExitDone;
  }
  if (args[0] == "help")
    return RunHelp(args, out, err);
  const auto command = commands.find(args[0]);
  if (command == commands.end())
    return RefuseUnknownCommand(args[0], err);
  if (std::any_of(args.begin() + 1, args.end(), IsHelpFlag)) {
    out << *CommandHelpText(args[0]);
    return kExitDone;
  }
  try {
    return command->second(Arguments(args.begin() + 1, args.end()), out, err);
  } catch (const std::exception& error) {
    err << "pagehold: " << error.what() << "\n";
    return kExitBadUsage;
  }
}

}  // namespace pagehold
