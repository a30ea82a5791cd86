#include "gui/DesktopProgram.h"

#include <wx/app.h>
#include <wx/image.h>
#include <wx/stdpaths.h>

#include <memory>
#include <optional>
#include <string>

#include "gui/HelpBook.h"
#include "gui/MainWindow.h"
#include "gui/MessageDialog.h"
#include "gui/SingleInstance.h"
#include "gui/WxText.h"
#include "gui/shell/ShellTexts.h"
#include "platform/Paths.h"
#include "platform/ProgramFolders.h"
#include "platform/Shell.h"

namespace pagehold {

namespace {

class DesktopApp : public wxApp {
 public:
  explicit DesktopApp(Product product) : product_(product) {}

  bool OnInit() override {
    SetAppName(ToWx(shell_texts::kProgramTitle));
    const std::string programPath = FromWx(wxStandardPaths::Get().GetExecutablePath());
    const std::optional<std::string> givenCache = GivenCache();
    instance_ = std::make_unique<SingleInstance>(programPath);
    if (instance_->AnotherCopyRuns()) {
      // A second copy says nothing: it asks the running one to come forward, passes on the
      // cache it was given, and ends.
      instance_->HandOver(HandOverRequest{givenCache});
      handedOver_ = true;
      return true;
    }
    wxInitAllImageHandlers();
    context_ = std::make_unique<AppContext>(product_, RunningProgramFolders());
    help_ = std::make_unique<HelpBook>(JoinPath(context_->dataFolder, "help/pagehold.hhp"));
    ui_ = std::make_unique<DialogInteraction>(help_.get());
    auto* window = new MainWindow({*context_, *ui_, shell_, *help_});
    SetTopWindow(window);
    window->Show();
    instance_->Listen([window](const HandOverRequest& request) {
      window->BringToFront();
      // The running copy may be busy in a window of its own: the cache waits for the next
      // opening of the Cache Explorer.
      if (request.argument)
        (void)window->UseGivenCache(*request.argument, false);
    });
    if (givenCache)
      window->CallAfter([window, path = *givenCache] { (void)window->UseGivenCache(path, true); });
    return true;
  }

  // The one argument the program takes: a cache to read in this run, made absolute so that a
  // running copy that receives it reads the same cache whatever its own working folder.
  std::optional<std::string> GivenCache() const {
    if (argc < 2)
      return std::nullopt;
    return AbsolutePath(FromWx(argv[1]));
  }

  int OnRun() override { return handedOver_ ? 0 : wxApp::OnRun(); }

  int OnExit() override {
    instance_.reset();
    help_.reset();
    return wxApp::OnExit();
  }

  // An error that no window handles reaches one general report, and the program goes on.
  bool OnExceptionInMainLoop() override {
    try {
      throw;
    } catch (const std::exception& error) {
      if (ui_)
        ShowShellMessage(*ui_, error.what(), true);
    }
    return true;
  }

 private:
  Product product_;
  bool handedOver_ = false;
  std::unique_ptr<SingleInstance> instance_;
  std::unique_ptr<AppContext> context_;
  std::unique_ptr<HelpBook> help_;
  std::unique_ptr<DialogInteraction> ui_;
  SystemShell shell_;
};

}  // namespace

int RunDesktopProgram(int argc, char** argv, Product product) {
  wxApp::SetInstance(new DesktopApp(product));
  return wxEntry(argc, argv);
}

}  // namespace pagehold
