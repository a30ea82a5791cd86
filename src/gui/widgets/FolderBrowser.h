// Between the folder chooser and the browser window it runs: what the chooser can do to the
// browser while it is open, and what the browser reports back. Each platform's browser (the
// shell's own on Windows, the toolkit's folder dialog elsewhere) implements the first and calls
// the second.
#pragma once

#include <string>

namespace pagehold {

// The browser window while it is open.
class OpenFolderBrowser {
 public:
  virtual ~OpenFolderBrowser() = default;
  virtual void CentreOnScreen() = 0;
  virtual void EnableOk(bool enable) = 0;
  // Shows the text in the status line, shortened to its width when fit is set.
  virtual void ShowStatusText(const std::string& text, bool fit) = 0;
  // Selects the folder, given as BrowserPath makes it.
  virtual void SelectFolder(const std::string& path) = 0;
};

// What the browser tells the chooser that runs it.
class FolderBrowserClient {
 public:
  virtual ~FolderBrowserClient() = default;
  // The browser window has opened; it stays valid until the browser closes.
  virtual void BrowserOpened(OpenFolderBrowser& browser) = 0;
  // The selection moved to path: a file-system folder, or empty for anything else.
  virtual void BrowserSelectionChanged(const std::string& path) = 0;
};

}  // namespace pagehold
