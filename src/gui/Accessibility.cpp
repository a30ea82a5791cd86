#include "gui/Accessibility.h"

#include <wx/combobox.h>
#include <wx/html/htmlwin.h>
#include <wx/listbox.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>
#include <wx/treectrl.h>

#include <set>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace pagehold {

namespace {

// The name of a control by its kind; empty for a kind without one.
wxString KindName(wxWindow* window) {
  if (dynamic_cast<wxHtmlWindow*>(window) != nullptr)
    return "Page";
  if (dynamic_cast<wxTreeCtrl*>(window) != nullptr)
    return "Contents";
  if (dynamic_cast<wxNotebook*>(window) != nullptr)
    return "Pages";
  if (dynamic_cast<wxComboBox*>(window) != nullptr)
    return "Choice";
  if (dynamic_cast<wxListBox*>(window) != nullptr)
    return "List";
  if (dynamic_cast<wxTextCtrl*>(window) != nullptr)
    return "Text";
  return wxString();
}

#ifdef __WXGTK__
bool HasName(GtkWidget* widget) {
  const char* name = atk_object_get_name(gtk_widget_get_accessible(widget));
  return name != nullptr && name[0] != '\0';
}

void SetWidgetName(GtkWidget* widget, const wxString& name) {
  atk_object_set_name(gtk_widget_get_accessible(widget), name.utf8_str());
}

// Names the widget and the widgets inside it that belong to no window of their own.
void NameWidgets(GtkWidget* widget, const wxString& name, const std::set<GtkWidget*>& windows) {
  if (gtk_widget_get_can_focus(widget) && !HasName(widget)) {
    gchar* tip = gtk_widget_get_tooltip_text(widget);
    SetWidgetName(widget, tip != nullptr && tip[0] != '\0' ? wxString::FromUTF8(tip) : name);
    g_free(tip);
  }
  if (!GTK_IS_CONTAINER(widget))
    return;
  GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
  for (GList* child = children; child != nullptr; child = child->next) {
    auto* inner = static_cast<GtkWidget*>(child->data);
    if (windows.count(inner) == 0)
      NameWidgets(inner, name, windows);
  }
  g_list_free(children);
}

void CollectHandles(wxWindow* window, std::set<GtkWidget*>& handles) {
  handles.insert(static_cast<GtkWidget*>(window->GetHandle()));
  for (wxWindow* child : window->GetChildren())
    CollectHandles(child, handles);
}

void NameTree(wxWindow* window, const wxString& fallback, const std::set<GtkWidget*>& windows) {
  const wxString kind = KindName(window);
  auto* widget = static_cast<GtkWidget*>(window->GetHandle());
  if (widget != nullptr)
    NameWidgets(widget, kind.empty() ? fallback : kind, windows);
  for (wxWindow* child : window->GetChildren())
    NameTree(child, fallback, windows);
}
#endif

}  // namespace

void SetAccessibleName(wxWindow* window, const wxString& name) {
  // The toolkit's own name is what other accessibility layers read.
  window->SetName(name);
  SetSpokenName(window, name);
}

void SetSpokenName(wxWindow* window, const wxString& name) {
#ifdef __WXGTK__
  GtkWidget* widget = static_cast<GtkWidget*>(window->GetHandle());
  if (widget == nullptr)
    return;
  SetWidgetName(widget, name);
  // A window may be made of more than one widget (a frame around a drawing area): the inner
  // ones that can take the focus carry the same name.
  std::set<GtkWidget*> children;
  for (wxWindow* child : window->GetChildren())
    CollectHandles(child, children);
  NameWidgets(widget, name, children);
#else
  (void)window;
  (void)name;
#endif
}

void LabelControl(wxControl* label, wxWindow* control) {
  SetSpokenName(control, label->GetLabelText());
#ifdef __WXGTK__
  auto* text = static_cast<GtkWidget*>(label->GetHandle());
  auto* target = static_cast<GtkWidget*>(control->GetHandle());
  if (text != nullptr && target != nullptr && GTK_IS_LABEL(text))
    gtk_label_set_mnemonic_widget(GTK_LABEL(text), target);
#endif
}

void NameUnnamedControls(wxWindow* topLevel) {
#ifdef __WXGTK__
  std::set<GtkWidget*> windows;
  CollectHandles(topLevel, windows);
  const auto* top = dynamic_cast<wxTopLevelWindow*>(topLevel);
  const wxString fallback = top != nullptr ? top->GetTitle() : topLevel->GetName();
  for (wxWindow* child : topLevel->GetChildren())
    NameTree(child, fallback, windows);
#else
  (void)topLevel;
#endif
}

}  // namespace pagehold
