#include "cli/CommandHelp.h"

#include <algorithm>
#include <array>
#include <vector>

#include "cache/Text.h"

namespace pagehold {

namespace {

struct CommandText {
  const char* name;
  const char* usage;    // after "pagehold "
  const char* purpose;  // what the command does, its own options and its exit statuses
  bool readsCache;      // takes SOURCE and FILTERS
};

constexpr const char* kSourceAndFilters =
    "SOURCE:  --nav INDEX_FILE     a Navigator cache index (fat.db, or the older text index)\n"
    "         --ie CACHE_FOLDER    the folder that holds an Internet Explorer index.dat\n"
    "FILTERS: --newer N{h|d|w}     items newer than N hours, days or weeks\n"
    "         --older N{h|d|w}     items older than that; with --newer, the ages between\n"
    "         --domain NAME        only this domain (repeatable; default: every domain)\n"
    "         --kinds text,media,other   only these kinds (default: all three)\n"
    "         --partial-ok         a cut or damaged index is no failure\n"
    "After reading, one line on stderr says how many entries were read and kept, and why the\n"
    "others were left out. Exit status: 2 when the file is not a cache index of the kind\n"
    "given; 1 when only part of the index could be read (unless --partial-ok).\n";

constexpr std::array<CommandText, 7> kCommands = {{
    {"list", "list    SOURCE [FILTERS] [--format tsv|json]",
     "Lists the chosen cache items, one row each under a header line (or as a JSON array):\n"
     "  domain      the item's host, made a folder name\n"
     "  kind        text, media or other\n"
     "  mime        the item's row of the MIME table (rows past 72 come from MIMETYPE.DAT;\n"
     "              0: no usable type, never archived)\n"
     "  type        the MIME type that row names\n"
     "  date        the item's date, local time\n"
     "  url         the item's address, port included\n"
     "  cache_file  the cached copy on disk\n",
     true},
    {"domains", "domains SOURCE [FILTERS] [--format tsv|json]",
     "Lists the domains inside the age window with their counts of text, media and other\n"
     "items (the counts do not depend on --kinds).\n",
     true},
    {"archive", "archive SOURCE [FILTERS] --to FOLDER [--yes] [--open] [--salvage]",
     "Archives the chosen items into FOLDER and prints the path of its index page.\n"
     "  --yes      create FOLDER when it is missing\n"
     "  --open     open the index page when done\n"
     "  --salvage  go on with a damaged archive.dat, keeping the damaged file beside it\n"
     "Exit status 1 when the run was refused or items could not be archived (each named).\n",
     true},
    {"delete", "delete  SOURCE [FILTERS] --yes",
     "Deletes the chosen items from the browser cache; without --yes the question is printed\n"
     "and nothing is deleted. Exit status 1 when nothing was chosen or a removal failed.\n",
     true},
    {"reindex", "reindex FOLDER [--salvage]",
     "Rebuilds the index pages and archive.dat of an archive folder from the files that are\n"
     "still there, and prints the path of its index page.\n",
     false},
    {"search", "search  FOLDER [--url TEXT] [--text TEXT] [--sort]",
     "Lists the archived items whose address holds the --url text and whose page holds the\n"
     "--text text (pages only), as rows of url and archive file. Exit status 1 when nothing\n"
     "was found or archive.dat is damaged.\n",
     false},
    {"check", "check   FOLDER [--remove-orphans]",
     "Tells whether an archive folder is sound: archive.dat complete or where it is damaged,\n"
     "records whose file is missing, and files no record names (--remove-orphans removes\n"
     "them). Exit status 0 when all is sound, 1 otherwise.\n",
     false},
}};

const CommandText* FindCommand(std::string_view name) {
  for (const CommandText& command : kCommands) {
    if (name == command.name)
      return &command;
  }
  return nullptr;
}

// Letters added, dropped, changed, or two neighbours swapped, each counting one.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i)
    d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j)
    d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

std::string GeneralUsage() {
  std::string text = "usage:\n";
  for (const CommandText& command : kCommands)
    text += std::string("  pagehold ") + command.usage + "\n";
  text += "  pagehold help [COMMAND] | COMMAND --help | --version\n";
  text += kSourceAndFilters;
  return text;
}

std::optional<std::string> CommandHelpText(std::string_view name) {
  const CommandText* command = FindCommand(name);
  if (command == nullptr)
    return std::nullopt;
  std::string text = std::string("usage: pagehold ") + command->usage + "\n" + command->purpose;
  if (command->readsCache)
    text += kSourceAndFilters;
  return text;
}

std::optional<std::string> NearestCommand(std::string_view typed) {
  const std::string lowered = LowerCase(typed);
  std::optional<std::string> nearest;
  std::size_t best = 3;  // more than two edits is no longer a typing slip
  const auto consider = [&](const char* name) {
    const std::size_t distance = EditDistance(lowered, name);
    if (distance < best) {
      best = distance;
      nearest = name;
    }
  };
  for (const CommandText& command : kCommands)
    consider(command.name);
  consider("help");
  return nearest;
}

}  // namespace pagehold
