#include "gui/HelpBook.h"

#include <wx/accel.h>
#include <wx/dialog.h>
#include <wx/filename.h>
#include <wx/html/helpctrl.h>
#include <wx/sysopt.h>

#include <unordered_map>

#include "gui/Accessibility.h"
#include "gui/WxText.h"
#include "gui/shell/HelpContexts.h"
#include "gui/shell/ShellTexts.h"
#include "platform/Paths.h"

namespace pagehold {

namespace {

// Contexts of the windows that have one; an entry goes with its window.
std::unordered_map<const wxWindow*, int>& Contexts() {
  static std::unordered_map<const wxWindow*, int> contexts;
  return contexts;
}

bool ModalWindowOpen() {
  for (wxWindow* window : wxTopLevelWindows) {
    const auto* dialog = dynamic_cast<const wxDialog*>(window);
    if (dialog != nullptr && dialog->IsModal())
      return true;
  }
  return false;
}

}  // namespace

HelpBook::HelpBook(std::string bookFile) : bookFile_(std::move(bookFile)) {
  // The book's pages are HTML by their names; the system's type database is not asked, since
  // on some systems it takes ".htm" for something else and the pages show up as plain text.
  wxSystemOptions::SetOption("filesys.no-mimetypesmanager", 1);
}

HelpBook::~HelpBook() = default;

wxHtmlHelpController& HelpBook::Controller(bool modal) {
  std::unique_ptr<wxHtmlHelpController>& viewer = modal ? modalViewer_ : frameViewer_;
  if (!viewer) {
    viewer = std::make_unique<wxHtmlHelpController>(
        modal ? wxHF_DEFAULT_STYLE | wxHF_DIALOG | wxHF_MODAL : wxHF_DEFAULT_STYLE | wxHF_FRAME);
    viewer->AddBook(wxFileName(ToWx(bookFile_)));
  }
  return *viewer;
}

bool HelpBook::ShowHelpTopic(int context) {
  const std::optional<std::string> page = help_contexts::HelpPageOf(context);
  if (!page || !FileExists(bookFile_))
    return false;
  wxHtmlHelpController& controller = Controller(ModalWindowOpen());
  if (!controller.Display(ToWx(*page)))
    return false;
  // The viewer's own controls get names that a screen reader can read out.
  if (wxWindow* viewer = controller.GetHelpWindow())
    NameUnnamedControls(wxGetTopLevelParent(viewer));
  return true;
}

void HelpBook::SetHelpContext(wxWindow* window, int context) {
  if (Contexts().emplace(window, context).second)
    window->Bind(wxEVT_DESTROY, [window](wxWindowDestroyEvent& event) {
      if (event.GetEventObject() == window)
        Contexts().erase(window);
      event.Skip();
    });
  else
    Contexts()[window] = context;
}

int HelpBook::HelpContextOf(wxWindow* window) {
  return help_contexts::NearestHelpContext(
      window, [](wxWindow* w) { return w->IsTopLevel() ? nullptr : w->GetParent(); },
      [](wxWindow* w) {
        const auto context = Contexts().find(w);
        return context == Contexts().end() ? help_contexts::kNone : context->second;
      });
}

void HelpBook::ShowHelpFor(wxWindow* window, Interaction& ui) {
  if (!ShowHelpTopic(HelpContextOf(window)))
    ShowShellMessage(ui, shell_texts::kHelpNotFoundMessage, true);
}

void HelpBook::BindF1(wxWindow* topLevel, Interaction& ui) {
  wxAcceleratorEntry entry(wxACCEL_NORMAL, WXK_F1, wxID_HELP);
  topLevel->SetAcceleratorTable(wxAcceleratorTable(1, &entry));
  topLevel->Bind(
      wxEVT_MENU,
      [this, topLevel, &ui](wxCommandEvent&) {
        wxWindow* focus = wxWindow::FindFocus();
        ShowHelpFor(focus != nullptr && wxGetTopLevelParent(focus) == topLevel ? focus : topLevel,
                    ui);
      },
      wxID_HELP);
}

}  // namespace pagehold
