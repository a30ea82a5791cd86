// What `pagehold help`, `pagehold COMMAND --help` and a mistyped command print: the usage of
// every command, each command's own help, and the command nearest to a mistyped name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pagehold {

// The usage lines of every command, with the SOURCE and FILTERS forms.
std::string GeneralUsage();

// The help of one command: its usage, what it does, its options and its exit statuses;
// nothing for a name that is no command.
std::optional<std::string> CommandHelpText(std::string_view command);

// The command whose name is nearest to a mistyped one (letter case aside, at most two letters
// added, dropped, changed or swapped); nothing when none is that near.
std::optional<std::string> NearestCommand(std::string_view typed);

}  // namespace pagehold
