#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

#include "analysis/gui/SelectDFPeakDialog.h"
#include "analysis/gui/SelectPFPeakDialog.h"

namespace tolmek {
namespace {

// A measurement of n points whose DF is highest at point 9 and, among 1..8, at point 8.
Session Measured(int n) {
  Session session;
  Measurement& m = session.Record;
  for (auto* values : {&m.TimeValues, &m.PFValues, &m.DFValues, &m.PFSlope, &m.DFSlope})
    values->assign(n + 1, 1.0f);
  for (int i = 1; i <= n; ++i) m.TimeValues[i] = static_cast<float>(i);
  m.DFValues[8] = 50;
  m.DFValues[9] = 90;
  m.PointCount = n;
  session.Results.ResultRowCount = session.Results.ResultRow = 1;
  return session;
}

// Runs the modal dialog; while it is open, action looks at it and closes it.
void RunModal(QDialog& dialog, const std::function<void()>& action) {
  QTimer::singleShot(0, action);
  dialog.exec();
}

TEST(SelectPFPeak, StoresTheCursorInEveryTickedSlotAndAsksForTheRightRedraw) {
  Session session = Measured(300);
  SelectPFPeak dialog(session);
  QSignalSpy redraws(&dialog, &PointSelectionDialog::RedrawRequested);
  session.Cursor.CursorIndex = 120;
  RunModal(dialog, [&] {
    dialog.Check[3]->setChecked(true);
    dialog.Check[6]->setChecked(true);
    dialog.OKbutton->click();
  });
  EXPECT_EQ(session.Record.PFPoints[3], 120);
  EXPECT_EQ(session.Record.PFPoints[6], 120);
  ASSERT_EQ(redraws.count(), 1);
  EXPECT_EQ(redraws.at(0).at(0).toInt(), 1);  // new markers only
  EXPECT_FALSE(dialog.Check[3]->isChecked());

  session.Cursor.CursorIndex = 150;
  RunModal(dialog, [&] {
    dialog.Check[3]->setChecked(true);
    dialog.OKbutton->click();
  });
  EXPECT_EQ(redraws.at(1).at(0).toInt(), 0);  // a set point moved: the whole chart

  session.Cursor.CursorIndex = 7;
  RunModal(dialog, [&] {
    dialog.Check[1]->setChecked(true);
    dialog.CancelButton->click();
  });
  EXPECT_EQ(session.Record.PFPoints[1], 0);
  EXPECT_EQ(redraws.count(), 2);
}

TEST(SelectDFPeak, ProposesThePatternInTurnAndCancelProposesTheSameAgain) {
  Session session = Measured(300);
  session.Options.DFPattern = {3, 1, 7, 2};  // I1, D1, I2
  SelectDFPeak dialog(session);
  auto proposal = [&](bool accept) {
    QString ticked;
    session.Cursor.CursorIndex += 10;
    RunModal(dialog, [&] {
      for (int k = 1; k <= 6; ++k) {
        if (dialog.Check_I[k]->isChecked()) ticked += dialog.Check_I[k]->text();
        if (dialog.Check_D[k]->isChecked()) ticked += dialog.Check_D[k]->text();
      }
      (accept ? dialog.OKbutton : dialog.CancelButton)->click();
    });
    return ticked;
  };
  EXPECT_EQ(proposal(true), "I1");
  EXPECT_EQ(proposal(false), "D1");
  EXPECT_EQ(proposal(true), "D1");
  EXPECT_EQ(proposal(true), "I2");
  EXPECT_EQ(proposal(true), "I1");
  EXPECT_EQ(session.Record.DFPoints[1].I, 50);
  EXPECT_EQ(session.Record.DFPoints[1].D, 30);
  EXPECT_NE(session.DFTable.Cells[1][1], kUncomputedCell);
}

TEST(SelectDFPeak, SnapsToTheExtremumNearTheCursorAndTogglesByKeys) {
  Session session = Measured(300);
  session.Options.SnapMode = DFSnap::Max;
  session.Cursor.CursorIndex = 3;  // searches points 1..8
  SelectDFPeak dialog(session);
  RunModal(dialog, [&] {
    QTest::keyClick(&dialog, Qt::Key_3);
    QTest::keyClick(&dialog, Qt::Key_3, Qt::ShiftModifier);
    QTest::keyClick(&dialog, '#');
    QTest::keyClick(&dialog, '@');
    EXPECT_TRUE(dialog.Check_I[3]->isChecked());
    EXPECT_FALSE(dialog.Check_D[3]->isChecked());
    EXPECT_TRUE(dialog.Check_D[2]->isChecked());
    EXPECT_EQ(dialog.focusWidget(), dialog.OKbutton);
    dialog.OKbutton->click();
  });
  EXPECT_EQ(session.Record.DFPoints[3].I, 8);
  EXPECT_EQ(session.Record.DFPoints[2].D, 8);
}

TEST(SelectDFPeak, PatternModeWritesTheTickedPeaksInWaveOrder) {
  Session session = Measured(300);
  session.Options.DFPattern = {1, 8};
  SelectDFPeak dialog(session);
  QTimer::singleShot(0, [&] {
    EXPECT_TRUE(dialog.Check_D[2]->isChecked());
    dialog.Check_I[3]->setChecked(true);
    dialog.Check_I[1]->setChecked(true);
    dialog.OKbutton->click();
  });
  dialog.SetPattern();
  EXPECT_EQ(session.Options.DFPattern[0], 3);
  EXPECT_EQ(session.Options.DFPattern[1], 1);
  EXPECT_EQ(session.Options.DFPattern[2], 8);
  EXPECT_EQ(session.Options.DFPattern[3], 3);
  EXPECT_FALSE(dialog.SetPatternMode);
  EXPECT_EQ(session.Record.DFPoints[1].I, 0);
}

}  // namespace
}  // namespace tolmek
