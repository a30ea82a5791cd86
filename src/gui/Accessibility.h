// What a screen reader says for a control that shows no text of its own (a picture button, a
// page view): its accessible name, given to the toolkit's accessibility layer.
#pragma once

#include <wx/stattext.h>
#include <wx/window.h>

namespace pagehold {

void SetAccessibleName(wxWindow* window, const wxString& name);

// Makes the label the control's: the control is named after the label's text (without its "&"),
// and the label's mnemonic key moves the focus to the control.
void LabelControl(wxStaticText* label, wxWindow* control);

// Names every control inside the top-level window that can take the focus and has no name yet:
// after its tooltip where it has one, after its kind (a page view, a tree, a list, an entry
// field), and otherwise after the window itself. For windows the toolkit builds, such as the
// help viewer.
void NameUnnamedControls(wxWindow* topLevel);

}  // namespace pagehold
