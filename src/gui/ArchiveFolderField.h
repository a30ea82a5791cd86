// The archive folder field that the search and delete-from-archive windows share: the label and
// edit field, "Browse" (the folder chooser), and the buttons that fill the field with the default
// or the secondary archive folder of the settings.
#pragma once

#include <string>
#include <string_view>

class wxButton;
class wxStaticText;
class wxTextCtrl;
class wxWindow;

namespace pagehold {

struct AppContext;

struct FolderFieldCaptions {
  std::string_view label;            // "&Look in"
  std::string_view secondaryButton;  // "Use Se&condary location"
};

// The controls, created on one parent and laid out by the window.
struct ArchiveFolderField {
  wxStaticText* Label3;
  wxTextCtrl* DirEdit;
  wxButton* BrowseButton;
  wxButton* DefaultBtn;
  wxButton* OtherBtn;

  // The field's text as typed.
  std::string Text() const;
};

// Creates the controls with the field holding startText, and binds the three buttons: Browse
// runs the folder chooser preset to the field's folder and puts the chosen folder in the field.
// The context must outlive the controls.
ArchiveFolderField CreateArchiveFolderField(wxWindow* parent, const FolderFieldCaptions& captions,
                                            const AppContext& context,
                                            const std::string& startText);

}  // namespace pagehold
