// What a screen reader says for a control that shows no text of its own (a picture button, a
// page view): its accessible name, given to the toolkit's accessibility layer.
#pragma once

#include <wx/control.h>
#include <wx/window.h>

namespace pagehold {

void SetAccessibleName(wxWindow* window, const wxString& name);

// The same, leaving the toolkit's own name of the window as it is.
void SetSpokenName(wxWindow* window, const wxString& name);

// Makes the label the control's spoken name, and its accelerator ("Emphasi&zing tag") move the
// focus to the control.
void LabelControl(wxControl* label, wxWindow* control);

// Names every control inside the top-level window that can take the focus and has no name yet:
// after its tooltip where it has one, after its kind (a page view, a tree, a list, an entry
// field), and otherwise after the window itself. For windows the toolkit builds, such as the
// help viewer.
void NameUnnamedControls(wxWindow* topLevel);

}  // namespace pagehold
