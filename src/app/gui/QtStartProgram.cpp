#include "QtStartProgram.h"

#include <time.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>

#include "Aboutfrm.h"
#include "AppForm.h"
#include "QtIcons.h"
#include "QtSingleInstance.h"
#include "analysis/PFResults.h"
#include "analysis/gui/QtTableWindows.h"
#include "app/Settings.h"
#include "data/Measurement.h"
#include "ui/gui/QtFeedback.h"
#include "ui/gui/QtFileDialogs.h"

using namespace tolmek;

std::string SettingsFolder(const QString& programFolder) {
  const std::string folder = ChooseSettingsFolder(ToStdString(programFolder));
  QDir().mkpath(ToQString(folder));
  return folder;
}

QString CommandLinePath(const QStringList& arguments) {
  const QString joined = arguments.mid(1).join(' ');
  if (joined.isEmpty()) return {};
  return QFileInfo(joined).absoluteFilePath();
}

namespace {

constexpr const char* kUsage =
    "Usage: tolmek [FILE]\n"
    "       tolmek --help | --version\n"
    "\n"
    "Opens the window program and loads the measurement FILE (.dat, .tmk, .asc or .txt) when one\n"
    "is given. The whole command line is one path, blanks included. When a copy of the program\n"
    "is already running, the file is handed to it instead.\n";
// TOLMEK_VERSION is the project's version, given by the build.
constexpr const char* kVersion = "tolmek " TOLMEK_VERSION "\n";

using StartupClock = std::chrono::steady_clock;
std::optional<StartupClock::time_point> mainEntered;

// Seconds since the process started, from the kernel's start time of the process (in clock ticks,
// a hundredth of a second on Linux) and the time since boot; nothing where it cannot be read.
std::optional<double> SecondsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  // The fields after the command name (which may hold spaces) in its parentheses.
  const size_t close = text.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  for (int i = 3; i <= 22 && fields >> field; ++i) {
    if (i < 22) continue;
    timespec now{};
    const long ticks = sysconf(_SC_CLK_TCK);
    if (ticks <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) return std::nullopt;
    const double started = std::stod(field) / static_cast<double>(ticks);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9 - started;
  }
  return std::nullopt;
}

// Reports the start-up once the first chart is painted.
void WatchFirstChart(AppForm& form) {
  if (!mainEntered) return;
  const bool quit = qgetenv("TOLMEK_STARTUP_TIMING") == "quit";
  auto connection = std::make_shared<QMetaObject::Connection>();
  *connection = QObject::connect(&form, &AppForm::ChartPainted, &form, [connection, quit] {
    QObject::disconnect(*connection);
    const double sinceMain =
        std::chrono::duration<double>(StartupClock::now() - *mainEntered).count();
    const std::optional<double> sinceStart = SecondsSinceProcessStart();
    std::fprintf(stderr,
                 "tolmek: start-up: the chart was painted %.3f s after the process started "
                 "(%.3f s after main)\n",
                 sinceStart.value_or(sinceMain), sinceMain);
    if (quit) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  });
}

void ShowSplash(Aboutfrm& splash) {
  splash.setWindowFlag(Qt::SplashScreen);
  splash.adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    splash.move(area.center() - QPoint(splash.width() / 2, splash.height() / 2));
  }
  splash.show();
  splash.repaint();
  QCoreApplication::processEvents();
}

}  // namespace

std::string CommandLineAnswer(const QStringList& arguments) {
  const QString line = arguments.mid(1).join(' ');
  if (line != "--help" && line != "--version") return {};
  if (QFileInfo::exists(CommandLinePath(arguments))) return {};
  return line == "--help" ? kUsage : kVersion;
}

int StartProgram(QApplication& application) {
  const QString path = CommandLinePath(QCoreApplication::arguments());
  SingleInstance instance;
  if (instance.HandOver(path)) return 0;
  instance.Listen();

  QApplication::setWindowIcon(ProgramIcon());
  QApplication::setOverrideCursor(Qt::WaitCursor);
  Aboutfrm splash;
  ShowSplash(splash);

  Session session;
  QtFeedback feedback;
  QtFileDialogs dialogs;
  try {
    tolmek::ResetState(session);
    SetStartValues(session);
    FillResultColumnNames(session.Results);
    session.Shell.ProgramFolder = SettingsFolder(QCoreApplication::applicationDirPath());
  } catch (const std::exception& error) {
    QApplication::restoreOverrideCursor();
    feedback.ShowMessage(error.what(), MessageIcon::Critical, {});
    return 1;
  }
  AppForm form(session, feedback, dialogs);
  feedback.SetParent(&form);
  feedback.SetEnableHook([&form](bool enabled) { form.SetWorkEnabled(enabled); });
  // A recording whose header gains are out of range asks in the amplification dialog.
  feedback.SetGainHook(
      [&form](const GainQuestion& question) { return form.Tables().AskGains(question); });
  dialogs.SetParent(&form);
  form.StoreGeometry();  // a settings file made now holds the designed placement
  ReadSettings(session, feedback, SettingsPath(session));
  form.ApplyStoredGeometry();
  form.UpdateCommands();
  form.show();
  splash.hide();
  QApplication::restoreOverrideCursor();
  QObject::connect(&instance, &SingleInstance::FileHandedOver, &form,
                   &AppForm::ReceiveHandedOverFile);
  WatchFirstChart(form);
  form.LoadCommandLineFile(path);
  return application.exec();
}

void StartStartupClock() {
  if (!qEnvironmentVariableIsEmpty("TOLMEK_STARTUP_TIMING")) mainEntered = StartupClock::now();
}
