// The main window's side of the chart window: made for each loaded file, its commands bound to
// the menus and the toolbar, its closing turned into the autosave and the reset.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "AppForm.h"
#include "analysis/gui/QtTableWindows.h"
#include "app/ShellCommands.h"
#include "chart/gui/ChartWidget.h"
#include "chart/gui/MainForm.h"
#include "compare/gui/CompareWindow.h"
#include "ui/gui/QtFeedback.h"

using namespace tolmek;

MainForm* AppForm::ChartWindow() const {
  return qobject_cast<MainForm*>(chart_.data());
}

void AppForm::ShowChart() {
  MainForm* chart = ChartWindow();
  if (!chart) {
    chart = new MainForm(session_, feedback_);
    chart->Chart()->AdoptPictureMemory(std::exchange(chartPicture_, QImage()));
    QMdiSubWindow* child = mdiArea_->addSubWindow(chart);
    child->setAttribute(Qt::WA_DeleteOnClose);
    connect(chart, &MainForm::CloseRequested, this, &AppForm::ChartClosing);
    connect(chart, &MainForm::CommandStatesChanged, this, &AppForm::UpdateCommands);
    // The table windows follow every point set or moved on the chart.
    connect(chart, &MainForm::PointMoved, tables_, &QtTableWindows::RefreshAll);
    connect(chart->Chart(), &ChartWidget::PicturePainted, this, &AppForm::ChartPainted);
    connect(chart, &MainForm::PointMoved, this, [this] {
      if (compare_) compare_->Refresh();
    });
    chart_ = chart;
  }
  chart->SetFileStatus(ToQString(WalkPositionText(session_)));
  chart->setWindowTitle(ToQString(session_.Record.CurrentFileName));
  chart->show();
  // Tiling resizes the chart window, which redraws on a resize once the chart is ready: it is
  // ready only after the one full refresh that follows.
  session_.Shell.ChartReady = false;
  mdiArea_->tileSubWindows();
  chart->RefreshChart();
  session_.Shell.ChartReady = true;
}

// The chart window redrawn, when one is open.
void AppForm::RefreshOpenChart() {
  if (MainForm* chart = ChartWindow()) chart->RefreshChart();
}
