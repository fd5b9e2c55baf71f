// The window program. Until the full main window arrives it opens the measurement named on the
// command line in the chart window.
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <string>

#include "analysis/PFResults.h"
#include "app/Autosave.h"
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
