#include "ui/gui/QtFeedback.h"

#include <QApplication>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include "data/Session.h"
#include "ui/Progress.h"

namespace tolmek {
namespace {

TEST(QtFeedback, EscInTheProgressWindowCancelsTheRunningLoopOnce) {
  QWidget main;
  QtFeedback feedback(&main);
  bool mainEnabled = true;
  feedback.SetEnableHook([&](bool enabled) { mainEnabled = enabled; });
  bool cancelRequested = false;
  {
    BusyScope busy(feedback);
    EXPECT_FALSE(mainEnabled);
    PercentProgress progress(feedback, cancelRequested);
    EXPECT_FALSE(progress.Step(10, 100));
    QTest::keyClick(&feedback.ProgressWindow(), Qt::Key_Escape);
    // Esc does not close the window; the loop sees the cancel at its next whole percent only.
    EXPECT_TRUE(feedback.ProgressWindow().isVisible());
    EXPECT_FALSE(progress.Step(10.5, 100));
    EXPECT_TRUE(progress.Step(11, 100));
    EXPECT_EQ(feedback.ProgressWindow().Percent(), 11);
    EXPECT_FALSE(progress.Step(12, 100));
  }
  EXPECT_TRUE(mainEnabled);
  EXPECT_FALSE(feedback.ProgressWindow().isVisible());
  EXPECT_EQ(feedback.ProgressWindow().Percent(), 0);
  EXPECT_FALSE(cancelRequested);
}

TEST(QtFeedback, GainQuestionsGoToTheHookAndTextsKeepTheirBytes) {
  QtFeedback feedback;
  std::vector<std::string> asked;
  feedback.SetGainHook([&](const GainQuestion& question) -> std::optional<DisplayGains> {
    asked.push_back(question.Comment2);
    return DisplayGains{12, 240};
  });
  const auto gains = feedback.AskGains({{0, 5000}, "PF 1*2 DF 5000"});
  ASSERT_TRUE(gains);
  EXPECT_EQ(gains->DF, 240);
  EXPECT_EQ(asked, std::vector<std::string>{"PF 1*2 DF 5000"});
  const std::string latin1 = "Blatt \xE4\xFC\xB5";
  EXPECT_EQ(FromLatin1(latin1).toLatin1().toStdString(), latin1);
  EXPECT_EQ(ToQString("one\r\ntwo\rthree"), "one\ntwo\nthree");
  EXPECT_EQ(ToStdString(ToQString("/data/\xC3\xA4rger.dat")), "/data/\xC3\xA4rger.dat");
}

// The progress window does not take the keys from the window the work started in (a window
// manager need not hand them back when it hides); Esc pressed there cancels all the same, but not
// while a message box of the work is asking, nor once the work is over.
TEST(QtFeedback, TheProgressWindowLeavesTheKeysWhereTheyAreAndHearsEscFromThere) {
  QWidget main;
  main.show();
  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  QtFeedback feedback(&main);
  bool cancelRequested = false;
  PercentProgress progress(feedback, cancelRequested);
  feedback.ShowProgress();
  EXPECT_TRUE(feedback.ProgressWindow().isVisible());
  QTest::keyClick(&main, Qt::Key_Escape);
  EXPECT_TRUE(progress.Step(1, 100));

  QTimer::singleShot(0, [] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box, Qt::Key_Escape);
  });
  feedback.Ask("Go on?", Buttons::YesNo, MessageIcon::Question, Answer::Yes);
  EXPECT_FALSE(progress.Step(2, 100));
  feedback.HideProgress();
  QTest::keyClick(&main, Qt::Key_Escape);  // the work is over
  EXPECT_FALSE(progress.Step(3, 100));
}

}  // namespace
}  // namespace tolmek
