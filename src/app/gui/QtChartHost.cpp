// The main window's side of the chart window: made for each loaded file, its commands bound to
// the menus and the toolbar, its closing turned into the autosave and the reset.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "AppForm.h"
#include "analysis/gui/QtTableWindows.h"
#include "app/ShellCommands.h"
#include "chart/gui/MainForm.h"
#include "ui/gui/QtFeedback.h"

using namespace tolmek;

void AppForm::ShowChart() {
  auto* chart = qobject_cast<MainForm*>(chart_.data());
  if (!chart) {
    chart = new MainForm(session_, feedback_);
    QMdiSubWindow* child = mdiArea_->addSubWindow(chart);
    child->setAttribute(Qt::WA_DeleteOnClose);
    connect(chart, &MainForm::CloseRequested, this, &AppForm::ChartClosing);
    connect(chart, &MainForm::CommandStatesChanged, this, &AppForm::UpdateCommands);
    // The table windows follow every point set or moved on the chart.
    connect(chart, &MainForm::PointMoved, tables_, &QtTableWindows::RefreshAll);
    chart_ = chart;
  }
  chart->SetFileStatus(ToQString(WalkPositionText(session_)));
  chart->setWindowTitle(ToQString(session_.Record.CurrentFileName));
  chart->show();
  session_.Shell.ChartReady = 0;
  mdiArea_->tileSubWindows();
  chart->RefreshChart();
  session_.Shell.ChartReady = 1;
}

void AppForm::RefreshChart() {
  if (auto* chart = qobject_cast<MainForm*>(chart_.data())) chart->RefreshChart();
}

void AppForm::FindInSpan(int kind) {
  if (auto* chart = qobject_cast<MainForm*>(chart_.data())) chart->FindInSpan(kind);
}

void AppForm::ZoomChart(int direction) {
  if (auto* chart = qobject_cast<MainForm*>(chart_.data())) chart->ZoomChart(direction);
}

void AppForm::OpenSetDialog() {
  if (auto* chart = qobject_cast<MainForm*>(chart_.data())) chart->OpenSetDialog();
}

void AppForm::OpenPatternDialog() {
  if (auto* chart = qobject_cast<MainForm*>(chart_.data())) chart->OpenPatternDialog();
}
