// The amplification and averaging dialogs, filled and confirmed as a user does.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <string>

#include "analysis/PFResults.h"
#include "analysis/gui/Avgform.h"
#include "analysis/gui/EnterAmplifDialog.h"
#include "app/LoadSequence.h"
#include "data/FileIO.h"
#include "support/TestSupport.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

using test::Slurp;
using test::TempFolder;

std::string Example(const std::string& name) {
  return Slurp(std::string(TOLMEK_EXAMPLES_DIR) + "/" + name);
}

// Types the gains into the dialog and presses OK.
void Enter(EnterAmplif& dialog, const QString& pf, const QString& df) {
  dialog.findChild<QLineEdit*>("PFnew")->setText(pf);
  dialog.findChild<QLineEdit*>("DFnew")->setText(df);
  QTest::mouseClick(dialog.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
}

TEST(AmplificationDialog, RefusesGainsOutOfRangeThenRescalesOrReportsAnOverflowAndKeepsTheCurves) {
  TempFolder folder;
  Session session;
  ScriptedFeedback feedback;
  FillResultColumnNames(session.Results);
  session.Record.CurrentFileName = "leaf01.tmk";
  session.Record.CurrentFilePath = folder.Write("leaf01.tmk", Example("leaf01.tmk"));
  ASSERT_EQ(LoadCurrentFile(session, feedback), ReadOutcome::Loaded);
  const Measurement before = session.Record;
  EnterAmplif dialog(session, feedback);
  QSignalSpy redraw(&dialog, &EnterAmplif::RedrawRequested);

  // Refused until both are in range; then the PF gain doubled, typed with junk after it.
  const QString doubled = QString::number(before.PFAmplification * 12);
  QTimer::singleShot(0, &dialog, [&] {
    EXPECT_EQ(dialog.findChild<QLineEdit*>("PFcurr")->text(),
              QString::number(before.PFAmplification * 6));
    Enter(dialog, "0", "120");
    Enter(dialog, doubled, "1500.5");
    Enter(dialog, " " + doubled + "abc", "1500");
    if (dialog.isVisible()) dialog.reject();  // refused after all: fail, do not hang
  });
  dialog.ChangeAmp();
  EXPECT_EQ(feedback.MessageTexts(),
            std::vector<std::string>(2, "Values must be between 0 and 1500."));
  EXPECT_EQ(dialog.findChild<QLineEdit*>("PFnew")->text(), doubled);  // rewritten as its number
  EXPECT_EQ(session.Record.PFValues[40], before.PFValues[40] / 2);
  EXPECT_EQ(session.Record.DFAmplification, 12.5);
  EXPECT_EQ(session.Record.PFPoints, before.PFPoints);
  EXPECT_EQ(redraw.count(), 1);

  // A gain so small that the rescaled values overflow: a message, nothing changed.
  const Measurement halved = session.Record;
  QTimer::singleShot(0, &dialog, [&] {
    Enter(dialog, "1E-40", "1500");
    if (dialog.isVisible()) dialog.reject();
  });
  dialog.ChangeAmp();
  EXPECT_EQ(feedback.MessageTexts().back(), "Overflow");
  EXPECT_EQ(session.Record.PFValues, halved.PFValues);
  EXPECT_EQ(session.Record.PFAmplification, halved.PFAmplification);
  EXPECT_EQ(redraw.count(), 1);
}

// Results and curves of the chosen folder, replicates told apart by the last character.
TEST(AveragingDialog, WritesTheResultAveragesAndTheMeanCurvesOfTheChosenFolder) {
  TempFolder folder;
  for (const char* name : {"leaf01.asc", "leaf02.asc", "leaf03.asc"})
    folder.Write(name, Example(name));
  const std::string heading = "Filename\tFo\t\r\n";
  const std::string empty26(26, '\t');
  folder.Write("fl.res",
               heading + "leaf0121\t1.00\t" + empty26 + "\r\nleaf0122\t3.00\t" + empty26 + "\r\n");
  Session session;
  ScriptedFeedback feedback;
  Avgform dialog(session, feedback);
  QSignalSpy replaced(&dialog, &Avgform::FileListReplaced);
  dialog.SetFolder(QString::fromStdString(folder.Path()));
  QTest::mouseClick(dialog.findChild<QPushButton*>("OKbtn"), Qt::LeftButton);

  EXPECT_EQ(Slurp(folder.File("Fl_avg.res")), heading + "leaf012 \t2.00\t" + empty26 + "\r\n");
  EXPECT_TRUE(FileExists(folder.File("leaf0!.avg")));
  EXPECT_EQ(session.Folder.FileList.size(), 4u);  // the three curves and fl.res
  EXPECT_EQ(replaced.count(), 1);
  EXPECT_TRUE(feedback.Messages.empty());
}

}  // namespace
}  // namespace tolmek
