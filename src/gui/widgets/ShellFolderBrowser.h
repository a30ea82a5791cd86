// The Windows shell's own folder browser, run for the folder chooser: its tree rooted at a shell
// folder, its OK button and status line driven through the browser's messages, and its set-up
// and selection callbacks passed on to the chooser.
#pragma once

#ifdef _WIN32

#include <optional>
#include <string>

#include "gui/widgets/FolderBrowser.h"
#include "gui/widgets/FolderChooserRules.h"

namespace pagehold {

struct ShellBrowseRequest {
  void* owner = nullptr;  // the owner window's handle
  TRootID root = idDesktopExpanded;
  TBrowseFlags options = 0;
  std::string title;
  bool hasStatusText = false;
};

struct ShellBrowseChoice {
  std::string path;     // empty for an item that is no file-system folder
  int imageIndex = -1;  // the chosen folder's icon in the system image list
};

// Runs the browser modally; nothing when the user cancelled, or when the shell's allocator or
// the name buffer could not be had (then nothing is shown at all).
std::optional<ShellBrowseChoice> RunShellFolderBrowser(const ShellBrowseRequest& request,
                                                       FolderBrowserClient& client);

}  // namespace pagehold

#endif  // _WIN32
