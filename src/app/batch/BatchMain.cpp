// tolmek-batch: the batch processing of measurement files without windows.
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/batch/BatchCommand.h"

#ifdef TOLMEK_WITH_PLOT
#include <QGuiApplication>
#include <memory>

#include "chart/painting/QtFigure.h"
#include "chart/painting/QtPicture.h"

namespace {

// Qt's own notes (about the platform or the runtime folder) are not the batch's messages.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "tolmek-batch: %s\n", text.toLocal8Bit().constData());
}

// Pictures need Qt's fonts, hence an application; it is made only for --plot, --compare and
// --radar, on the offscreen platform unless another is asked for, so the batch never needs a
// display.
class PicturePainter {
 public:
  bool operator()(tolmek::Session& session, const std::string& path, int width, int height) {
    StartApplication();
    return tolmek::WriteChartPicture(session, path, width, height);
  }
  bool operator()(const std::string& path, int width, int height,
                  const tolmek::BatchEnvironment::FigureDrawing& draw) {
    StartApplication();
    return tolmek::WriteFigure(path, width, height, draw);
  }

 private:
  void StartApplication() {
    if (application_) return;
    qInstallMessageHandler(QuietQtMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }

  int argc_ = 1;
  char name_[13] = "tolmek-batch";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> application_;
};

}  // namespace
#endif

int main(int argc, char* argv[]) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  tolmek::BatchEnvironment environment;
  environment.ProgramFolder = tolmek::ExecutableFolder(argc > 0 ? argv[0] : nullptr);
  environment.ProgressOnTerminal = isatty(fileno(stderr)) != 0;
#ifdef TOLMEK_WITH_PLOT
  PicturePainter painter;
  environment.PaintPicture = std::ref(painter);
  environment.WriteFigure = std::ref(painter);
#endif
  return tolmek::RunBatchCommand(arguments, environment);
}
