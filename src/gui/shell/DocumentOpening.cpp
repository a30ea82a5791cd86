#include "gui/shell/DocumentOpening.h"

#include <filesystem>
#include <map>

#include "gui/shell/MainActions.h"
#include "platform/Interaction.h"
#include "platform/Paths.h"
#include "platform/Shell.h"

namespace pagehold {

namespace {

// Paths handed to the system hold at most this many characters.
constexpr size_t kPathLimit = 255;

std::string Trimmed(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32)
    ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32)
    --end;
  return text.substr(begin, end - begin);
}

}  // namespace

std::string OpenFailureReason(int code) {
  static const std::map<int, std::string_view> reasons = {
      {ShellResult::OutOfResources, "The operating system is out \r\nof memory or resources."},
      {ShellResult::PathNotFound, "The specified path was not found."},
      {ShellResult::AccessDenied, "The operating system denied \r\naccess to the specified file."},
      {ShellResult::OutOfMemory, "There was not enough memory \r\nto complete the operation."},
      {ShellResult::BadFormat,
       "The .EXE file is invalid (non-Win32 \r\n.EXE or error in .EXE image)."},
      {ShellResult::SharingViolation, "A sharing violation occurred."},
      {ShellResult::AssociationIncomplete,
       "The filename association \r\nis incomplete or invalid."},
      {ShellResult::DdeTimeout,
       "The DDE transaction could not \r\nbe completed because the request \r\ntimed out."},
      {ShellResult::DdeFailed, "The DDE transaction failed."},
      {ShellResult::DdeBusy,
       "The DDE transaction could not\r\nbe completed because other DDE \r\ntransactions were "
       "being processed."},
      {ShellResult::NoAssociation, "There is no application \r\nassociated with these files."},
      {ShellResult::LibraryNotFound, "The specified dynamic-link \r\nlibrary was not found."},
  };
  const auto reason = reasons.find(code);
  return std::string(reason != reasons.end() ? reason->second
                                             : "The requested file could not be opened.");
}

std::string OpenFailureMessage(int code, std::string_view trimmedPath) {
  return OpenFailureReason(code) + "\r\n\r\n" + "To open the page:" + "\r\n\r\n" +
         std::string(trimmedPath) + "\r\n\r\n" + "use the Open command from" + "\r\n" +
         "the browser's File menu.";
}

void OpenDocument(const std::string& path, ShellLauncher& shell, Interaction& ui) {
  const std::string target = Trimmed(path.substr(0, kPathLimit));
  const int code = shell.Execute(target, "");
  if (ShellSucceeded(code) || code == ShellResult::FileNotFound)
    return;
  ShowShellMessage(ui, OpenFailureMessage(code, target), true);
}

void ExploreFolderOf(const std::string& file, ShellLauncher& shell, Interaction& ui) {
  const std::string folder = std::filesystem::path(file).parent_path().string();
  const int code = shell.Execute(folder, kExploreVerb);
  if (!ShellSucceeded(code))
    ShowShellMessage(ui, OpenFailureReason(code) + "\r\n\r\n" + folder, true);
}

std::string ShortPathOf(const std::string& path) {
  return ShortPathForm(path);
}

std::string IndexPageForOpening(const std::string& page) {
  return ShortPathOf(page).substr(0, kPathLimit);
}

}  // namespace pagehold
