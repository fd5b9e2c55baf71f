#include "analysis/JipTestWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "data/OjipTextFile.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

TEST(JipTestWindow, ShowsTheLoadedMeasurementAndFollowsAMovedFm) {
  Session session;
  ScriptedFeedback feedback;
  JipTestWindow window(session, feedback);
  auto* text = window.findChild<QPlainTextEdit*>("Text1");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->toPlainText(), "");  // nothing loaded

  session.Record.CurrentFilePath = std::string(TOLMEK_TEST_DATA_DIR) + "/ojip-export-2.txt";
  ASSERT_EQ(ReadOjipTextFile(session, feedback, session.Record.CurrentFilePath),
            ReadOutcome::Loaded);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(text->toPlainText().contains("\nFm = 34299.00\ntFm = 1.52\n"));
  EXPECT_TRUE(text->toPlainText().contains("\nPI_abs = 0.000\n"));

  session.Record.PFPoints[kSlotFm] = 278;  // the P step at 231.621 ms
  window.Refresh();
  EXPECT_TRUE(text->toPlainText().contains("\nFm = 34201.00\ntFm = 231.62\n"));
  EXPECT_TRUE(text->toPlainText().contains("\nVj = 1.005\n"));

  window.CopyAction()->trigger();
  const QString copied = QApplication::clipboard()->text();
  EXPECT_TRUE(copied.startsWith("Fo = 27114.00\r\nFk = 31178.00\r\n")) << copied.toStdString();

  EXPECT_TRUE(feedback.Messages.empty());
}

}  // namespace
}  // namespace tolmek
