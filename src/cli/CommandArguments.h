// Small helpers for a command's own flags, taken from what the shared options left over, and
// the one way a command reports bad usage.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "cli/Commands.h"

namespace pagehold {

inline constexpr int kExitDone = 0;
inline constexpr int kExitRefused = 1;   // refused, or nothing to do
inline constexpr int kExitBadUsage = 2;  // bad usage or unreadable input

// Prints "pagehold COMMAND: REASON" as one line and returns kExitBadUsage.
int ReportBadUsage(std::ostream& err, std::string_view command, std::string_view reason);

// Removes every occurrence of a flag without a value; true when there was one.
bool TakeFlag(Arguments& args, std::string_view flag);

// Removes the flag and its value. Returns false with a reason when the flag is given twice or
// without a value; value is left alone when the flag is absent.
bool TakeFlagValue(Arguments& args, std::string_view flag, std::string& value, std::string& reason);

// False with a reason naming the first argument nobody took.
bool NoArgumentsLeft(const Arguments& args, std::string& reason);

}  // namespace pagehold
