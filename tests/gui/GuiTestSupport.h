// What the window tests share: a program context over temporary folders and the built
// programs' data.
#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/Commands.h"
#include "gui/HelpBook.h"
#include "platform/RegistryFile.h"
#include "platform/Shell.h"
#include "prefs/AppContext.h"
#include "support/RecordingShell.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"

namespace pagehold::testing {

// A context whose writable folder and registry are temporary and whose data folder is the
// programs' own (pictures and help book).
struct GuiContext {
  explicit GuiContext(Product product)
      : context(
            product,
            ProgramFolders{folder.path(), std::string(PAGEHOLD_PROGRAM_DIR) + "/", folder.path()},
            std::make_unique<RegistryFile>(folder.Child("registry.reg"))),
        help(std::string(PAGEHOLD_PROGRAM_DIR) + "/help/pagehold.hhp") {}

  // The texts of the messages shown so far.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Message& message : ui.messages)
      texts.push_back(message.text);
    return texts;
  }

  TempFolder folder;
  AppContext context;
  ScriptedInteraction ui;
  RecordingShell shell;
  HelpBook help;
};

// The control of that name and kind inside the window.
template <typename Control>
Control* Named(wxWindow* window, const char* name) {
  auto* control = dynamic_cast<Control*>(wxWindow::FindWindowByName(name, window));
  EXPECT_NE(control, nullptr) << name;
  return control;
}

// Runs the pagehold command; its status, with what it printed in out (and its errors when it
// failed).
inline int Pagehold(const std::vector<std::string>& args, std::string& out) {
  std::ostringstream printed;
  std::ostringstream errors;
  const int status = RunPagehold(args, printed, errors);
  out = printed.str() + (status == 0 ? "" : errors.str());
  return status;
}

// The bundled Navigator sample archived into folder by `pagehold archive`.
inline void ArchiveNavigatorSample(const std::string& folder) {
  std::string out;
  ASSERT_EQ(
      Pagehold({"archive", "--nav", SamplesDir() + "/nav/fat.db", "--to", folder, "--yes"}, out), 0)
      << out;
}

// The addresses that `pagehold search FOLDER args...` prints, in its order.
inline std::vector<std::string> SearchCommandUrls(const std::string& folder,
                                                  std::vector<std::string> args) {
  args.insert(args.begin(), {"search", folder});
  std::string out;
  (void)Pagehold(args, out);
  std::istringstream lines(out);
  std::vector<std::string> urls;
  std::string line;
  std::getline(lines, line);  // the header
  while (std::getline(lines, line))
    urls.push_back(line.substr(0, line.find('\t')));
  return urls;
}

}  // namespace pagehold::testing
