#include "gui/Accessibility.h"

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace pagehold {

void SetAccessibleName(wxWindow* window, const wxString& name) {
  // The toolkit's own name is what other accessibility layers read.
  window->SetName(name);
#ifdef __WXGTK__
  GtkWidget* widget = static_cast<GtkWidget*>(window->GetHandle());
  if (widget != nullptr)
    atk_object_set_name(gtk_widget_get_accessible(widget), name.utf8_str());
#endif
}

}  // namespace pagehold
