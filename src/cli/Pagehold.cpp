#include <iostream>
#include <map>

#include "cli/Commands.h"

namespace pagehold {

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  pagehold list    SOURCE [FILTERS] [--format tsv|json]\n"
    "  pagehold domains SOURCE [FILTERS] [--format tsv|json]\n"
    "  pagehold archive SOURCE [FILTERS] --to FOLDER [--yes] [--open] [--salvage]\n"
    "  pagehold delete  SOURCE [FILTERS] --yes\n"
    "  pagehold reindex FOLDER [--salvage]\n"
    "  pagehold search  FOLDER [--url TEXT] [--text TEXT] [--sort]\n"
    "  pagehold check   FOLDER [--remove-orphans]\n"
    "SOURCE:  --nav INDEX_FILE | --ie CACHE_FOLDER\n"
    "FILTERS: --newer N{h|d|w} | --older N{h|d|w}  --domain NAME ...  --kinds text,media,other\n";

using Command = int (*)(const Arguments&, std::ostream&, std::ostream&);

}  // namespace

int RunPagehold(const Arguments& args, std::ostream& out, std::ostream& err) {
  static const std::map<std::string, Command> commands = {
      {"list", RunListCommand},     {"domains", RunDomainsCommand}, {"archive", RunArchiveCommand},
      {"delete", RunDeleteCommand}, {"reindex", RunReindexCommand}, {"search", RunSearchCommand},
      {"check", RunCheckCommand},
  };
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    (args.empty() ? err : out) << kUsage;
    return args.empty() ? 2 : 0;
  }
  const auto command = commands.find(args[0]);
  if (command == commands.end()) {
    err << "pagehold: unknown command '" << args[0] << "'\n" << kUsage;
    return 2;
  }
  try {
    return command->second(Arguments(args.begin() + 1, args.end()), out, err);
  } catch (const std::exception& error) {
    err << "pagehold: " << error.what() << "\n";
    return 2;
  }
}

}  // namespace pagehold
