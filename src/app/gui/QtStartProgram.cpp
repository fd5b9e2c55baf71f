#include "QtStartProgram.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QStandardPaths>
#include <exception>

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
  form.LoadCommandLineFile(path);
  return application.exec();
}

void KeepPictureMemory() {
#ifdef __GLIBC__
  // Blocks up to 32 MB (the most glibc allows) come from the heap instead of mappings of their own,
  // which are returned to the system when freed.
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
#endif
}
