#include "gui/ArchiveFolderField.h"

#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "gui/Accessibility.h"
#include "gui/BrowseDirectoryDlg.h"
#include "gui/WxText.h"
#include "prefs/AppContext.h"
#include "search/StoredFolders.h"

namespace pagehold {

std::string ArchiveFolderField::Text() const {
  return FromWx(DirEdit->GetValue());
}

ArchiveFolderField CreateArchiveFolderField(wxWindow* parent, const FolderFieldCaptions& captions,
                                            const AppContext& context,
                                            const std::string& startText) {
  ArchiveFolderField field;
  field.Label3 = new wxStaticText(parent, wxID_ANY, ToWx(captions.label));
  field.DirEdit = new wxTextCtrl(parent, wxID_ANY, ToWx(startText));
  field.DirEdit->SetName("DirEdit");
  LabelControl(field.Label3, field.DirEdit);
  field.BrowseButton = new wxButton(parent, wxID_ANY, "&Browse");
  field.BrowseButton->SetName("BrowseButton");
  field.DefaultBtn = new wxButton(parent, wxID_ANY, "Use &Default location");
  field.DefaultBtn->SetName("DefaultBtn");
  field.OtherBtn = new wxButton(parent, wxID_ANY, ToWx(captions.secondaryButton));
  field.OtherBtn->SetName("OtherBtn");

  wxTextCtrl* edit = field.DirEdit;
  field.BrowseButton->Bind(wxEVT_BUTTON, [edit](wxCommandEvent&) {
    TBrowseDirectoryDlg BrowseDirectoryDlg1(wxGetTopLevelParent(edit));
    SetUpForFolderField(BrowseDirectoryDlg1);
    BrowseDirectoryDlg1.SetSelection(FromWx(edit->GetValue()));
    if (BrowseDirectoryDlg1.RunBrowser())
      edit->SetValue(ToWx(BrowseDirectoryDlg1.Selection()));
  });
  field.DefaultBtn->Bind(wxEVT_BUTTON, [edit, &context](wxCommandEvent&) {
    edit->SetValue(ToWx(DefaultLocationField(context.store, context.programFolder)));
  });
  field.OtherBtn->Bind(wxEVT_BUTTON, [edit, &context](wxCommandEvent&) {
    edit->SetValue(ToWx(SecondaryLocationField(context.store)));
  });
  return field;
}

}  // namespace pagehold
