// The chart window: the drawing area, the status bar with the cursor's readout, and the mouse and
// keys that move the cursor, mark spans, drag set points and open the point selection dialogs. It
// never calls the main window: it signals what happened.
#pragma once

#include <QWidget>
#include "chart/ChartCursor.h"
#include "chart/ChartDrawing.h"
#include "chart/ChartPointer.h"
#include "data/Session.h"
#include "ui/CommandGuard.h"
#include "ui/Feedback.h"

class QLabel;
class QStatusBar;

namespace tolmek {

class ChartWidget;
class SelectPFPeak;
class SelectDFPeak;

class MainForm : public QWidget {
  Q_OBJECT

 public:
  MainForm(Session& session, Feedback& feedback, QWidget* parent = nullptr);
  ~MainForm() override;

  // The full redraw: the zoom commands, the chart, and the cursor line back on its point.
  void RefreshChart();
  // The whole chart, or the markers over it.
  void DrawChart(ChartDrawMode mode);

  // The commands the main window binds to its menu items and toolbar buttons; their enabled
  // states are in Session.ChartCommands.
  void FindInSpan(FindKind kind);
  void ZoomChart(ZoomDirection direction);
  void OpenSetDialog();
  void OpenPatternDialog();

  QString ReadoutText() const;
  // Panel 2 of the status bar ("File 3 of 12").
  void SetFileStatus(const QString& text);

  // The point selection dialogs; without these calls the chart window makes its own. The main
  // window may share one SelectDFPeak between the chart and its "&DF Pattern..." command.
  void SetPointDialogs(SelectPFPeak* pfDialog, SelectDFPeak* dfDialog);
  SelectPFPeak& PFDialog();
  SelectDFPeak& DFDialog();

  ChartWidget* Chart() const { return chart_; }
  QStatusBar* StatusBar1 = nullptr;

 signals:
  void CloseRequested();
  void PointMoved();
  void CommandStatesChanged();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Runs a handler's logic through the command guard, then shows the state it left, failed or
  // not.
  template <typename Handler>
  void RunAndShowState(Handler handler) {
    RunReportingFailure(feedback_, handler);
    ShowState();
  }
  // The readout, the lines, the pointer and the command states as the Session holds them.
  void ShowState();
  bool Minimized() const;
  void OpenDialogOfCurve();
  void ConnectDialog(class PointSelectionDialog* dialog);
  void MousePressed(Qt::MouseButton button, double x);
  void MouseMoved(Qt::MouseButtons buttons, double x);
  void MouseReleased(double x, bool inside);
  void ShowCursorAt(int index);

  Session& session_;
  Feedback& feedback_;
  ChartWidget* chart_ = nullptr;
  QLabel* readout_ = nullptr;
  QLabel* fileStatus_ = nullptr;
  ChartPointer pointer_;
  SelectPFPeak* pfDialog_ = nullptr;
  SelectDFPeak* dfDialog_ = nullptr;
  ChartCommandState shownCommands_;
};

}  // namespace tolmek
