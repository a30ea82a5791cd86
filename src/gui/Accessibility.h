// What a screen reader says for a control that shows no text of its own (a picture button): its
// accessible name, given to the toolkit's accessibility layer.
#pragma once

#include <wx/window.h>

namespace pagehold {

void SetAccessibleName(wxWindow* window, const wxString& name);

}  // namespace pagehold
