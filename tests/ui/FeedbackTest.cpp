#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ui/ConsoleFeedback.h"
#include "ui/Progress.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

// Everything a ConsoleFeedback wrote to its stream.
std::string Written(std::FILE* stream) {
  std::fflush(stream);
  std::rewind(stream);
  std::string text;
  char buffer[256];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) text.append(buffer, got);
  return text;
}

TEST(ConsoleFeedback, PrefixesEveryLineOfAMessageWithTheFileName) {
  std::FILE* stream = std::tmpfile();
  ConsoleFeedback console(stream, false);
  console.SetContext("leaf1.dat");
  console.ShowMessage("Cannot read file.\rIf this is a text file, please change its extension.",
                      MessageIcon::Critical, "");
  EXPECT_EQ(Written(stream),
            "leaf1.dat: Cannot read file.\n"
            "leaf1.dat: If this is a text file, please change its extension.\n");
  EXPECT_EQ(console.ProblemCount(), 1);
  std::fclose(stream);
}

TEST(ConsoleFeedback, AnswersTheContinueQuestionYes) {
  std::FILE* stream = std::tmpfile();
  ConsoleFeedback console(stream, false);
  EXPECT_EQ(console.Ask("Do you want to continue with the next files?", Buttons::YesNo,
                        MessageIcon::Exclamation, Answer::No),
            Answer::Yes);
  std::fclose(stream);
}

TEST(ConsoleFeedback, DrawsNoProgressWhenNotOnATerminal) {
  std::FILE* stream = std::tmpfile();
  ConsoleFeedback console(stream, false);
  console.SetProgressText("Processing a.asc (file 1 of 2).");
  console.SetProgress(50);
  console.HideProgress();
  EXPECT_EQ(Written(stream), "");
  std::fclose(stream);
}

TEST(ConsoleFeedback, ClearsTheProgressLineBeforeAMessage) {
  std::FILE* stream = std::tmpfile();
  ConsoleFeedback console(stream, true);
  console.SetProgressText("Processing a.asc (file 1 of 2).");
  console.SetProgress(50);
  console.ShowMessage("Disk full", MessageIcon::Critical, "");
  const std::string text = Written(stream);
  EXPECT_NE(text.find(" 50%"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 10), "Disk full\n");
  EXPECT_NE(text.find("\r\033[KDisk full"), std::string::npos);
  std::fclose(stream);
}

TEST(ConsoleFeedback, RefusesTheGainQuestionWithoutGainsAndNamesTheGainsRead) {
  std::FILE* stream = std::tmpfile();
  ConsoleFeedback console(stream, false);
  console.SetContext("rec.dat");
  EXPECT_FALSE(console.AskGains({{0, 2000}, "DF 0*1 PF 0"}).has_value());
  const std::string text = Written(stream);
  EXPECT_NE(text.find("rec.dat: "), std::string::npos);
  EXPECT_NE(text.find("PF 0, DF 2000"), std::string::npos);
  console.SetGains(DisplayGains{6, 120});
  const auto gains = console.AskGains({{0, 2000}, ""});
  ASSERT_TRUE(gains.has_value());
  EXPECT_EQ(gains->PF, 6);
  EXPECT_EQ(gains->DF, 120);
  std::fclose(stream);
}

TEST(PercentProgress, MovesTheBarOnlyWhenTheWholePercentageGrows) {
  ScriptedFeedback feedback;
  int16_t cancel = 0;
  PercentProgress progress(feedback, cancel);
  for (int i = 1; i <= 1000; ++i) EXPECT_FALSE(progress.Step(i, 1000));
  EXPECT_EQ(feedback.ProgressValues.size(), 100u);
  EXPECT_EQ(feedback.ProgressValues.front(), 1);
  EXPECT_EQ(feedback.ProgressValues.back(), 100);
  EXPECT_EQ(feedback.Turns, 100);
}

TEST(PercentProgress, ACancelAtAChosenTurnStopsTheLoopAndClearsTheFlag) {
  ScriptedFeedback feedback;
  feedback.CancelAtTurn = 3;
  int16_t cancel = 0;
  PercentProgress progress(feedback, cancel);
  int stoppedAt = 0;
  for (int i = 1; i <= 10 && stoppedAt == 0; ++i)
    if (progress.Step(i, 10)) stoppedAt = i;
  EXPECT_EQ(stoppedAt, 3);
  EXPECT_EQ(cancel, 0);
}

TEST(BusyScope, RestoresPointerWindowAndProgressOnEveryWayOut) {
  ScriptedFeedback feedback;
  try {
    BusyScope busy(feedback);
    EXPECT_TRUE(feedback.Busy);
    EXPECT_FALSE(feedback.MainWindowEnabled);
    EXPECT_TRUE(feedback.ProgressVisible);
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
