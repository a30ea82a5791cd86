#include "WindowDriver.h"

#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/evtloop.h>
#include <wx/modalhook.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include <set>

#include "gui/WxText.h"

namespace pagehold::driver {

namespace {

// The dialogs inside ShowModal. The toolkit's native dialogs (the folder chooser, the file-open
// dialog) are no top-level windows of its own list; every modal dialog passes this hook.
class ModalDialogs : public wxModalDialogHook {
 public:
  ModalDialogs() { Register(); }
  std::set<wxDialog*> open;

 protected:
  int Enter(wxDialog* dialog) override {
    open.insert(dialog);
    return wxID_NONE;
  }
  void Exit(wxDialog* dialog) override { open.erase(dialog); }
};

std::set<wxWindow*> ShownModals() {
  static ModalDialogs hooked;
  std::set<wxWindow*> modals;
  for (wxWindow* window : wxTopLevelWindows) {
    auto* dialog = dynamic_cast<wxDialog*>(window);
    if (dialog != nullptr && dialog->IsModal() && dialog->IsShown())
      modals.insert(dialog);
  }
  for (wxDialog* dialog : hooked.open) {
    if (dialog->IsModal() && dialog->IsShown())
      modals.insert(dialog);
  }
  return modals;
}

// Polls for a modal window that was not there when it started, then acts on it once.
class ModalWatch : public wxTimer {
 public:
  explicit ModalWatch(std::function<void(wxDialog&)> action)
      : action_(std::move(action)), before_(ShownModals()) {
    Start(20);
  }

  void Notify() override {
    for (wxWindow* window : ShownModals()) {
      if (before_.count(window) == 0) {
        Stop();
        PumpEvents(150);
        action_(static_cast<wxDialog&>(*window));
        delete this;
        return;
      }
    }
  }

 private:
  std::function<void(wxDialog&)> action_;
  std::set<wxWindow*> before_;
};

class ConditionWatch : public wxTimer {
 public:
  ConditionWatch(std::function<bool()> condition, std::function<void()> action)
      : condition_(std::move(condition)), action_(std::move(action)) {
    Start(10);
  }

  void Notify() override {
    if (!condition_())
      return;
    Stop();
    action_();
    delete this;
  }

 private:
  std::function<bool()> condition_;
  std::function<void()> action_;
};

}  // namespace

void PumpEvents(int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 10) {
    wxTheApp->Yield(true);
    wxMilliSleep(10);
  }
  wxTheApp->Yield(true);
}

bool Settled() {
  const wxEventLoopBase* loop = wxEventLoopBase::GetActive();
  return loop == nullptr || !loop->IsYielding();
}

void WhenModalShows(std::function<void(wxDialog&)> action) {
  new ModalWatch(std::move(action));
}

void WhenTrue(std::function<bool()> condition, std::function<void()> action) {
  new ConditionWatch(std::move(condition), std::move(action));
}

void PressButton(wxWindow* window, int id) {
  wxWindow* control = wxWindow::FindWindowById(id, window);
  wxCommandEvent click(wxEVT_BUTTON, id);
  click.SetEventObject(control);
  (control != nullptr ? control : window)->GetEventHandler()->ProcessEvent(click);
}

void Click(wxWindow* control) {
  if (auto* box = dynamic_cast<wxCheckBox*>(control)) {
    box->SetValue(!box->GetValue());
    wxCommandEvent click(wxEVT_CHECKBOX, box->GetId());
    click.SetInt(box->GetValue() ? 1 : 0);
    click.SetEventObject(box);
    box->GetEventHandler()->ProcessEvent(click);
  } else if (auto* choice = dynamic_cast<wxRadioButton*>(control)) {
    choice->SetValue(true);
    wxCommandEvent click(wxEVT_RADIOBUTTON, choice->GetId());
    click.SetInt(1);
    click.SetEventObject(choice);
    choice->GetEventHandler()->ProcessEvent(click);
  } else {
    wxCommandEvent click(wxEVT_BUTTON, control->GetId());
    click.SetEventObject(control);
    control->GetEventHandler()->ProcessEvent(click);
  }
}

void TypeInto(wxWindow* field, const std::string& text, const std::function<void()>& afterKey) {
  auto* entry = dynamic_cast<wxTextCtrl*>(field);
  if (entry == nullptr)
    return;
  entry->SetInsertionPointEnd();
  for (const char c : text) {
    wxKeyEvent key(wxEVT_CHAR);
    key.m_keyCode = static_cast<unsigned char>(c);
    key.m_uniChar = static_cast<unsigned char>(c);
    entry->EmulateKeyPress(key);
    if (afterKey)
      afterKey();
  }
}

namespace {

void SendCommand(wxWindow* control, wxEventType type, int value) {
  wxCommandEvent event(type, control->GetId());
  event.SetEventObject(control);
  event.SetInt(value);
  control->GetEventHandler()->ProcessEvent(event);
}

}  // namespace

void Choose(wxChoice* box, int index) {
  box->SetSelection(index);
  SendCommand(box, wxEVT_CHOICE, index);
}

void DoubleClick(wxListBox* list) {
  wxArrayInt selected;
  list->GetSelections(selected);
  SendCommand(list, wxEVT_LISTBOX_DCLICK, selected.empty() ? wxNOT_FOUND : selected[0]);
}

std::vector<std::string> EntriesOf(const wxItemContainerImmutable* list) {
  std::vector<std::string> entries;
  const wxArrayString strings = list->GetStrings();
  for (const wxString& entry : strings)
    entries.push_back(FromWx(entry));
  return entries;
}

void PressEscape(wxWindow* window) {
  wxKeyEvent escape(wxEVT_CHAR_HOOK);
  escape.m_keyCode = WXK_ESCAPE;
  escape.SetEventObject(window);
  window->GetEventHandler()->ProcessEvent(escape);
}

void ChooseRows(wxDataViewCtrl* list, const std::vector<unsigned>& rows) {
  auto* model = static_cast<wxDataViewVirtualListModel*>(list->GetModel());
  wxDataViewItemArray items;
  for (const unsigned row : rows)
    items.push_back(model->GetItem(row));
  list->SetSelections(items);
  wxDataViewEvent changed(wxEVT_DATAVIEW_SELECTION_CHANGED, list,
                          items.empty() ? wxDataViewItem() : items.front());
  list->GetEventHandler()->ProcessEvent(changed);
}

std::string TextOf(wxWindow* window, const wxString& name) {
  auto* text = dynamic_cast<wxStaticText*>(wxWindow::FindWindowByName(name, window));
  return text != nullptr ? FromWx(text->GetLabel()) : std::string();
}

std::string FileDialogSelection(wxDialog& dialog) {
  gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog.GetHandle()));
  std::string path = name != nullptr ? name : "";
  g_free(name);
  return path;
}

bool SelectInFileDialog(wxDialog& dialog, const std::string& path) {
  gtk_file_chooser_select_filename(GTK_FILE_CHOOSER(dialog.GetHandle()), path.c_str());
  return FileDialogShows(dialog, path);
}

bool FileDialogShows(wxDialog& dialog, const std::string& path) {
  // The dialog reads the folder that holds the path before it selects it.
  for (int waited = 0; waited < 5000; waited += 50) {
    if (FileDialogSelection(dialog) == path)
      return true;
    PumpEvents(50);
  }
  return false;
}

bool FileDialogOkEnabled(wxDialog& dialog) {
  GtkWidget* ok =
      gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog.GetHandle()), GTK_RESPONSE_ACCEPT);
  return ok != nullptr && gtk_widget_get_sensitive(ok);
}

void AnswerFileDialog(wxDialog& dialog, bool ok) {
  gtk_dialog_response(GTK_DIALOG(dialog.GetHandle()),
                      ok ? GTK_RESPONSE_ACCEPT : GTK_RESPONSE_CANCEL);
}

namespace {

GtkWidget* FindFileChooserWidget(GtkWidget* widget) {
  if (GTK_IS_FILE_CHOOSER_WIDGET(widget))
    return widget;
  if (!GTK_IS_CONTAINER(widget))
    return nullptr;
  GtkWidget* found = nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
  for (GList* child = children; child != nullptr && found == nullptr; child = child->next)
    found = FindFileChooserWidget(static_cast<GtkWidget*>(child->data));
  g_list_free(children);
  return found;
}

}  // namespace

void ShowRecentInFileDialog(wxDialog& dialog) {
  if (GtkWidget* chooser = FindFileChooserWidget(static_cast<GtkWidget*>(dialog.GetHandle())))
    g_signal_emit_by_name(chooser, "recent-shortcut");
  PumpEvents(300);
}

bool SavePicture(wxWindow* topLevel, const std::string& path) {
  auto* widget = static_cast<GtkWidget*>(topLevel->GetHandle());
  GdkWindow* window = widget != nullptr ? gtk_widget_get_window(widget) : nullptr;
  if (window == nullptr)
    return false;
  GdkPixbuf* picture = gdk_pixbuf_get_from_window(window, 0, 0, gdk_window_get_width(window),
                                                  gdk_window_get_height(window));
  if (picture == nullptr)
    return false;
  const gboolean saved = gdk_pixbuf_save(picture, path.c_str(), "png", nullptr, nullptr);
  g_object_unref(picture);
  return saved;
}

void ActDuringCopying::ShowStatus(const std::string& text) {
  copying_ = text == "Archiving files...";
  window_.ShowStatus(text);
}

void ActDuringCopying::ShowProgress(int percent) {
  percent_ = percent;
  window_.ShowProgress(percent);
}

void ActDuringCopying::ProcessPendingEvents() {
  window_.ProcessPendingEvents();
  if (copying_ && percent_ >= atPercent_ && act_) {
    const std::function<void()> act = std::move(act_);
    act_ = nullptr;
    act();
  }
}

}  // namespace pagehold::driver
