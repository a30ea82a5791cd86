#include "cli/TerminalInteraction.h"

#include <gtest/gtest.h>

#include <sstream>

namespace pagehold {
namespace {

const Message kQuestion{"Delete these\r\nitems?\r\n", "Confirmation", MessageIcon::Confirmation,
                        MessageButtons::YesNoCancel};

TEST(TerminalInteraction, PrintsAndRefusesAQuestionWithoutYes) {
  std::ostringstream err;
  TerminalInteraction ui(err, false, false);
  EXPECT_EQ(ui.Ask(kQuestion), MessageAnswer::Cancel);
  EXPECT_TRUE(ui.Refused());
  EXPECT_EQ(err.str(),
            "Delete these\nitems?\npagehold: not confirmed; run again with --yes to go ahead\n");
}

TEST(TerminalInteraction, AnswersQuestionsFromYes) {
  struct {
    MessageButtons buttons;
    bool yes;
    MessageAnswer answer;
  } const cases[] = {
      {MessageButtons::YesNoCancel, true, MessageAnswer::Yes},
      {MessageButtons::YesNo, true, MessageAnswer::Yes},
      {MessageButtons::OkCancel, true, MessageAnswer::Ok},
      {MessageButtons::YesNo, false, MessageAnswer::No},
      {MessageButtons::OkCancel, false, MessageAnswer::Cancel},
      {MessageButtons::Ok, false, MessageAnswer::Ok},
      {MessageButtons::OkHelp, true, MessageAnswer::Ok},
  };
  for (const auto& c : cases) {
    std::ostringstream err;
    TerminalInteraction ui(err, c.yes, false);
    Message message = kQuestion;
    message.buttons = c.buttons;
    EXPECT_EQ(ui.Ask(message), c.answer);
    const bool question = c.buttons != MessageButtons::Ok && c.buttons != MessageButtons::OkHelp;
    EXPECT_EQ(ui.Refused(), question && !c.yes);
    // A question answered by --yes is not printed; a notice always is.
    EXPECT_EQ(err.str().empty(), question && c.yes);
  }
}

TEST(TerminalInteraction, DrawsProgressOnlyWhenAskedAndEndsTheLineBeforeText) {
  std::ostringstream quiet;
  {
    TerminalInteraction ui(quiet, false, false);
    ui.ShowProgress(50);
    ui.ShowStatus("Working");
  }
  EXPECT_EQ(quiet.str(), "Working\n");

  std::ostringstream bar;
  {
    TerminalInteraction ui(bar, false, true);
    ui.ShowProgress(50);
    ui.ShowProgress(50);
    ui.ShowProgress(150);
    ui.ShowStatus("Done");
    ui.ShowProgress(0);
  }
  const std::string half = "\r[" + std::string(20, '#') + std::string(20, ' ') + "] 50%";
  const std::string full = "\r[" + std::string(40, '#') + "] 100%";
  const std::string none = "\r[" + std::string(40, ' ') + "] 0%";
  EXPECT_EQ(bar.str(), half + full + "\nDone\n" + none + "\n");
}

}  // namespace
}  // namespace pagehold
