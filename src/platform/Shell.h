// Handing a document, a web address or a folder to the system so that the program associated
// with it opens it. On Windows this is the shell's ShellExecute; elsewhere it is xdg-open, whose
// failures are mapped onto the shell's open-result codes, so that every caller reports a failure
// with the same texts on every platform.
#pragma once

#include <string>
#include <string_view>

namespace pagehold {

// The shell's open-result codes. A code above 32 means success; every code up to 32 is a
// failure, and the callers' messages are keyed on these numbers.
namespace ShellResult {
inline constexpr int OutOfResources = 0;
inline constexpr int FileNotFound = 2;
inline constexpr int PathNotFound = 3;
inline constexpr int AccessDenied = 5;
inline constexpr int OutOfMemory = 8;
inline constexpr int BadFormat = 11;
inline constexpr int SharingViolation = 26;
inline constexpr int AssociationIncomplete = 27;
inline constexpr int DdeTimeout = 28;
inline constexpr int DdeFailed = 29;
inline constexpr int DdeBusy = 30;
inline constexpr int NoAssociation = 31;
inline constexpr int LibraryNotFound = 32;
// Not one of the documented codes: a failure the shell gives no reason for. Callers show their
// general "could not be opened" text for it.
inline constexpr int Unexplained = 1;
// What this layer returns on success (any value above 32 would do).
inline constexpr int Done = 33;
}  // namespace ShellResult

inline bool ShellSucceeded(int code) {
  return code > 32;
}

// The verb that opens a folder in the file manager.
inline constexpr std::string_view kExploreVerb = "explore";

// Something that can hand a target to the system. The program uses SystemShell; tests record
// what would have been opened.
class ShellLauncher {
 public:
  virtual ~ShellLauncher() = default;
  // Opens target (a file, folder or web address) with the verb, or with the file type's default
  // action when verb is empty. Returns a ShellResult code.
  virtual int Execute(const std::string& target, std::string_view verb) = 0;
};

class SystemShell : public ShellLauncher {
 public:
  int Execute(const std::string& target, std::string_view verb) override;
};

#ifndef _WIN32
// The opener program started for a target ("xdg-open"), looked up on PATH.
inline constexpr const char* kOpenerProgram = "xdg-open";

// What the shell would answer before anything is started: FileNotFound for a missing file,
// PathNotFound for a missing parent folder or for "explore" on something that is not a folder,
// Done when the target may be handed over. Web addresses (a scheme before "://") and "mailto:"
// are never checked on disk.
int CheckOpenTarget(const std::string& target, std::string_view verb);

// The shell code for the way the opener ended: its exit status (0 success, 1 bad arguments,
// 2 file missing, 3 no tool to open it, 4 the action failed), 127 when it could not be started
// at all, and signalled for an opener killed by a signal.
int ShellCodeFromOpenerExit(int exitStatus, bool signalled);
#endif

}  // namespace pagehold
