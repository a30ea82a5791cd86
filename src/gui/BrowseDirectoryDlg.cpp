#include "gui/BrowseDirectoryDlg.h"

#include <wx/app.h>
#include <wx/dirdlg.h>
#include <wx/gdicmn.h>

#include "cache/Folders.h"
#include "gui/WxText.h"
#include "platform/Paths.h"

#ifdef _WIN32
#include "gui/widgets/ShellFolderBrowser.h"
#endif
#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace pagehold {

namespace {

#if !defined(_WIN32)
// The caption of the folder dialog when the chooser has no title of its own.
constexpr std::string_view kBrowserCaption = "Browse for Folder";
#endif

#if !defined(_WIN32) && defined(__WXGTK__)
// The toolkit's folder dialog as the chooser's browser: its OK button, its window position, a
// status line added under the file list, and its selection reported as the shell's browser
// reports it (a path only for an existing folder).
class DialogFolderBrowser : public OpenFolderBrowser {
 public:
  DialogFolderBrowser(wxDirDialog& dialog, FolderBrowserClient& client)
      : dialog_(static_cast<GtkWidget*>(dialog.GetHandle())), client_(client) {
    if (dialog_ == nullptr || !GTK_IS_FILE_CHOOSER(dialog_))
      return;
    handlers_[0] = g_signal_connect_after(dialog_, "map", G_CALLBACK(Opened), this);
    handlers_[1] = g_signal_connect(dialog_, "selection-changed", G_CALLBACK(Changed), this);
    handlers_[2] = g_signal_connect(dialog_, "current-folder-changed", G_CALLBACK(Changed), this);
  }
  ~DialogFolderBrowser() override {
    for (const gulong handler : handlers_) {
      if (handler != 0)
        g_signal_handler_disconnect(dialog_, handler);
    }
  }
  DialogFolderBrowser(const DialogFolderBrowser&) = delete;
  DialogFolderBrowser& operator=(const DialogFolderBrowser&) = delete;

  void CentreOnScreen() override {
    int width = 0;
    int height = 0;
    gtk_window_get_size(GTK_WINDOW(dialog_), &width, &height);
    const wxSize screen = wxGetDisplaySize();
    gtk_window_move(GTK_WINDOW(dialog_), CentredOrigin(screen.x, width),
                    CentredOrigin(screen.y, height));
  }

  void EnableOk(bool enable) override {
    gtk_dialog_set_response_sensitive(GTK_DIALOG(dialog_), GTK_RESPONSE_ACCEPT, enable);
  }

  void ShowStatusText(const std::string& text, bool fit) override {
    if (statusLine_ == nullptr) {
      statusLine_ = gtk_label_new(nullptr);
      gtk_label_set_xalign(GTK_LABEL(statusLine_), 0);
      gtk_file_chooser_set_extra_widget(GTK_FILE_CHOOSER(dialog_), statusLine_);
      gtk_widget_show(statusLine_);
    }
    const std::string shown = fit ? Fitted(text) : text;
    gtk_label_set_text(GTK_LABEL(statusLine_), ToWx(shown).utf8_str());
  }

  void SelectFolder(const std::string& path) override {
    if (DirectoryExists(path))
      gtk_file_chooser_select_filename(GTK_FILE_CHOOSER(dialog_), path.c_str());
  }

 private:
  static void Opened(GtkWidget*, gpointer self) {
    auto* browser = static_cast<DialogFolderBrowser*>(self);
    browser->client_.BrowserOpened(*browser);
    browser->client_.BrowserSelectionChanged(browser->SelectedFolder());
  }

  static void Changed(GtkFileChooser*, gpointer self) {
    auto* browser = static_cast<DialogFolderBrowser*>(self);
    browser->client_.BrowserSelectionChanged(browser->SelectedFolder());
  }

  // The selected folder, or the folder shown when nothing is selected; empty for places that
  // are no folder of the file system.
  std::string SelectedFolder() const {
    gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog_));
    std::string path = name != nullptr ? name : "";
    g_free(name);
    return DirectoryExists(path) ? path : std::string();
  }

  // The text shortened to the dialog's width, as the status line's font measures it.
  std::string Fitted(const std::string& text) const {
    constexpr int kMargins = 24;
    const int room = gtk_widget_get_allocated_width(dialog_) - kMargins;
    const TextWidth width = [this](std::string_view piece) {
      PangoLayout* layout =
          gtk_widget_create_pango_layout(statusLine_, ToWx(piece).utf8_str().data());
      int pixels = 0;
      pango_layout_get_pixel_size(layout, &pixels, nullptr);
      g_object_unref(layout);
      return pixels;
    };
    return pagehold::FitStatusText(text, room, width, DirectoryExists(text), kNativePathStyle);
  }

  GtkWidget* dialog_;
  FolderBrowserClient& client_;
  GtkWidget* statusLine_ = nullptr;
  gulong handlers_[3] = {0, 0, 0};
};
#endif

}  // namespace

void TBrowseDirectoryDlg::SetSelection(std::string_view folder) {
  selection_ = WithTrailingSeparator(folder);
  if (browser_ != nullptr && !selection_.empty())
    browser_->SelectFolder(BrowserPath(selection_, kNativePathStyle));
}

void TBrowseDirectoryDlg::SetStatusText(std::string_view text) {
  statusText_ = text;
  if (browser_ != nullptr)
    browser_->ShowStatusText(statusText_, fitStatusText_);
}

void TBrowseDirectoryDlg::SetFitStatusText(bool fit) {
  fitStatusText_ = fit;
  if (browser_ != nullptr && !statusText_.empty())
    browser_->ShowStatusText(statusText_, fitStatusText_);
}

void TBrowseDirectoryDlg::SetEnableOKButton(bool enable) {
  enableOKButton_ = enable;
  if (browser_ != nullptr)
    browser_->EnableOk(enable);
}

wxWindow* TBrowseDirectoryDlg::OwnerWindow() const {
  return owner_ != nullptr ? owner_ : wxTheApp->GetTopWindow();
}

void TBrowseDirectoryDlg::BrowserOpened(OpenFolderBrowser& browser) {
  browser_ = &browser;
  if (center_)
    browser.CentreOnScreen();
  browser.EnableOk(enableOKButton_);
  if (!statusText_.empty())
    browser.ShowStatusText(statusText_, fitStatusText_);
  if (!selection_.empty())
    browser.SelectFolder(BrowserPath(selection_, kNativePathStyle));
  if (OnCreate)
    OnCreate(*this);
}

void TBrowseDirectoryDlg::BrowserSelectionChanged(const std::string& path) {
  if (OnSelChanged)
    OnSelChanged(*this, path);
}

bool TBrowseDirectoryDlg::RunBrowser() {
  bool chosen = false;
  std::string folder;
#ifdef _WIN32
  ShellBrowseRequest request;
  wxWindow* owner = OwnerWindow();
  request.owner = owner != nullptr ? owner->GetHandle() : nullptr;
  request.root = root_;
  request.options = options_;
  request.title = title_;
  request.hasStatusText = !statusText_.empty();
  const std::optional<ShellBrowseChoice> choice = RunShellFolderBrowser(request, *this);
  if (choice) {
    chosen = true;
    folder = choice->path;
    imageIndex_ = choice->imageIndex;
  }
#else
  // Only existing folders can be chosen; the dialog offers no other kind of place.
  wxDirDialog dialog(OwnerWindow(), ToWx(title_.empty() ? kBrowserCaption : title_), wxEmptyString,
                     wxDEFAULT_DIALOG_STYLE | wxDD_DIR_MUST_EXIST);
#ifdef __WXGTK__
  DialogFolderBrowser browser(dialog, *this);
#endif
  chosen = dialog.ShowModal() == wxID_OK;
  folder = FromWx(dialog.GetPath());
  chosen = chosen && DirectoryExists(folder);
#endif
  browser_ = nullptr;
  SetSelection(chosen ? folder : std::string());
  return chosen;
}

void SetUpForFolderField(TBrowseDirectoryDlg& chooser) {
  chooser.SetRoot(idDrives);
  chooser.SetOptions(bfDirectoriesOnly);
  chooser.SetEnableOKButton(true);
  chooser.OnSelChanged = [](TBrowseDirectoryDlg& sender, const std::string& path) {
    sender.SetEnableOKButton(!path.empty());
  };
}

}  // namespace pagehold
