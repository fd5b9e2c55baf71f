// The window program. Until the full main window arrives it opens the measurement named on the
// command line in the chart window.
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <string>

#include "analysis/PFResults.h"
#include "app/Autosave.h"
#include "app/BatchCommand.h"
#include "app/LoadSequence.h"
#include "app/Settings.h"
#include "chart/MainForm.h"
#include "data/FileIO.h"
#include "data/Measurement.h"
#include "ui/ConsoleFeedback.h"

namespace {

// Messages in message boxes; the rest as on the console.
class MessageBoxFeedback : public tolmek::ConsoleFeedback {
 public:
  MessageBoxFeedback() : ConsoleFeedback(stderr, false) {}
  void ShowMessage(const std::string& text, tolmek::MessageIcon icon,
                   const std::string& title) override {
    QMessageBox box(
        icon == tolmek::MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
        QString::fromStdString(title), QString::fromStdString(text));
    box.exec();
  }
};

// The chart's commands until the full menus arrive: the curves shown, the time axis, zoom and the
// point dialogs.
void AddChartMenu(QMainWindow& window, tolmek::Session& session, tolmek::MainForm& chart) {
  QMenu* menu = window.menuBar()->addMenu("&View");
  auto viewMode = [&session, &chart](int16_t mode) {
    return [&session, &chart, mode] {
      session.View.ViewMode = mode;
      chart.RefreshChart();
    };
  };
  auto logTime = [&session, &chart](int16_t log) {
    return [&session, &chart, log] {
      session.View.LogTime = log;
      chart.RefreshChart();
    };
  };
  menu->addAction("&PF Curve", QKeySequence("Ctrl+1"), viewMode(1));
  menu->addAction("&DF Curve", QKeySequence("Ctrl+2"), viewMode(2));
  menu->addAction("&Both Curves", QKeySequence("Ctrl+3"), viewMode(0));
  menu->addAction("&Linear", QKeySequence("Ctrl+L"), logTime(0));
  menu->addAction("L&ogarithmic", QKeySequence("Ctrl+G"), logTime(1));
  QAction* zoomIn =
      menu->addAction("Zoom &In", QKeySequence("Ctrl+I"), [&chart] { chart.ZoomChart(1); });
  QAction* zoomOut =
      menu->addAction("Zoom &Out", QKeySequence("Ctrl+U"), [&chart] { chart.ZoomChart(2); });
  menu->addAction("&Set Min/Max", QKeySequence("Ctrl+S"), [&chart] { chart.OpenSetDialog(); });
  menu->addAction("&DF Pattern...", QKeySequence("Ctrl+P"),
                  [&chart] { chart.OpenPatternDialog(); });
  auto enable = [&session, zoomIn, zoomOut] {
    zoomIn->setEnabled(session.ChartCommands.ZoomInEnabled);
    zoomOut->setEnabled(session.ChartCommands.ZoomOutEnabled);
  };
  QObject::connect(&chart, &tolmek::MainForm::CommandStatesChanged, enable);
  enable();
}

// The whole command line is the path of one measurement.
std::string CommandLinePath(int argc, char* argv[]) {
  std::string path;
  for (int i = 1; i < argc; ++i) path += (i > 1 ? " " : "") + std::string(argv[i]);
  return path;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  tolmek::Session session;
  MessageBoxFeedback feedback;
  tolmek::SetStartValues(session);
  session.Shell.ProgramFolder = tolmek::ExecutableFolder(argv[0]);
  if (tolmek::FileExists(tolmek::SettingsPath(session)))
    tolmek::ReadSettings(session, feedback, tolmek::SettingsPath(session));
  tolmek::FillResultColumnNames(session.Results);

  QMainWindow window;
  window.setWindowTitle("Tolmek32");
  auto* area = new QMdiArea(&window);
  window.setCentralWidget(area);
  window.resize(1000, 700);
  auto* chart = new tolmek::MainForm(session, feedback);
  QMdiSubWindow* child = area->addSubWindow(chart);
  QObject::connect(chart, &tolmek::MainForm::CloseRequested, [&session, &feedback] {
    tolmek::AutosaveOutputs(session, feedback);
    tolmek::ResetState(session);
  });
  AddChartMenu(window, session, *chart);
  window.show();

  const std::string path = CommandLinePath(argc, argv);
  if (!path.empty()) {
    session.Record.CurrentFilePath = path;
    session.Record.CurrentFileName = tolmek::FileNameOf(path);
    session.Options.DataFolder = tolmek::FolderOf(path);
    if (tolmek::LoadCurrentFile(session, feedback) == tolmek::ReadOutcome::Loaded)
      child->setWindowTitle(QString::fromStdString(session.Record.CurrentFileName));
  }
  child->showMaximized();
  session.Shell.ChartReady = 0;
  chart->RefreshChart();
  session.Shell.ChartReady = 1;
  return application.exec();
}
