// pagehold-screenshots: opens each window of the desktop programs with the bundled samples
// loaded and writes a PNG of each into a folder, under a real (or virtual) X display:
//
//   xvfb-run -a build/tools/screenshots/pagehold-screenshots --out DIR
//
// With --show NAME it opens only that window and keeps it open until the process is ended, so
// that accessibility checks can walk it from outside.
#include <wx/app.h>
#include <wx/dataview.h>
#include <wx/image.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "WindowDriver.h"
#include "gui/AboutBox.h"
#include "gui/ArchiveProgressWindow.h"
#include "gui/CacheExplorerWindow.h"
#include "gui/HelpBook.h"
#include "gui/MainWindow.h"
#include "gui/MessageDialog.h"
#include "gui/ReindexWindow.h"
#include "gui/SearchWindow.h"
#include "gui/WaitPanel.h"
#include "gui/shell/ShellTexts.h"
#include "platform/Paths.h"
#include "platform/ProgramFolders.h"
#include "platform/Shell.h"
#include "platform/UrlCacheFolder.h"
#include "prefs/SettingsKeys.h"
#include "sources/NavigatorSource.h"

namespace pagehold {
namespace {

namespace fs = std::filesystem;

// Hands nothing to the system: pictures are taken, nothing is opened.
class NoShell : public ShellLauncher {
 public:
  int Execute(const std::string&, std::string_view) override { return ShellResult::Done; }
};

struct Options {
  std::string out = "screenshots";
  std::string show;  // empty: take every picture and end
  std::string samples = PAGEHOLD_SAMPLES_DIR;
};

class ScreenshotApp : public wxApp {
 public:
  explicit ScreenshotApp(Options options) : options_(std::move(options)) {}

  bool OnInit() override {
    wxInitAllImageHandlers();
    work_ = fs::temp_directory_path() / ("pagehold-screenshots-" + std::to_string(getpid()));
    fs::create_directories(work_);
    WriteSampleSettings();
    fs::create_directories(options_.out);
    CallAfter([this] { options_.show.empty() ? TakeAll() : Show(options_.show); });
    return true;
  }

  int OnExit() override {
    std::error_code error;
    fs::remove_all(work_, error);
    return wxApp::OnExit();
  }

 private:
  // Settings pointing both programs at the bundled samples and the archive into a folder of
  // the tool's own.
  void WriteSampleSettings() {
    setenv("PAGEHOLD_REGISTRY", (work_ / "registry.reg").c_str(), 1);
    std::unique_ptr<Registry> registry = OpenRegistry();
    SettingsStore store(*registry);
    namespace keys = settings_keys;
    (void)store.WriteString(keys::kBrowserOptions, keys::kFatPath,
                            JoinPath(options_.samples, "nav/fat.db"));
    fs::create_directories(work_ / "archive");
    (void)store.WriteString(keys::kExport, keys::kDefaultDirectory,
                            WithTrailingSeparator((work_ / "archive").string()));
    (void)registry->WriteString(RegistryRoot::CurrentUser, kShellFoldersKey, "Cache",
                                JoinPath(options_.samples, "ie"));
  }

  MainWindow* OpenMain(Product product) {
    auto context = std::make_unique<AppContext>(product, RunningProgramFolders());
    if (!help_) {
      help_ = std::make_unique<HelpBook>(JoinPath(context->dataFolder, "help/pagehold.hhp"));
      ui_ = std::make_unique<DialogInteraction>(help_.get());
    }
    auto* window = new MainWindow({*context, *ui_, shell_, *help_});
    contexts_.push_back(std::move(context));
    window->Show();
    driver::PumpEvents(300);
    return window;
  }

  void Save(wxWindow* window, const std::string& name) {
    const std::string path = JoinPath(options_.out, name + ".png");
    if (!driver::SavePicture(window, path))
      std::cerr << "pagehold-screenshots: no picture of " << name << "\n";
    else
      std::cout << path << "\n";
  }

  // prepare (when given) acts on the window before its picture is taken.
  void SaveModal(const std::string& name, int closeWith,
                 std::function<void(wxDialog&)> prepare = nullptr) {
    driver::WhenModalShows([this, name, closeWith, prepare](wxDialog& dialog) {
      if (prepare) {
        prepare(dialog);
        driver::PumpEvents(200);
      }
      Save(&dialog, name);
      dialog.EndModal(closeWith);
    });
  }

  // The Properties window's page in front.
  static void ShowPage(wxDialog& dialog, int page) {
    if (auto* pages = dynamic_cast<wxNotebook*>(dialog.FindWindow("ExportPageControl")))
      pages->SetSelection(page);
  }

  // The archive run over the Navigator sample in the progress window; a picture is taken when
  // the copying is under way, and then of the completion question.
  void ArchiveSample(MainWindow* main, bool keepOpen) {
    AppContext& context = *contexts_.front();
    CacheList list;
    const ItemRefs chosen = ReadSample(list);
    ArchiveProgressWindow window(main, *ui_, [&](Interaction& ui) {
      driver::ActDuringCopying watch(ui, 30, [&] {
        if (keepOpen)
          return;
        driver::PumpEvents(300);
        Save(&window, "progress");
        SaveModal("completion-question", wxID_NO);
      });
      ArchiveRun run(context, watch, context.settings.CurrentArchiveFolder);
      ProgressJobEnd end;
      end.stayOpen = keepOpen;
      if (!keepOpen)
        end.accepted = run.Run(chosen).result == ArchiveRunResult::OpenIndex;
      else
        watch.ShowProgress(40);
      return end;
    });
    window.Run();
  }

  // The Navigator sample archived into the default archive folder without a question, for the
  // windows that show an archive's entries.
  void MakeSampleArchive() {
    AppContext& context = *contexts_.front();
    CacheList list;
    const ItemRefs chosen = ReadSample(list);
    ArchiveRunOptions options;
    options.askToOpenIndex = false;
    ArchiveRun(context, *ui_, context.settings.CurrentArchiveFolder, options).Run(chosen);
  }

  // Every item of the Navigator sample, read into list.
  ItemRefs ReadSample(CacheList& list) {
    AppContext& context = *contexts_.front();
    NavigatorSource source(context.settings.NavigatorIndexPath, context.mimeTable);
    list = source.ReadCache(*ui_).items;
    ItemRefs chosen;
    for (auto& item : list)
      chosen.push_back(item.get());
    return chosen;
  }

  MainWindowParts Parts() { return {*contexts_.front(), *ui_, shell_, *help_}; }

  // The search window after a search of the sample archive for pages of one site.
  void ShowSearch(MainWindow* main, bool keepOpen) {
    auto* window = new SearchWindow(main, Parts());
    window->Show();
    Type(window, "URLEdit", "garden");
    driver::PressButton(window, wxWindow::FindWindowByName("FindButton", window)->GetId());
    driver::PumpEvents(300);
    if (keepOpen)
      return;
    Save(window, "search");
    window->Destroy();
  }

  // The delete-from-archive window at its first page, then with the entries listed and two
  // chosen.
  void ShowReindex(MainWindow* main, bool keepOpen, bool entries) {
    auto* window = new ReindexWindow(main, Parts());
    window->Show();
    driver::PumpEvents(300);
    if (!keepOpen)
      Save(window, "delete-from-archive");
    if (entries || !keepOpen) {
      static_cast<wxNotebook*>(wxWindow::FindWindowByName("Pages", window))->SetSelection(1);
      driver::PressButton(window, wxWindow::FindWindowByName("ListBtn", window)->GetId());
      driver::ChooseRows(
          static_cast<wxDataViewCtrl*>(wxWindow::FindWindowByName("Archive entries", window)),
          {1, 3});
      driver::PumpEvents(300);
    }
    if (keepOpen)
      return;
    Save(window, "delete-entries");
    window->Destroy();
  }

  static void Type(wxWindow* window, const wxString& field, const wxString& text) {
    static_cast<wxTextCtrl*>(wxWindow::FindWindowByName(field, window))->SetValue(text);
  }

  // The Cache Explorer of the program, opened as its button opens it, once the sample is read.
  // With a picture of the wait panel once the reading is under way, when asked for.
  void ShowExplorer(MainWindow* main, const std::string& name, bool keepOpen,
                    const std::string& readingName = "") {
    const auto shown = [] { return driver::ShownModal<CacheExplorerWindow>(); };
    if (!readingName.empty()) {
      driver::WhenTrue(
          [shown] { return shown() != nullptr && shown()->FatPanel()->Progress() > 0; },
          [this, shown, readingName] { Save(shown(), readingName); });
    }
    driver::WhenTrue(
        [shown] {
          return shown() != nullptr && !shown()->ReadPending() && !shown()->Working() &&
                 driver::Settled();
        },
        [this, shown, name, keepOpen] {
          if (keepOpen)
            return;
          driver::PumpEvents(200);
          Save(shown(), name);
          shown()->EndModal(wxID_CANCEL);
        });
    wxCommandEvent open(wxEVT_MENU, main->CommandId(MainCommand::CacheExplorer));
    main->ProcessWindowEvent(open);
  }

  void ShowHelp(bool keepOpen) {
    if (!help_->ShowHelpTopic(1)) {
      std::cerr << "pagehold-screenshots: the help book did not open\n";
      return;
    }
    driver::PumpEvents(500);
    for (wxWindow* window : wxTopLevelWindows) {
      if (window->GetName() != "TControlForm" && window->IsShown() && !keepOpen)
        Save(window, "help");
    }
  }

  void TakeAll() {
    MainWindow* nav = OpenMain(Product::Navigator);
    Save(nav, "main-nav");
    MainWindow* ie = OpenMain(Product::InternetExplorer);
    Save(ie, "main-ie");
    ShowExplorer(ie, "explorer-ie", false);
    SaveModal("properties-ie", wxID_CANCEL);
    ie->ShowProperties();
    SaveModal("properties-browser-ie", wxID_CANCEL, [](wxDialog& dialog) { ShowPage(dialog, 1); });
    ie->ShowProperties();
    ie->Destroy();
    SaveModal("properties-general-nav", wxID_CANCEL);
    nav->ShowProperties();
    SaveModal("properties-browser-nav", wxID_CANCEL, [](wxDialog& dialog) { ShowPage(dialog, 1); });
    nav->ShowProperties();
    SaveModal("about", wxID_OK);
    nav->ShowAbout();
    SaveModal("message-no-secondary-index", wxID_OK);
    wxCommandEvent secondaryIndex(wxEVT_MENU, nav->CommandId(MainCommand::SecondaryIndex));
    nav->ProcessWindowEvent(secondaryIndex);
    ShowExplorer(nav, "explorer-nav", false, "explorer-reading");
    ArchiveSample(nav, false);
    ShowSearch(nav, false);
    ShowReindex(nav, false, true);
    ShowHelp(false);
    ExitMainLoop();
  }

  void Show(const std::string& name) {
    const bool ie = name.size() > 3 && name.substr(name.size() - 3) == "-ie";
    MainWindow* main = OpenMain(ie ? Product::InternetExplorer : Product::Navigator);
    if (name.rfind("properties-browser-", 0) == 0)
      driver::WhenModalShows([](wxDialog& dialog) { ShowPage(dialog, 1); });
    if (name.rfind("properties-", 0) == 0)
      main->ShowProperties();
    else if (name == "about")
      main->ShowAbout();
    else if (name == "progress")
      ArchiveSample(main, true);
    else if (name == "message")
      ShowShellMessage(*ui_, shell_texts::kNoSecondaryIndexMessage);
    else if (name == "explorer-nav" || name == "explorer-ie")
      ShowExplorer(main, name, true);
    else if (name == "help")
      ShowHelp(true);
    else if (name == "search" || name == "delete-from-archive" || name == "delete-entries") {
      MakeSampleArchive();
      if (name == "search")
        ShowSearch(main, true);
      else
        ShowReindex(main, true, name == "delete-entries");
    }
  }

  Options options_;
  fs::path work_;
  NoShell shell_;
  std::unique_ptr<HelpBook> help_;
  std::unique_ptr<DialogInteraction> ui_;
  std::vector<std::unique_ptr<AppContext>> contexts_;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    if (i + 1 >= argc)
      return false;
    if (flag == "--out")
      options.out = argv[++i];
    else if (flag == "--show")
      options.show = argv[++i];
    else if (flag == "--samples")
      options.samples = argv[++i];
    else
      return false;
  }
  return true;
}

}  // namespace
}  // namespace pagehold

int main(int argc, char** argv) {
  pagehold::Options options;
  if (!pagehold::ParseOptions(argc, argv, options)) {
    std::cerr << "usage: pagehold-screenshots [--out DIR] [--samples DIR] "
                 "[--show main-nav|main-ie|explorer-nav|explorer-ie|about|progress|message|help|\n"
                 "        properties-general-nav|properties-browser-nav|properties-ie|\n"
                 "        properties-browser-ie|search|delete-from-archive|delete-entries]\n";
    return 2;
  }
  wxApp::SetInstance(new pagehold::ScreenshotApp(options));
  return wxEntry(argc, argv);
}
