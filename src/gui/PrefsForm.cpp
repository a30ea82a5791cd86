#include "gui/PrefsForm.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/filedlg.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "gui/Accessibility.h"
#include "gui/HelpBook.h"
#include "gui/WxText.h"
#include "gui/shell/HelpContexts.h"
#include "gui/widgets/FileDialogFilter.h"
#include "platform/Interaction.h"
#include "platform/Paths.h"
#include "sources/NavigatorLocation.h"

namespace pagehold {

namespace {

constexpr int kFieldWidth = 300;
constexpr int kGap = 6;
constexpr const char* kBrowseHint = "Browse directory";

wxButton* BrowseButtonOn(wxWindow* parent, const char* name) {
  auto* button = new wxButton(parent, wxID_ANY, "Browse");
  button->SetName(name);
  button->SetToolTip(kBrowseHint);
  return button;
}

wxTextCtrl* FieldOn(wxWindow* parent, const char* name, const wxString& spokenName) {
  auto* field = new wxTextCtrl(parent, wxID_ANY, wxEmptyString, wxDefaultPosition,
                               parent->FromDIP(wxSize(kFieldWidth, -1)));
  field->SetName(name);
  SetSpokenName(field, spokenName);
  return field;
}

wxSizer* FieldRow(wxTextCtrl* field, wxButton* button) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(field, 1, wxALIGN_CENTER_VERTICAL);
  row->Add(button, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, kGap);
  return row;
}

template <typename Control>
Control* Named(Control* control, const char* name) {
  control->SetName(name);
  return control;
}

}  // namespace

TPrefsForm::TPrefsForm(wxWindow* parent, AppContext& context, Interaction& ui, HelpBook& help)
    : wxDialog(parent, wxID_ANY, "Pagehold Properties", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE),
      ui_(ui),
      editing_(context, [&context] { return FindNavigatorCacheIndex(*context.registry); }),
      BrowseDirectoryDlg1(this) {
  SetName("TPrefsForm");
  SetUpForFolderField(BrowseDirectoryDlg1);
  ExportPageControl = Named(new wxNotebook(this, wxID_ANY), "ExportPageControl");
  ExportPageControl->AddPage(CreateGeneralPage(ExportPageControl), "General");
  if (context.product == Product::Navigator)
    ExportPageControl->AddPage(CreateBrowserPage(ExportPageControl), "Browser");
  else if (editing_.EditsUrlCacheFolder())
    ExportPageControl->AddPage(CreateCacheFolderPage(ExportPageControl), "Browser");

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(ExportPageControl, 1, wxEXPAND | wxALL, 8);
  column->Add(CreateButtons(), 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 8);
  SetSizerAndFit(column);
  CentreOnScreen();

  HelpBook::SetHelpContext(this, help_contexts::kProperties);
  help.BindF1(this, ui);
  NameUnnamedControls(this);
  FillInText();
}

wxWindow* TPrefsForm::CreateGeneralPage(wxWindow* pages) {
  auto* page = Named(new wxPanel(pages), "ExportTab");
  DetailedIndexCB =
      Named(new wxCheckBox(page, wxID_ANY, "Create de&tailed index pages for HTML and text files"),
            "DetailedIndexCB");
  CheckBox1 =
      Named(new wxCheckBox(page, wxID_ANY, "Use &original URLs for unvisited links"), "CheckBox1");
  CheckBox3 = Named(new wxCheckBox(page, wxID_ANY, "&Strikeout unvisited links"), "CheckBox3");
  CheckBox2 = Named(new wxCheckBox(page, wxID_ANY, "&Emphasize available links"), "CheckBox2");
  for (wxCheckBox* box : {DetailedIndexCB, CheckBox1, CheckBox3, CheckBox2})
    box->Bind(wxEVT_CHECKBOX, &TPrefsForm::CheckBoxClick, this);

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(CreateFolderGroup(page), 0, wxEXPAND | wxALL, 8);
  for (wxCheckBox* box : {DetailedIndexCB, CheckBox1, CheckBox3, CheckBox2})
    column->Add(box, 0, wxLEFT | wxRIGHT | wxTOP, 8);
  column->Add(CreateEmphasizePanel(page), 0, wxEXPAND | wxLEFT, 32);
  column->AddSpacer(8);
  page->SetSizerAndFit(column);
  return page;
}

wxSizer* TPrefsForm::CreateFolderGroup(wxWindow* page) {
  auto* group = new wxStaticBoxSizer(wxVERTICAL, page, "Archive folder locations");
  wxStaticBox* box = group->GetStaticBox();
  box->SetName("DirectoryLocationGroupBox");
  UseDefaultRB = Named(new wxRadioButton(box, wxID_ANY, "Use &default archive folder",
                                         wxDefaultPosition, wxDefaultSize, wxRB_GROUP),
                       "UseDefaultRB");
  DefaultDirectoryEB = FieldOn(box, "DefaultDirectoryEB", "Default archive folder");
  BrowseSpeedButton = BrowseButtonOn(box, "BrowseSpeedButton");
  ChooseDirectoryRB =
      Named(new wxRadioButton(box, wxID_ANY, "Use se&condary folder"), "ChooseDirectoryRB");
  ExportDirNameEB = FieldOn(box, "ExportDirNameEB", "Secondary folder");
  BrowseButton = BrowseButtonOn(box, "BrowseButton");

  for (wxRadioButton* choice : {UseDefaultRB, ChooseDirectoryRB})
    choice->Bind(wxEVT_RADIOBUTTON, &TPrefsForm::FolderRBClick, this);
  for (wxTextCtrl* field : {DefaultDirectoryEB, ExportDirNameEB})
    field->Bind(wxEVT_TEXT, &TPrefsForm::TextChange, this);
  BrowseSpeedButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { BrowseFolder(false); });
  BrowseButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { BrowseFolder(true); });

  group->Add(UseDefaultRB, 0, wxALL, 4);
  group->Add(FieldRow(DefaultDirectoryEB, BrowseSpeedButton), 0, wxEXPAND | wxLEFT | wxRIGHT, 24);
  group->Add(ChooseDirectoryRB, 0, wxALL, 4);
  group->Add(FieldRow(ExportDirNameEB, BrowseButton), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM,
             24);
  return group;
}

wxTextCtrl* TPrefsForm::AddTagField(wxWindow* parent, wxSizer* grid, const char* label,
                                    const char* name) {
  auto* caption = new wxStaticText(parent, wxID_ANY, label);
  auto* field = new wxTextCtrl(parent, wxID_ANY, wxEmptyString, wxDefaultPosition,
                               parent->FromDIP(wxSize(180, -1)));
  field->SetName(name);
  LabelControl(caption, field);
  field->Bind(wxEVT_TEXT, &TPrefsForm::TextChange, this);
  grid->Add(caption, 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(field, 1, wxEXPAND);
  return field;
}

wxWindow* TPrefsForm::CreateEmphasizePanel(wxWindow* page) {
  auto* panel = Named(new wxPanel(page), "EmphasizePanel");
  BoldRB = Named(new wxRadioButton(panel, wxID_ANY, "&Bold face", wxDefaultPosition, wxDefaultSize,
                                   wxRB_GROUP),
                 "BoldRB");
  ItalicizedRB = Named(new wxRadioButton(panel, wxID_ANY, "&Italicized"), "ItalicizedRB");
  LargerTextRB = Named(new wxRadioButton(panel, wxID_ANY, "&Larger text"), "LargerTextRB");
  CustomRB = Named(new wxRadioButton(panel, wxID_ANY, "&Custom"), "CustomRB");
  auto* styles = new wxBoxSizer(wxVERTICAL);
  for (wxRadioButton* style : {BoldRB, ItalicizedRB, LargerTextRB, CustomRB}) {
    style->Bind(wxEVT_RADIOBUTTON, &TPrefsForm::StyleRBClick, this);
    styles->Add(style, 0, wxBOTTOM, 4);
  }

  auto* tags = new wxFlexGridSizer(2, kGap, kGap);
  tags->AddGrowableCol(1);
  EmphasizedEB = AddTagField(panel, tags, "Emphasi&zing tag", "EmphasizedEB");
  DeEmphasizedEB = AddTagField(panel, tags, "De-emphasizin&g tag", "DeEmphasizedEB");

  // The preview: the tags around a link's text, in the system's window colour.
  auto* preview = new wxPanel(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN);
  preview->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
  Panel2 = Named(new wxStaticText(preview, wxID_ANY, wxEmptyString), "Panel2");
  // It shows text only, and is never in the way of the keyboard.
  preview->SetCanFocus(false);
  auto* previewSizer = new wxBoxSizer(wxVERTICAL);
  previewSizer->Add(Panel2, 0, wxALL, 6);
  preview->SetSizerAndFit(previewSizer);

  auto* right = new wxBoxSizer(wxVERTICAL);
  right->Add(tags, 0, wxEXPAND);
  right->Add(preview, 1, wxEXPAND | wxTOP, kGap);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(styles, 0, wxTOP, 4);
  row->Add(right, 1, wxEXPAND | wxLEFT | wxRIGHT, 12);
  panel->SetSizerAndFit(row);
  return panel;
}

wxWindow* TPrefsForm::CreateCachePage(wxWindow* pages, const CachePageTexts& texts,
                                      wxTextCtrl*& field,
                                      void (TPrefsForm::*browseClick)(wxCommandEvent&)) {
  auto* page = Named(new wxPanel(pages), "BrowserTab");
  auto* group = new wxStaticBoxSizer(wxVERTICAL, page, texts.caption);
  wxStaticBox* box = group->GetStaticBox();
  box->SetName(texts.boxName);
  field = FieldOn(box, texts.fieldName, texts.caption);
  field->Bind(wxEVT_TEXT, &TPrefsForm::TextChange, this);
  wxButton* browse = BrowseButtonOn(box, texts.buttonName);
  browse->Bind(wxEVT_BUTTON, browseClick, this);

  auto* explanation = new wxStaticText(box, wxID_ANY, texts.explanation);
  explanation->Wrap(FromDIP(kFieldWidth + 60));
  auto* names = new wxFlexGridSizer(2, kGap, 24);
  for (const char* text : texts.names)
    names->Add(new wxStaticText(box, wxID_ANY, text));

  group->Add(FieldRow(field, browse), 0, wxEXPAND | wxALL, 4);
  group->Add(explanation, 0, wxALL, 4);
  group->Add(names, 0, wxALL, 4);
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(group, 0, wxEXPAND | wxALL, 8);
  page->SetSizerAndFit(column);
  return page;
}

wxWindow* TPrefsForm::CreateBrowserPage(wxWindow* pages) {
  const CachePageTexts texts{"Netscape cache index path",
                             "FATBox",
                             "FATEdit",
                             "BrowseFATBtn",
                             "Location of the Netscape cache index file. Normally located in the "
                             "Netscape cache folder and called:",
                             {"FAT", "in Netscape 1.x", "FAT.DB", "In Netscape 2, 3 && 4"}};
  return CreateCachePage(pages, texts, FATEdit, &TPrefsForm::BrowseFATBtnClick);
}

wxWindow* TPrefsForm::CreateCacheFolderPage(wxWindow* pages) {
  const CachePageTexts texts{"Internet Explorer cache folder",
                             "CacheBox",
                             "CacheEdit",
                             "BrowseCacheBtn",
                             "Location of the Internet Explorer cache folder, which holds the "
                             "cache index file index.dat. Normally called:",
                             {"Temporary Internet Files", "or its Content.IE5 folder"}};
  return CreateCachePage(pages, texts, CacheEdit, &TPrefsForm::BrowseCacheBtnClick);
}

wxSizer* TPrefsForm::CreateButtons() {
  auto* ok = new wxButton(this, wxID_OK, "OK");
  ok->SetName("OKBtn");
  ok->SetDefault();
  ok->Bind(wxEVT_BUTTON, &TPrefsForm::OKBtnClick, this);
  auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel");
  cancel->SetName("CancelBtn");
  ApplyBtn = new wxButton(this, wxID_APPLY, "Apply");
  ApplyBtn->SetName("ApplyBtn");
  ApplyBtn->Bind(wxEVT_BUTTON, &TPrefsForm::ApplyBtnClick, this);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  for (wxButton* button : {ok, cancel, ApplyBtn})
    row->Add(button, 0, wxLEFT, kGap);
  return row;
}

int TPrefsForm::ShowModal() {
  if (editing_.IndexPathNamesNoFile() && ExportPageControl->GetPageCount() > 1)
    ExportPageControl->SetSelection(1);
  const int result = wxDialog::ShowModal();
  // However the window closed, what was not stored is dropped.
  FillInText();
  return result;
}

void TPrefsForm::FillInText() {
  Hide();
  editing_.Load();
  ShowValues();
  ShowEnabling();
}

bool TPrefsForm::WriteSettingsToIni() {
  const bool stored = editing_.Store();
  ShowEnabling();
  if (!stored) {
    Message message;
    message.text =
        "The settings could not be stored. Check that the settings file can be "
        "written, then try again.";
    message.caption = "Pagehold Properties";
    message.icon = MessageIcon::Error;
    message.buttons = MessageButtons::Ok;
    ui_.Ask(message);
  }
  return stored;
}

void TPrefsForm::ShowValues() {
  const PropertiesValues& values = editing_.Values();
  if (FATEdit != nullptr)
    FATEdit->ChangeValue(ToWx(values.NavigatorIndexPath));
  if (CacheEdit != nullptr)
    CacheEdit->ChangeValue(ToWx(values.UrlCacheFolder));
  DefaultDirectoryEB->ChangeValue(ToWx(values.DefaultFolder));
  ExportDirNameEB->ChangeValue(ToWx(values.SecondaryFolder));
  (values.UseSecondaryFolder ? ChooseDirectoryRB : UseDefaultRB)->SetValue(true);
  CheckBox1->SetValue(values.ShowOriginalUrls);
  CheckBox2->SetValue(values.EmphasizeLinks);
  CheckBox3->SetValue(values.StrikeoutLinks);
  DetailedIndexCB->SetValue(values.DetailedIndex);
  EmphasizedEB->ChangeValue(ToWx(values.CustomOpenTag));
  DeEmphasizedEB->ChangeValue(ToWx(values.CustomCloseTag));
  wxRadioButton* styles[] = {BoldRB, ItalicizedRB, LargerTextRB, CustomRB};
  styles[static_cast<int>(values.Emphasis)]->SetValue(true);
}

void TPrefsForm::ShowEnabling() {
  const PropertiesEnabling& enabling = editing_.Enabling();
  DefaultDirectoryEB->Enable(enabling.defaultFolder);
  BrowseSpeedButton->Enable(enabling.defaultFolder);
  ExportDirNameEB->Enable(enabling.secondaryFolder);
  BrowseButton->Enable(enabling.secondaryFolder);
  for (wxRadioButton* style : {BoldRB, ItalicizedRB, LargerTextRB, CustomRB})
    style->Enable(enabling.styles);
  EmphasizedEB->Enable(enabling.customTags);
  DeEmphasizedEB->Enable(enabling.customTags);
  Panel2->SetForegroundColour(wxSystemSettings::GetColour(
      enabling.customTags ? wxSYS_COLOUR_WINDOWTEXT : wxSYS_COLOUR_GRAYTEXT));
  Panel2->SetLabelText(ToWx(editing_.Preview()));
  Panel2->Refresh();
  ApplyBtn->Enable(enabling.apply);
}

void TPrefsForm::FolderRBClick(wxCommandEvent& event) {
  editing_.ChooseFolder(event.GetEventObject() == ChooseDirectoryRB);
  ShowEnabling();
}

void TPrefsForm::StyleRBClick(wxCommandEvent& event) {
  const wxObject* chosen = event.GetEventObject();
  const EmphasisStyle style = chosen == ItalicizedRB   ? EmphasisStyle::Italicized
                              : chosen == LargerTextRB ? EmphasisStyle::LargerText
                              : chosen == CustomRB     ? EmphasisStyle::Custom
                                                       : EmphasisStyle::BoldFace;
  editing_.ChooseStyle(style);
  ShowEnabling();
}

void TPrefsForm::CheckBoxClick(wxCommandEvent& event) {
  const wxObject* box = event.GetEventObject();
  const bool ticked = event.IsChecked();
  if (box == CheckBox1)
    editing_.SetShowOriginalUrls(ticked);
  else if (box == CheckBox2)
    editing_.SetEmphasizeLinks(ticked);
  else if (box == CheckBox3)
    editing_.SetStrikeoutLinks(ticked);
  else
    editing_.SetDetailedIndex(ticked);
  ShowEnabling();
}

void TPrefsForm::TextChange(wxCommandEvent& event) {
  const wxObject* field = event.GetEventObject();
  if (field == EmphasizedEB || field == DeEmphasizedEB)
    editing_.SetCustomTags(FromWx(EmphasizedEB->GetValue()), FromWx(DeEmphasizedEB->GetValue()));
  else if (field == FATEdit)
    editing_.SetIndexPath(FromWx(FATEdit->GetValue()));
  else if (field == CacheEdit)
    editing_.SetUrlCacheFolder(FromWx(CacheEdit->GetValue()));
  else
    editing_.SetFolderText(field == ExportDirNameEB, FromWx(event.GetString()));
  ShowEnabling();
}

void TPrefsForm::BrowseFolder(bool secondary) {
  wxTextCtrl* field = secondary ? ExportDirNameEB : DefaultDirectoryEB;
  BrowseDirectoryDlg1.SetSelection(FromWx(field->GetValue()));
  if (!BrowseDirectoryDlg1.RunBrowser())
    return;
  field->ChangeValue(ToWx(BrowseDirectoryDlg1.Selection()));
  editing_.FolderBrowsed(secondary, BrowseDirectoryDlg1.Selection());
  ShowEnabling();
}

void TPrefsForm::BrowseFATBtnClick(wxCommandEvent&) {
  const std::string current = FromWx(FATEdit->GetValue());
  wxFileDialog OpenDialog1(
      this, "Open", ToWx(FolderPart(current)), ToWx(FileNamePart(current)),
      ToWx(FileDialogFilter("Netscape FAT file (FAT, FAT.DB)", "FAT;FAT.DB", kNativePathStyle)),
      wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (OpenDialog1.ShowModal() == wxID_OK)
    FATEdit->SetValue(OpenDialog1.GetPath());
}

void TPrefsForm::BrowseCacheBtnClick(wxCommandEvent&) {
  BrowseDirectoryDlg1.SetSelection(FromWx(CacheEdit->GetValue()));
  if (BrowseDirectoryDlg1.RunBrowser())
    CacheEdit->SetValue(ToWx(BrowseDirectoryDlg1.Selection()));
}

void TPrefsForm::OKBtnClick(wxCommandEvent&) {
  if (WriteSettingsToIni())
    EndModal(wxID_OK);
}

void TPrefsForm::ApplyBtnClick(wxCommandEvent&) {
  (void)WriteSettingsToIni();
}

}  // namespace pagehold
