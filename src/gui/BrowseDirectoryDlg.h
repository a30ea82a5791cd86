// TBrowseDirectoryDlg, the folder chooser: a window holds one, sets its root, options and preset
// selection, reacts to selection changes, and runs it; on OK it reads the chosen folder back
// from Selection. On Windows it runs the shell's own folder browser; elsewhere the toolkit's
// native folder dialog, which has no shell folders to root at, no system image list and no
// status line of its own (a status text shows in a line added under its file list).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "gui/widgets/FolderBrowser.h"
#include "gui/widgets/FolderChooserRules.h"

class wxWindow;

namespace pagehold {

class TBrowseDirectoryDlg : private FolderBrowserClient {
 public:
  using TBDSelChangedEvent = std::function<void(TBrowseDirectoryDlg& sender, const std::string&)>;
  using TCreateEvent = std::function<void(TBrowseDirectoryDlg& sender)>;

  // owner: the window the browser belongs to; null for the application's main window.
  explicit TBrowseDirectoryDlg(wxWindow* owner) : owner_(owner) {}
  ~TBrowseDirectoryDlg() override = default;

  // Runs the browser modally: true when the user chose a folder with OK (Selection then holds
  // it, ending in a separator), false otherwise (Selection is then empty).
  virtual bool RunBrowser();

  // The chosen or preset folder; a non-empty value always ends in a separator.
  const std::string& Selection() const { return selection_; }
  void SetSelection(std::string_view folder);
  const std::string& Title() const { return title_; }
  void SetTitle(std::string_view title) { title_ = title; }
  TRootID Root() const { return root_; }
  void SetRoot(TRootID root) { root_ = root; }
  TBrowseFlags Options() const { return options_; }
  void SetOptions(TBrowseFlags options) { options_ = options; }
  bool Center() const { return center_; }
  void SetCenter(bool center) { center_ = center; }
  const std::string& StatusText() const { return statusText_; }
  void SetStatusText(std::string_view text);
  bool FitStatusText() const { return fitStatusText_; }
  void SetFitStatusText(bool fit);
  bool EnableOKButton() const { return enableOKButton_; }
  void SetEnableOKButton(bool enable);
  // After a successful run on Windows, the chosen folder's icon in the system image list.
  int ImageIndex() const { return imageIndex_; }

  TBDSelChangedEvent OnSelChanged;
  TCreateEvent OnCreate;

 private:
  void BrowserOpened(OpenFolderBrowser& browser) override;
  void BrowserSelectionChanged(const std::string& path) override;
  wxWindow* OwnerWindow() const;

  wxWindow* owner_;
  OpenFolderBrowser* browser_ = nullptr;  // while the browser is open
  std::string selection_;
  std::string title_;
  TRootID root_ = idDesktopExpanded;
  TBrowseFlags options_ = 0;
  bool center_ = true;
  std::string statusText_;
  bool fitStatusText_ = true;
  bool enableOKButton_ = false;
  int imageIndex_ = -1;
};

// Sets the chooser up as every folder field of the program has it: rooted at the drives,
// folders only, OK enabled when it opens and then exactly while the selection is a folder.
void SetUpForFolderField(TBrowseDirectoryDlg& chooser);

}  // namespace pagehold
