#include "gui/SingleInstance.h"

#include <gtest/gtest.h>
#include <wx/process.h>
#include <wx/utils.h>

#include <algorithm>
#include <filesystem>

#include "GuiTestSupport.h"
#include "WindowDriver.h"
#include "platform/Paths.h"

namespace pagehold {
namespace {

using testing::TempFolder;

// A program started by the test, whose end the test waits for.
class Started : public wxProcess {
 public:
  explicit Started(const std::string& program, const wxExecuteEnv* environment = nullptr) {
    pid = wxExecute(wxString::FromUTF8(program), wxEXEC_ASYNC, this, environment);
  }
  void OnTerminate(int, int status) override {
    ended = true;
    exitStatus = status;
  }
  // Lets events run until the program ended or about a minute went by.
  bool WaitForEnd() {
    for (int i = 0; i < 600 && !ended; ++i)
      driver::PumpEvents(100);
    return ended;
  }
  long pid = 0;
  bool ended = false;
  int exitStatus = -1;
};

std::string Program(const std::string& name) {
  return std::string(PAGEHOLD_PROGRAM_DIR) + "/" + name;
}

TEST(SingleInstanceTest, SecondCopyRaisesTheFirstAndEndsWhileTheOtherProgramRuns) {
  TempFolder runtime;
  setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  setenv("PAGEHOLD_REGISTRY", runtime.Child("registry.reg").c_str(), 1);

  SingleInstance first(Program("pagehold-nav"));
  ASSERT_FALSE(first.AnotherCopyRuns());
  std::vector<HandOverRequest> requests;
  ASSERT_TRUE(first.Listen([&](const HandOverRequest& request) { requests.push_back(request); }));

  auto* second = new Started(Program("pagehold-nav"));
  ASSERT_NE(second->pid, 0);
  ASSERT_TRUE(second->WaitForEnd());
  EXPECT_EQ(second->exitStatus, 0);
  driver::PumpEvents(100);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_FALSE(requests[0].argument);
  delete second;

  // The other program has a guard and a channel of its own: it starts and keeps running.
  auto* other = new Started(Program("pagehold-ie"));
  const std::string channel = runtime.path() + "pagehold-pagehold-ie.socket";
  for (int i = 0; i < 600 && !std::filesystem::exists(channel) && !other->ended; ++i)
    driver::PumpEvents(100);
  EXPECT_TRUE(std::filesystem::exists(channel));
  EXPECT_FALSE(other->ended);
  wxProcess::Kill(other->pid, wxSIGTERM);
  EXPECT_TRUE(other->WaitForEnd());
  delete other;
  unsetenv("XDG_RUNTIME_DIR");
}

TEST(SingleInstanceTest, EachProgramStartedOnACacheOpensTheCacheExplorer) {
  for (const char* command : {"pagehold-nav nav/fat.db", "pagehold-ie ie"}) {
    TempFolder home;
    wxExecuteEnv environment;
    wxGetEnvMap(&environment.env);
    environment.env["PAGEHOLD_REGISTRY"] = wxString::FromUTF8(home.Child("registry.reg"));
    environment.env["XDG_RUNTIME_DIR"] = wxString::FromUTF8(home.path());
    environment.cwd = wxString::FromUTF8(testing::SamplesDir());
    auto* started = new Started(Program(command), &environment);
    bool opened = false;
    for (int i = 0; i < 600 && !opened && !started->ended; ++i) {
      driver::PumpEvents(100);
      const std::vector<std::string> titles = driver::DisplayedWindowTitles();
      opened = std::count(titles.begin(), titles.end(), "Pagehold - Cache Explorer") > 0;
    }
    EXPECT_TRUE(opened) << command;
    wxProcess::Kill(started->pid, wxSIGTERM);
    EXPECT_TRUE(started->WaitForEnd());
    delete started;
    EXPECT_FALSE(FileExists(home.Child("registry.reg")));  // no setting was written
  }
}

}  // namespace
}  // namespace pagehold
