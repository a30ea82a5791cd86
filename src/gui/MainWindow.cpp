#include "gui/MainWindow.h"

#include <wx/bmpbuttn.h>
#include <wx/dnd.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "gui/AboutBox.h"
#include "gui/Accessibility.h"
#include "gui/CacheExplorerWindow.h"
#include "gui/HelpBook.h"
#include "gui/Pictures.h"
#include "gui/PrefsForm.h"
#include "gui/ReindexWindow.h"
#include "gui/SearchWindow.h"
#include "gui/WxText.h"
#include "gui/shell/HelpContexts.h"
#include "gui/shell/ShellTexts.h"

namespace pagehold {

namespace texts = shell_texts;

namespace {

constexpr int kButtonSize = 49;
constexpr int kLabelWidth = 300;

// The accessible name of a picture button: the first part of its label ("Cache Explorer").
wxString ButtonName(std::string_view label) {
  return ToWx(label.substr(0, label.find(':')));
}

// Reads a cache dropped on the window as one named on the command line. The Cache Explorer
// opens once the drop has ended, so that the program it came from is not kept waiting.
class CacheDropTarget : public wxFileDropTarget {
 public:
  explicit CacheDropTarget(MainWindow& window) : window_(window) {}

  bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) override {
    if (files.empty())
      return false;
    window_.CallAfter(
        [&window = window_, path = FromWx(files[0])] { (void)window.UseGivenCache(path, true); });
    return true;
  }

 private:
  MainWindow& window_;
};

}  // namespace

MainWindow::MainWindow(const MainWindowParts& parts)
    : wxFrame(nullptr, wxID_ANY, ToWx(texts::kProgramTitle), wxDefaultPosition, wxDefaultSize,
              wxCAPTION | wxMINIMIZE_BOX | wxSYSTEM_MENU | wxCLOSE_BOX),
      parts_(parts),
      actions_(parts.context, cacheList_, parts.ui, parts.shell, parts.help, *this) {
  SetName("TControlForm");
  SetBackgroundColour(*wxWHITE);
  CreateMenuBar();
  CreateControls();
  HelpBook::SetHelpContext(this, help_contexts::kContents);
  parts_.help.BindF1(this, parts_.ui);
  SetDropTarget(new CacheDropTarget(*this));
  Centre();
  // The Cache Explorer and the Properties window are created hidden and live as long as the
  // program; the creation of the Properties window loads the settings, so every current setting
  // holds the stored value before the user can act.
  // The Internet Explorer program stores the Properties window's values at the end of every run
  // that completes.
  if (parts_.context.product == Product::InternetExplorer)
    parts_.completedRun = [this] { (void)properties_->WriteSettingsToIni(); };
  explorer_ = new CacheExplorerWindow(
      this, {parts_.context, cacheList_, parts_.ui, parts_.shell, &parts_.help,
             [this] { ShowProperties(); }, parts_.completedRun});
  properties_ = new TPrefsForm(this, parts_.context, parts_.ui, parts_.help);
}

int MainWindow::CommandId(MainCommand command) const {
  const auto item = menuItems_.find(command);
  return item == menuItems_.end() ? wxID_NONE : item->second;
}

void MainWindow::CreateMenuBar() {
  auto* bar = new wxMenuBar;
  wxMenu* menu = nullptr;
  std::string_view menuTitle;
  for (const MainMenuEntry& entry : MainMenu()) {
    if (menu == nullptr || entry.menu != menuTitle) {
      menu = new wxMenu;
      menuTitle = entry.menu;
      bar->Append(menu, ToWx(entry.menu));
    }
    if (entry.text.empty()) {
      menu->AppendSeparator();
      continue;
    }
    wxString caption = ToWx(entry.text);
    if (!entry.shortcut.empty())
      caption += "\t" + ToWx(entry.shortcut);
    const int id = wxWindow::NewControlId();
    menu->Append(id, caption);
    commands_[id] = entry.command;
    menuItems_.emplace(entry.command, id);
    Bind(wxEVT_MENU, &MainWindow::CommandClick, this, id);
  }
  SetMenuBar(bar);
}

void MainWindow::CreateControls() {
  const std::string& data = parts_.context.dataFolder;
  auto* panel = new wxPanel(this);
  panel->SetBackgroundColour(*wxWHITE);
  const wxCursor hand = PointingHandCursor(data);

  auto* strip = new wxStaticBitmap(panel, wxID_ANY, LoadPicture(data, "strip", wxSize(56, 400)));
  auto* banner = new wxStaticBitmap(panel, wxID_ANY, LoadPicture(data, "banner", wxSize(380, 72)));
  SetAccessibleName(banner, ToWx(texts::kProgramTitle));

  auto* grid = new wxFlexGridSizer(2, 12, 14);
  grid->AddGrowableCol(1);
  AddPictureButton(panel, grid, "explorer", texts::kCacheExplorerLabel, MainCommand::CacheExplorer)
      ->SetFocus();
  AddPictureButton(panel, grid, "index", texts::kDefaultIndexLabel, MainCommand::DefaultIndex);
  AddPictureButton(panel, grid, "search", texts::kSearchLabel, MainCommand::Search);
  AddPictureButton(panel, grid, "properties", texts::kPropertiesLabel, MainCommand::Properties);

  auto* logo = new wxStaticBitmap(panel, wxID_ANY, LoadPicture(data, "logo", wxSize(150, 44)));
  SetAccessibleName(logo, "About Pagehold");
  logo->SetCursor(hand);
  logo->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) { ShowAbout(); });

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(banner, 0, wxTOP | wxBOTTOM, 10);
  column->Add(grid, 0, wxEXPAND | wxRIGHT, 14);
  column->AddStretchSpacer();
  column->Add(logo, 0, wxALIGN_RIGHT | wxALL, 10);

  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(strip, 0, wxEXPAND | wxRIGHT, 14);
  row->Add(column, 1, wxEXPAND);
  panel->SetSizer(row);

  auto* frameSizer = new wxBoxSizer(wxVERTICAL);
  frameSizer->Add(panel, 1, wxEXPAND);
  SetSizerAndFit(frameSizer);
}

wxBitmapButton* MainWindow::AddPictureButton(wxWindow* parent, wxSizer* grid, const char* picture,
                                             std::string_view label, MainCommand command) {
  const std::string& data = parts_.context.dataFolder;
  auto* button = new wxBitmapButton(parent, wxWindow::NewControlId(),
                                    LoadPicture(data, picture, wxSize(40, 40)), wxDefaultPosition,
                                    FromDIP(wxSize(kButtonSize, kButtonSize)));
  SetAccessibleName(button, ButtonName(label));
  button->SetToolTip(ButtonName(label));
  button->SetCursor(PointingHandCursor(data));
  button->Bind(wxEVT_MOTION, &MainWindow::PageholdButtonMouseMove, this);
  button->Bind(wxEVT_BUTTON, &MainWindow::CommandClick, this);
  commands_[button->GetId()] = command;
  auto* text = new wxStaticText(parent, wxID_ANY, ToWx(label));
  text->Wrap(FromDIP(kLabelWidth));
  grid->Add(button, 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(text, 1, wxALIGN_CENTER_VERTICAL);
  return button;
}

void MainWindow::PageholdButtonMouseMove(wxMouseEvent& event) {
  auto* button = static_cast<wxWindow*>(event.GetEventObject());
  if (wxWindow::FindFocus() != button)
    button->SetFocus();
  event.Skip();
}

void MainWindow::CommandClick(wxCommandEvent& event) {
  const auto command = commands_.find(event.GetId());
  if (command != commands_.end())
    actions_.Run(command->second);
}

void MainWindow::ShowCacheExplorer() {
  explorer_->ShowAndRead();
}

void MainWindow::ShowProperties() {
  properties_->ShowModal();
}

void MainWindow::ShowSearch() {
  SearchWindow search(this, parts_);
  search.ShowModal();
}

void MainWindow::ShowDeleteFromArchive() {
  ReindexWindow reindex(this, parts_);
  reindex.ShowModal();
}

void MainWindow::ShowAbout() {
  AboutBox about(this, parts_.context.dataFolder, parts_.shell, parts_.ui);
  about.ShowModal();
}

void MainWindow::Exit() {
  Close();
}

void MainWindow::BringToFront() {
  if (IsIconized())
    Iconize(false);
  Show();
  Raise();
}

}  // namespace pagehold
