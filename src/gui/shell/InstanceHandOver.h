// One running copy per program file name. A second copy finds the first by a name made from the
// program file's name, asks it over a local socket to bring its main window to the front, and
// ends. The request can carry one argument for the running copy (a cache to open next).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pagehold {

// The program file's name followed by the guard's fixed suffix, so that programs with other
// file names never block each other.
std::string InstanceGuardName(std::string_view programPath);

// Where the running copy listens: a socket named after the program file in the user's runtime
// folder ($XDG_RUNTIME_DIR), or, without one, in a folder of the user's own under the
// temporary folder.
std::string HandOverSocketPath(std::string_view programPath, const char* runtimeFolder,
                               const std::string& privateTemporaryFolder);

// The folder of the user's own under the temporary folder ("/tmp/pagehold-UID").
std::string PrivateTemporaryFolder(std::string_view temporaryFolder, unsigned userId);

// What a second copy asks of the running one.
struct HandOverRequest {
  std::optional<std::string> argument;  // a path given to the second copy
};

// The request as one line of text: "raise", then a tab and the argument when there is one.
std::string EncodeHandOver(const HandOverRequest& request);

// The request of a text made by EncodeHandOver; nothing for any other text.
std::optional<HandOverRequest> DecodeHandOver(std::string_view text);

}  // namespace pagehold
