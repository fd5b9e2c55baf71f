#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ui/ConsoleFeedback.h"
#include "ui/Progress.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

// A temporary stream for a ConsoleFeedback to write to.
struct TempStream {
  std::FILE* File = std::tmpfile();
  ~TempStream() { std::fclose(File); }
  // Everything written so far.
  std::string Written() const {
    std::fflush(File);
    std::string text(static_cast<size_t>(std::ftell(File)), '\0');
    std::rewind(File);
    text.resize(std::fread(text.data(), 1, text.size(), File));
    return text;
  }
};

TEST(ConsoleFeedback, PrefixesEveryLineWithTheFileNameAnswersYesAndTakesGainsOnlyFromTheCommand) {
  TempStream stream;
  ConsoleFeedback console(stream.File, false);
  console.SetContext("leaf1.dat");
  console.ShowMessage("Cannot read file.\rIf this is a text file, please change its extension.",
                      MessageIcon::Critical, "");
  // A line that names the file already is not prefixed again.
  console.ShowMessage("The following error occured\rleaf1.dat: File not found",
                      MessageIcon::Critical, "");
  const std::string message =
      "leaf1.dat: Cannot read file.\n"
      "leaf1.dat: If this is a text file, please change its extension.\n"
      "leaf1.dat: The following error occured\n"
      "leaf1.dat: File not found\n";
  EXPECT_EQ(stream.Written(), message);
  EXPECT_EQ(console.ProblemCount(), 2);
  EXPECT_EQ(console.Ask("Do you want to continue with the next files?", Buttons::YesNo,
                        MessageIcon::Exclamation, Answer::No),
            Answer::Yes);
  // Without gains from the command the question is refused and the gains read are named.
  const size_t asked = stream.Written().size();
  EXPECT_FALSE(console.AskGains({{0, 2000}, "DF 0*1 PF 0"}).has_value());
  const std::string refusal = stream.Written().substr(asked);
  EXPECT_TRUE(refusal.starts_with("leaf1.dat: ")) << refusal;
  EXPECT_NE(refusal.find("PF 0, DF 2000"), std::string::npos);
  console.SetGains(DisplayGains{6, 120});
  const auto gains = console.AskGains({{0, 2000}, ""});
  ASSERT_TRUE(gains.has_value());
  EXPECT_EQ(gains->PF, 6);
  EXPECT_EQ(gains->DF, 120);
}

TEST(ConsoleFeedback, DrawsProgressOnlyOnATerminalAndClearsItBeforeAMessage) {
  TempStream plain, terminal;
  ConsoleFeedback quiet(plain.File, false), drawing(terminal.File, true);
  for (ConsoleFeedback* console : {&quiet, &drawing}) {
    console->ShowProgress();
    console->SetProgressText("Processing a.asc (file 1 of 2).");
    console->SetProgress(50);
  }
  quiet.HideProgress();
  drawing.ShowMessage("Disk full", MessageIcon::Critical, "");
  drawing.HideProgress();
  drawing.SetProgress(0);  // the reset of a hidden bar is not drawn
  EXPECT_EQ(plain.Written(), "");
  const std::string text = terminal.Written();
  EXPECT_NE(text.find(" 50%"), std::string::npos);
  EXPECT_TRUE(text.ends_with("\r\033[KDisk full\n")) << text;
}

TEST(Progress, TheBarMovesOnlyWhenTheWholePercentageGrowsAndEveryWayOutRestoresTheWindow) {
  ScriptedFeedback feedback;
  try {
    BusyScope busy(feedback);
    EXPECT_TRUE(feedback.Busy);
    EXPECT_FALSE(feedback.MainWindowEnabled);
    EXPECT_TRUE(feedback.ProgressVisible);
    bool cancel = false;
    PercentProgress progress(feedback, cancel);
    for (int i = 1; i <= 1000; ++i) EXPECT_FALSE(progress.Step(i, 1000));
    EXPECT_EQ(feedback.ProgressValues.size(), 100u);
    EXPECT_EQ(feedback.ProgressValues.front(), 1);
    EXPECT_EQ(feedback.ProgressValues.back(), 100);
    EXPECT_EQ(feedback.Turns, 100);
    throw 1;
  } catch (int) {
  }
  EXPECT_FALSE(feedback.Busy);
  EXPECT_TRUE(feedback.MainWindowEnabled);
  EXPECT_FALSE(feedback.ProgressVisible);
  EXPECT_EQ(feedback.ProgressValues.back(), 0);
}

}  // namespace
}  // namespace tolmek
