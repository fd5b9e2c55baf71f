#include "app/gui/Optionsfrm.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "app/FileInfo.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

class ChartOptions : public ::testing::Test {
 protected:
  ChartOptions() {
    session.Record.TimeMax = 300;
    session.Record.PointCount = 3;
    session.Record.TimeValues = {0, 100, 200, 300};
    session.View.LogTime = false;
  }
  static void Type(QLineEdit* field, const QString& text) {
    field->clear();
    QTest::keyClicks(field, text);
  }
  Session session;
  ScriptedFeedback feedback;
};

TEST_F(ChartOptions, CorrectsRangeValuesOutsideTheCurveAndRefusesARangeThatEndsBeforeItStarts) {
  Optionsfrm dialog(session, feedback);
  dialog.show();
  dialog.Option_man->click();
  Type(dialog.Text_from, "-5");
  EXPECT_EQ(dialog.Text_from->text(), "0");
  Type(dialog.Text_to, "3000");
  EXPECT_EQ(dialog.Text_to->text(), "300");
  Type(dialog.Text_from, "200");
  Type(dialog.Text_to, "100");
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(feedback.MessageTexts(), std::vector<std::string>{kRangeOrderText});
  EXPECT_EQ(session.View.AutoRange, 1);
  Type(dialog.Text_to, "250");
  dialog.Thick_lines->setChecked(false);
  dialog.accept();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(session.View.AutoRange, 0);
  EXPECT_EQ(session.View.RangeFrom, 200);
  EXPECT_EQ(session.View.RangePoints, 3);  // the first point at or after 250
  EXPECT_EQ(session.Options.LineWidth, 1);
}

TEST_F(ChartOptions, LogarithmicAxisShowsTheWholeRangeAndCancelRestoresTheState) {
  session.View.AutoRange = false;
  Optionsfrm dialog(session, feedback);
  dialog.show();
  dialog.Option_log->click();
  EXPECT_FALSE(dialog.Option_man->isEnabled() || dialog.Text_to->isEnabled());
  dialog.accept();
  EXPECT_EQ(session.View.LogTime, 1);
  EXPECT_EQ(session.View.AutoRange, 1);
  dialog.show();
  dialog.Thick_lines->setChecked(false);
  dialog.Auto_Draw->setChecked(false);
  dialog.reject();
  EXPECT_TRUE(dialog.Thick_lines->isChecked());
  EXPECT_FALSE(dialog.Auto_Draw->isChecked());
  EXPECT_EQ(session.Options.AutoRedraw, 1);
}

}  // namespace
}  // namespace tolmek
