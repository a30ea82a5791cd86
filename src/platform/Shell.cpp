#include "platform/Shell.h"

#ifdef _WIN32
#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/Paths.h"

extern char** environ;
#endif

namespace pagehold {

#ifdef _WIN32

int SystemShell::Execute(const std::string& target, std::string_view verb) {
  const std::string verbText(verb);
  const HINSTANCE result = ShellExecuteA(nullptr, verbText.empty() ? nullptr : verbText.c_str(),
                                         target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  // ShellExecute returns an HINSTANCE only for compatibility: it is the result code.
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

#else

namespace {

// A target such as "http://host/" or "mailto:x" is opened by the browser or mail program and
// has nothing on disk to check.
bool IsAddress(const std::string& target) {
  const size_t colon = target.find(':');
  if (colon == std::string::npos || colon == 0)
    return false;
  for (size_t i = 0; i < colon; ++i) {
    const char c = target[i];
    const bool schemeChar = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                            (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    if (!schemeChar)
      return false;
  }
  return target.compare(colon, 3, "://") == 0 || target.compare(0, colon, "mailto") == 0;
}

// Starts the opener with its output discarded and waits for it. The opener itself returns as
// soon as the associated program has been started.
int RunOpener(const std::string& target) {
  // A name starting with "-" would be taken for an option of the opener.
  const std::string argument = target.front() == '-' ? "./" + target : target;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv = {const_cast<char*>(kOpenerProgram), const_cast<char*>(argument.c_str()),
                             nullptr};
  pid_t child = 0;
  const int spawnError =
      posix_spawnp(&child, kOpenerProgram, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawnError == ENOENT || spawnError == EACCES)
    return ShellCodeFromOpenerExit(127, false);
  if (spawnError != 0)
    return ShellResult::OutOfResources;

  int status = 0;
  pid_t waited = 0;
  do {
    waited = waitpid(child, &status, 0);
  } while (waited < 0 && errno == EINTR);
  if (waited < 0)
    return ShellResult::Unexplained;
  if (WIFSIGNALED(status))
    return ShellCodeFromOpenerExit(WTERMSIG(status), true);
  return ShellCodeFromOpenerExit(WEXITSTATUS(status), false);
}

}  // namespace

int CheckOpenTarget(const std::string& target, std::string_view verb) {
  if (IsAddress(target))
    return verb == kExploreVerb ? ShellResult::PathNotFound : ShellResult::Done;
  std::error_code error;
  const auto status = std::filesystem::status(target, error);
  if (target.empty() || !std::filesystem::exists(status)) {
    // As the shell does: a missing parent folder is a bad path, a missing last name a
    // missing file.
    std::string parent = FolderPart(target);
    while (parent.size() > 1 && IsPathSeparator(parent.back()))
      parent.pop_back();
    const bool parentThere = parent.empty() || std::filesystem::is_directory(parent, error);
    return parentThere && verb != kExploreVerb ? ShellResult::FileNotFound
                                               : ShellResult::PathNotFound;
  }
  if (verb == kExploreVerb && !std::filesystem::is_directory(status))
    return ShellResult::PathNotFound;
  return ShellResult::Done;
}

int ShellCodeFromOpenerExit(int exitStatus, bool signalled) {
  if (signalled)
    return ShellResult::Unexplained;
  switch (exitStatus) {
    case 0:
      return ShellResult::Done;
    case 2:
      return ShellResult::FileNotFound;
    case 3:    // no method available for opening this kind of target
    case 127:  // no opener installed: nothing on this system opens documents
      return ShellResult::NoAssociation;
    default:  // 1 (bad arguments), 4 (the associated program failed) and anything else
      return ShellResult::Unexplained;
  }
}

int SystemShell::Execute(const std::string& target, std::string_view verb) {
  const int check = CheckOpenTarget(target, verb);
  if (!ShellSucceeded(check))
    return check;
  // "explore" needs nothing special here: the opener shows a folder in the file manager.
  return RunOpener(target);
}

#endif

}  // namespace pagehold
