// TPrefsForm, the Properties window: the "General" page (the two archive folders and which one
// archive runs use, the link options, the emphasis style with its preview, the detailed index)
// and the "Browser" page: in the Navigator program the cache index path, in the Internet
// Explorer program (where the cache is read from its index.dat) the cache folder; OK, Cancel
// and Apply below. Created hidden with the main window, which loads the settings; shown modally on
// demand; whenever it closes, the controls and the current settings are loaded from the store
// again. PropertiesEditing holds its rules; the window binds the controls to it.
#pragma once

#include <wx/dialog.h>

#include <vector>

#include "gui/BrowseDirectoryDlg.h"
#include "prefs/PropertiesEditing.h"

class wxButton;
class wxCheckBox;
class wxNotebook;
class wxPanel;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

namespace pagehold {

class HelpBook;
class Interaction;

class TPrefsForm : public wxDialog {
 public:
  TPrefsForm(wxWindow* parent, AppContext& context, Interaction& ui, HelpBook& help);

  // Shows the window modally, on the "Browser" page when the index path names no file.
  int ShowModal() override;

  // Stores the window's values; says so in a message and returns false when the store refused
  // any of them.
  bool WriteSettingsToIni();

 private:
  wxWindow* CreateGeneralPage(wxWindow* pages);
  wxSizer* CreateFolderGroup(wxWindow* page);
  wxWindow* CreateEmphasizePanel(wxWindow* page);
  // The "Browser" page of either program: the cache's field (named by the caption) with its
  // Browse button, a line that says where the cache lies, and its usual names, each beside
  // what it belongs to.
  struct CachePageTexts {
    const char* caption;
    const char* boxName;
    const char* fieldName;
    const char* buttonName;
    const char* explanation;
    std::vector<const char*> names;
  };
  wxWindow* CreateCachePage(wxWindow* pages, const CachePageTexts& texts, wxTextCtrl*& field,
                            void (TPrefsForm::*browseClick)(wxCommandEvent& event));
  wxWindow* CreateBrowserPage(wxWindow* pages);
  wxWindow* CreateCacheFolderPage(wxWindow* pages);
  wxSizer* CreateButtons();
  wxTextCtrl* AddTagField(wxWindow* parent, wxSizer* grid, const char* label, const char* name);

  void FillInText();
  void ShowValues();
  void ShowEnabling();

  void FolderRBClick(wxCommandEvent& event);
  void StyleRBClick(wxCommandEvent& event);
  void CheckBoxClick(wxCommandEvent& event);
  void TextChange(wxCommandEvent& event);
  void BrowseFolder(bool secondary);
  void BrowseFATBtnClick(wxCommandEvent& event);
  void BrowseCacheBtnClick(wxCommandEvent& event);
  void OKBtnClick(wxCommandEvent& event);
  void ApplyBtnClick(wxCommandEvent& event);

  Interaction& ui_;
  PropertiesEditing editing_;
  TBrowseDirectoryDlg BrowseDirectoryDlg1;

  wxNotebook* ExportPageControl = nullptr;
  wxRadioButton* UseDefaultRB = nullptr;
  wxTextCtrl* DefaultDirectoryEB = nullptr;
  wxButton* BrowseSpeedButton = nullptr;
  wxRadioButton* ChooseDirectoryRB = nullptr;
  wxTextCtrl* ExportDirNameEB = nullptr;
  wxButton* BrowseButton = nullptr;
  wxCheckBox* DetailedIndexCB = nullptr;
  wxCheckBox* CheckBox1 = nullptr;  // use original URLs
  wxCheckBox* CheckBox3 = nullptr;  // strike out
  wxCheckBox* CheckBox2 = nullptr;  // emphasize
  wxRadioButton* BoldRB = nullptr;
  wxRadioButton* ItalicizedRB = nullptr;
  wxRadioButton* LargerTextRB = nullptr;
  wxRadioButton* CustomRB = nullptr;
  wxTextCtrl* EmphasizedEB = nullptr;
  wxTextCtrl* DeEmphasizedEB = nullptr;
  wxStaticText* Panel2 = nullptr;   // the preview
  wxTextCtrl* FATEdit = nullptr;    // Navigator program only
  wxTextCtrl* CacheEdit = nullptr;  // Internet Explorer program, where the cache is a folder
  wxButton* ApplyBtn = nullptr;
};

}  // namespace pagehold
