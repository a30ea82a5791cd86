#include <algorithm>
#include <iostream>
#include <map>
#include <string_view>

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

// "PREFIX: unknown command 'typed'", with the nearest command when one is near enough, then
// the usage of every command.
int RefuseUnknownCommand(std::string_view prefix, const std::string& typed, std::ostream& err) {
  err << prefix << ": unknown command '" << typed << "'";
  if (const std::optional<std::string> nearest = NearestCommand(typed))
    err << "; did you mean '" << *nearest << "'?";
  err << "\n" << GeneralUsage();
  return kExitBadUsage;
}

// pagehold help [COMMAND]; "help help" and "help --help" give the usage of every command.
int RunHelp(const Arguments& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 2 || args[1] == "help" || IsHelpFlag(args[1])) {
    out << GeneralUsage();
    return kExitDone;
  }
  if (const std::optional<std::string> help = CommandHelpText(args[1])) {
    out << *help;
    return kExitDone;
  }
  return RefuseUnknownCommand("pagehold help", args[1], err);
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
    return RefuseUnknownCommand("pagehold", args[0], err);
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
