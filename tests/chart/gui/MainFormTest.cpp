#include "chart/gui/MainForm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cmath>

#include "analysis/gui/SelectPFPeakDialog.h"
#include "chart/ChartCursor.h"
#include "chart/ChartScale.h"
#include "chart/ChartTestSupport.h"
#include "chart/gui/ChartWidget.h"
#include "data/Measurement.h"
#include "data/NumberText.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

// Times 0.01, 0.02, ...; PF and DF rising and falling over the measurement.
void Load(Session& session, int n) {
  test::SetCurves(
      session, n, [](int i) { return 0.01 * i; },
      [n](int i) { return 100 + 1000 * std::sin(3.1 * i / n); },
      [n](int i) { return 50 + 400 * std::sin(6.2 * i / n) * std::sin(6.2 * i / n); });
}

// Closes the modal dialog that the next call opens, and notes its caption.
void CloseNextDialog(QString& caption) {
  QTimer::singleShot(0, [&caption] {
    if (QWidget* dialog = QApplication::activeModalWidget()) {
      caption = dialog->windowTitle();
      dialog->close();
    }
  });
}

class ChartWindow : public ::testing::Test {
 protected:
  void Open(int n, ViewMode viewMode, bool logTime) {
    Load(session, n);
    session.View.ViewMode = viewMode;
    session.View.LogTime = logTime;
    session.Results.ResultRowCount = session.Results.ResultRow = 1;
    form = std::make_unique<MainForm>(session, feedback);
    form->resize(1000, 600);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    session.Shell.ChartReady = true;
    form->RefreshChart();
  }
  QPoint PointAt(int index) const {
    const double x = TimeToX(session, session.Record.TimeValues[index]);
    return QPoint(static_cast<int>(std::lround(Chart()->PixelX(x))), Chart()->height() / 2);
  }
  ChartWidget* Chart() const { return form->Chart(); }
  void Click(int index, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(Chart(), button, {}, PointAt(index));
  }
  // Rests the mouse on a point (moving there from a little below, so the move is delivered).
  void HoverOn(int index) {
    QTest::mouseMove(Chart(), PointAt(index) + QPoint(0, 7));
    QTest::mouseMove(Chart(), PointAt(index));
  }
  void Span(int from, int to) {
    Click(from, Qt::RightButton);
    Click(to, Qt::RightButton);
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(Chart(), static_cast<Qt::Key>(key), modifiers);
  }

  Session session;
  ScriptedFeedback feedback;
  std::unique_ptr<MainForm> form;
};

TEST_F(ChartWindow, ClicksAndKeysMoveTheCursorAndItsReadout) {
  Open(400, ViewMode::Both, false);
  Click(123);
  EXPECT_EQ(session.Cursor.CursorIndex, 123);
  EXPECT_TRUE(session.Cursor.Lines[kCursorLine].Visible);
  EXPECT_EQ(form->ReadoutText().toStdString(), CursorReadout(session.Record, 123));
  Key(Qt::Key_Home);
  Key(Qt::Key_Left);  // from 1 to 0: the readout of point 0, no line
  EXPECT_EQ(session.Cursor.CursorIndex, 0);
  EXPECT_FALSE(session.Cursor.Lines[kCursorLine].Visible);
  EXPECT_EQ(form->ReadoutText(), "t=  0.00 PF=   0.00 dPF=     0.00 DF=   0.00 dDF=     0.00");

  Load(session, 1000);
  session.Cursor.CursorIndex = 960;
  Key(Qt::Key_Right, Qt::ControlModifier);  // 960 is not below 950: to the last point
  EXPECT_EQ(session.Cursor.CursorIndex, 1000);
  Key(Qt::Key_Right);
  EXPECT_EQ(session.Cursor.CursorIndex, 1000);
  Key(Qt::Key_PageUp);
  EXPECT_EQ(session.Cursor.CursorIndex, 950);
  Key(Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);  // not Ctrl alone: one point
  EXPECT_EQ(session.Cursor.CursorIndex, 949);
}

TEST_F(ChartWindow, RightClicksMarkASpanThatRestartsBeforeItsStart) {
  Open(400, ViewMode::PF, false);
  QSignalSpy commands(form.get(), &MainForm::CommandStatesChanged);
  Span(40, 30);
  EXPECT_EQ(session.Cursor.SpanStart, 30);
  EXPECT_EQ(session.Cursor.SpanEnd, 0);
  EXPECT_FALSE(session.ChartCommands.FindEnabled);
  Click(70, Qt::RightButton);
  EXPECT_EQ(session.Cursor.SpanEnd, 70);
  EXPECT_TRUE(session.ChartCommands.FindEnabled && session.ChartCommands.ZoomInEnabled);
  EXPECT_FALSE(commands.isEmpty());
  Click(50);
  EXPECT_EQ(session.Cursor.SpanStart, 0);
  EXPECT_FALSE(session.ChartCommands.FindEnabled);

  // Both curves on the logarithmic axis: a right click places the cursor.
  session.View.ViewMode = ViewMode::Both;
  session.View.LogTime = true;
  form->RefreshChart();
  Click(200, Qt::RightButton);
  EXPECT_EQ(session.Cursor.SpanStart, 0);
  EXPECT_EQ(session.Cursor.CursorIndex, 200);
}

TEST_F(ChartWindow, FindToolsTakeTheFirstOfEqualPointsAndOpenTheDialogOfTheCurve) {
  Open(400, ViewMode::PF, false);
  for (int i = 1; i <= 400; ++i) session.Record.PFValues[i] = 1;
  const float values[] = {5, 9, 9, 7};
  for (int k = 0; k < 4; ++k) session.Record.PFValues[30 + k] = values[k];
  Span(30, 33);
  QString caption;
  CloseNextDialog(caption);
  Key(Qt::Key_Z);
  EXPECT_EQ(session.Cursor.CursorIndex, 31);
  EXPECT_EQ(caption, "Select PF Max");
  EXPECT_EQ(session.Cursor.SpanStart, 0);
  Key(Qt::Key_X);  // no span any more: the tool is off
  EXPECT_EQ(session.Cursor.CursorIndex, 31);

  session.View.ViewMode = ViewMode::DF;
  CloseNextDialog(caption);
  Key(Qt::Key_Return);
  EXPECT_EQ(caption, "Set DF Min/Max");
}

TEST_F(ChartWindow, DraggingASetPointMovesItButNotAReleaseInPlaceOrOutsideTheChart) {
  Open(400, ViewMode::PF, false);
  session.Record.PFPoints[kSlotFm] = 200;
  QSignalSpy moved(form.get(), &MainForm::PointMoved);
  const auto drag = [&](int from, int to, QPoint release) {
    HoverOn(from);
    ASSERT_EQ(Chart()->cursor().shape(), Qt::SizeHorCursor);
    QTest::mousePress(Chart(), Qt::LeftButton, {}, PointAt(from));
    if (to != from) QTest::mouseMove(Chart(), PointAt(to));
    EXPECT_EQ(session.Cursor.CursorIndex, to);
    QTest::mouseRelease(Chart(), Qt::LeftButton, {}, release);
  };
  drag(200, 250, PointAt(250));
  EXPECT_EQ(session.Record.PFPoints[kSlotFm], 250);
  EXPECT_EQ(moved.count(), 1);
  EXPECT_EQ(session.Results.Cell(1, 4), FormatFixed(session.Record.PFValues[250]));
  drag(250, 250, PointAt(250));  // pressed and released on the point itself: a click there
  drag(250, 300, QPoint(-40, 10));
  HoverOn(300);  // the point stays, also when the mouse comes back
  EXPECT_EQ(session.Record.PFPoints[kSlotFm], 250);
  EXPECT_EQ(moved.count(), 1);
}

TEST_F(ChartWindow, ZoomsIntoASpanAndBackAcrossTheLogarithmicAxis) {
  Open(400, ViewMode::PF, false);
  Span(100, 300);
  form->ZoomChart(ZoomDirection::In);
  EXPECT_NEAR(session.View.RangeFrom, 1.00, 1e-6);
  EXPECT_NEAR(session.View.RangeTo, 3.00, 1e-6);
  EXPECT_EQ(session.View.RangePoints, 300);
  EXPECT_TRUE(session.ChartCommands.ZoomOutEnabled && !session.ChartCommands.ZoomInEnabled);
  EXPECT_EQ(session.Cursor.SpanStart, 0);
  Click(150);
  EXPECT_EQ(session.Cursor.CursorIndex, 150);
  EXPECT_TRUE(session.Cursor.Lines[kCursorLine].Visible);
  Key(Qt::Key_Home);  // point 1 lies outside the range shown: no line, but its readout
  EXPECT_FALSE(session.Cursor.Lines[kCursorLine].Visible);
  EXPECT_EQ(form->ReadoutText().toStdString(), CursorReadout(session.Record, 1));

  session.View.LogTime = true;  // the toolbar's logarithmic axis, then its linear one
  form->RefreshChart();
  EXPECT_FALSE(session.ChartCommands.ZoomOutEnabled);
  EXPECT_NEAR(session.Frame.XTo, session.Record.TimeMax, 1e-9);
  session.View.LogTime = false;
  form->RefreshChart();
  EXPECT_NEAR(session.Frame.XTo, 3.00, 1e-6);

  form->ZoomChart(ZoomDirection::Out);
  EXPECT_EQ(session.View.AutoRange, 1);
  EXPECT_FALSE(session.ChartCommands.ZoomOutEnabled);
  EXPECT_NEAR(session.Frame.XTo, session.Record.TimeMax, 1e-9);
}

TEST_F(ChartWindow, CursorAndRangeAreKeptInsideTheNextMeasurement) {
  Open(1000, ViewMode::PF, false);
  session.Cursor.CursorIndex = 1000;
  session.View.AutoRange = false;
  session.View.RangeTo = 5;
  Load(session, 300);  // the next file is shorter: no point reaches the kept range's end
  form->RefreshChart();
  EXPECT_EQ(session.Cursor.CursorIndex, 300);
  EXPECT_EQ(session.View.RangePoints, 0);
  Key(Qt::Key_End);
  EXPECT_EQ(session.Cursor.CursorIndex, 0);
  Click(100);
  Key(Qt::Key_Right);

  Span(100, 200);
  ResetState(session);  // nothing loaded: events change nothing
  form->RefreshChart();
  EXPECT_EQ(session.ChartCommands, ChartCommandState{});
  Click(10);
  Key(Qt::Key_End);
  EXPECT_EQ(session.Cursor.CursorIndex, 0);
  test::SetCurves(
      session, 1, [](int) { return 1; }, [](int) { return 1; }, [](int) { return 1; });
  form->RefreshChart();
  Click(1);
  Key(Qt::Key_End);
  Key(Qt::Key_Right);
  EXPECT_LE(session.Cursor.CursorIndex, 1);
  EXPECT_TRUE(feedback.Messages.empty()) << feedback.Messages[0].Text;
}

TEST_F(ChartWindow, ResizingRedrawsOnlyAReadyChartThatIsNotMinimized) {
  Open(100, ViewMode::Both, true);
  EXPECT_EQ(Chart()->Picture().size(), Chart()->size() * Chart()->devicePixelRatioF());
  session.Shell.ChartReady = false;
  form->resize(700, 500);
  QApplication::processEvents();
  EXPECT_NE(Chart()->Picture().size(), Chart()->size() * Chart()->devicePixelRatioF());
  session.Shell.ChartReady = true;
  form->resize(800, 500);
  QApplication::processEvents();
  EXPECT_EQ(Chart()->Picture().size(), Chart()->size() * Chart()->devicePixelRatioF());

  form->setWindowState(Qt::WindowMinimized);
  const QImage before = Chart()->Picture();
  session.View.LogTime = false;
  form->RefreshChart();
  EXPECT_EQ(Chart()->Picture(), before);
}

}  // namespace
}  // namespace tolmek
