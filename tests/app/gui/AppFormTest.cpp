// The main window driven through its actions, toolbar and keys, with file dialogs and message
// boxes answered by script.
#include "app/gui/AppForm.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "MainWindowFixture.h"
#include "analysis/PFResults.h"
#include "app/MeasurementTexts.h"
#include "app/Settings.h"
#include "app/ShellCommands.h"
#include "app/gui/QtSingleInstance.h"
#include "support/TestSupport.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;
using test::MainWindow;

TEST_F(MainWindow, OpensAFileAndWalksTheFolderSavingTheOutputsOfEachFileLeft) {
  Open("b.tmk");
  ASSERT_EQ(session.Record.CurrentFileName, "b.tmk");
  QTest::keyClick(form.get(), Qt::Key_F5);
  EXPECT_EQ(session.View.ViewMode, ViewMode::PF);
  EXPECT_TRUE(Checked("viewpf") && !Checked("viewboth"));

  Trigger("autosave");
  Trigger("next");
  EXPECT_EQ(session.Record.CurrentFileName, "c.tmk");
  EXPECT_TRUE(Exists("b.asc"));
  EXPECT_EQ(FLResRows(), 1);
  EXPECT_EQ(session.View.ViewMode, ViewMode::Both);  // a load starts with both curves
  EXPECT_FALSE(Enabled("next"));
  // One chart window, showing the file now loaded (also once closed windows are gone).
  ASSERT_EQ(Children().size(), 1);
  EXPECT_TRUE(Children().front()->isVisible());
  EXPECT_EQ(Children().front()->windowTitle(), "c.tmk");

  // A file added meanwhile is found, because each step lists the folder again.
  folder.Write("d.tmk", test::NativeMeasurement());
  Trigger("previous");
  Trigger("previous");
  EXPECT_EQ(session.Record.CurrentFileName, "a.tmk");
  EXPECT_FALSE(Enabled("previous"));
  EXPECT_EQ(FLResRows(), 3);  // each time a file is left: b, c, and b again
  fs::remove(folder.File("c.tmk"));
  Trigger("next");
  Trigger("next");
  EXPECT_EQ(session.Record.CurrentFileName, "d.tmk");
  EXPECT_TRUE(feedback.Messages.empty());
}

TEST_F(MainWindow, ADroppedFileIsWalkedInItsOwnFolderAndTheFileItReplacesIsSaved) {
  test::TempFolder other;
  const std::string dropped = other.Write("leafname01.tmk", test::NativeMeasurement());
  other.Write("leafname02.tmk", test::NativeMeasurement());
  OpenAutosaving("a.tmk");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dropped))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.get(), &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.get(), &drop);
  EXPECT_EQ(session.Record.CurrentFilePath, dropped);
  EXPECT_EQ(session.Record.CurrentFileName, "leafname01.tmk");
  EXPECT_TRUE(Exists("a.asc"));
  // As File, Open: its folder becomes the data folder and the walk goes on there.
  EXPECT_EQ(session.Options.DataFolder, other.Path());
  EXPECT_EQ(WalkPositionText(session), "File 1 of 2");
  EXPECT_TRUE(!Enabled("previous") && Enabled("next"));
  Trigger("next");
  EXPECT_EQ(session.Record.CurrentFilePath, other.File("leafname02.tmk"));
  EXPECT_TRUE(fs::exists(other.File("fl.res")));
}

// The batch itself is tested without the window; here: it ends with nothing loaded and only
// "open" (and the Compare window, which needs no loaded file) offered; the other keys do nothing
// then.
TEST_F(MainWindow, BatchEndsWithNothingLoadedAndOnlyOpenOffered) {
  const std::string first = folder.Write("x1.txt", test::AsciiMeasurement());
  const std::string second = folder.Write("x2.txt", test::DecreasingTimes());
  Open("a.tmk");
  dialogs.OpenAnswers.push_back({first, second});
  Trigger("FileBatch");
  EXPECT_TRUE(Exists("x1.tmk"));
  EXPECT_FALSE(Exists("a.asc"));  // the file loaded before is saved only with autosave on
  EXPECT_EQ(session.Options.AutosaveEnabled, 0);
  EXPECT_TRUE(session.Record.CurrentFilePath.empty());
  for (QAction* action : form->Toolbar1()->actions())
    EXPECT_EQ(form->Toolbar1()->widgetForAction(action)->isEnabled(),
              action == form->Command("open") || action == form->Command("compare"))
        << action->objectName().toStdString();
  for (QAction* menu : form->menuBar()->actions())
    EXPECT_EQ(menu->isEnabled(), menu->text() == "&File" || menu->text() == "&Help");
  QTest::keyClick(form.get(), Qt::Key_F5);
  EXPECT_EQ(session.View.ViewMode, ViewMode::Both);
  // A single chosen file is no batch.
  dialogs.OpenAnswers.push_back({folder.File("x1.txt")});
  fs::remove(folder.File("x1.tmk"));
  Trigger("FileBatch");
  EXPECT_FALSE(Exists("x1.tmk"));
}

TEST_F(MainWindow, SaveAsWritesTheChosenFormatAndMakesItTheCurrentPath) {
  Open("a.tmk");
  dialogs.SaveAnswer = folder.File("x.asc");
  Trigger("save");
  EXPECT_EQ(session.Record.CurrentFilePath, folder.File("x.asc"));
  EXPECT_EQ(session.Record.CurrentFileName, "a.tmk");
  EXPECT_EQ(test::Slurp(folder.File("x.asc")).substr(0, 1), "1");  // a table, not a native file
  // Save ASC now forms its names from x.asc: the file exists, so it asks, and No keeps it.
  Trigger("FileSaveASC");
  EXPECT_EQ(feedback.Questions, std::vector<std::string>{kOverwriteQuestion});
  dialogs.SaveAnswer.reset();
  Trigger("save");  // cancelled: nothing changes
  EXPECT_EQ(session.Record.CurrentFilePath, folder.File("x.asc"));
  EXPECT_TRUE(feedback.Messages.empty());
}

TEST_F(MainWindow, SnapIsOneOfThreeOrNoneAndAdjustNeedsKeptPeaks) {
  Open("a.tmk");
  Trigger("OptionsSnap1");
  Trigger("OptionsSnap2");
  EXPECT_EQ(session.Options.SnapMode, DFSnap::Min);
  EXPECT_TRUE(Checked("OptionsSnap2") && !Checked("OptionsSnap1"));
  Trigger("OptionsSnap2");
  EXPECT_EQ(session.Options.SnapMode, DFSnap::Off);
  Trigger("OptionsKeepPeaks");
  EXPECT_FALSE(Enabled("OptionsAdjust"));
  Trigger("OptionsKeepPeaks");
  EXPECT_TRUE(Enabled("OptionsAdjust"));
}

// Every way of leaving a file saves its outputs: another open (not a cancelled one), closing its
// chart window, and the program's exit, which also writes the settings.
TEST_F(MainWindow, LeavingAFileSavesItsOutputsButACancelledOpenDoesNot) {
  OpenAutosaving("a.tmk");
  Trigger("open");  // cancelled
  EXPECT_EQ(session.Record.CurrentFileName, "a.tmk");
  EXPECT_FALSE(Exists("a.asc"));
  EXPECT_EQ(dialogs.LastOpenFolder, folder.Path());
  Open("b.tmk");
  EXPECT_TRUE(Exists("a.asc"));
  ASSERT_EQ(Children().size(), 1);
  Children().front()->close();
  EXPECT_TRUE(Exists("b.asc"));
  EXPECT_TRUE(session.Record.CurrentFilePath.empty());
  EXPECT_FALSE(Enabled("save") || Enabled("next"));
  Open("c.tmk");  // and the next file gets a chart window again
  EXPECT_EQ(Children().size(), 1);
  Trigger("FileExit");
  EXPECT_TRUE(Exists("c.asc"));
  Session readBack;
  ReadSettings(readBack, feedback, SettingsPath(session));
  EXPECT_EQ(readBack.Options.AutosaveEnabled, 1);
  EXPECT_EQ(readBack.Options.DataFolder, folder.Path());
  EXPECT_NE(readBack.Options.Window.Width, 0);
  EXPECT_TRUE(feedback.Messages.empty());
}

// While a command waits in a dialog the window does not close, and a file handed over by a second
// start is loaded only after it.
TEST_F(MainWindow, ASecondStartHandsItsFileOverOnceNoCommandIsUnderWay) {
  const std::string socket = program.File("tolmek.socket");
  SingleInstance running(QString::fromStdString(socket));
  ASSERT_TRUE(running.Listen());
  QObject::connect(&running, &SingleInstance::FileHandedOver, form.get(),
                   [this](const QString& path) {
                     // Loading may wait in message boxes while the second copy has gone.
                     QTest::qWait(200);
                     form->ReceiveHandedOverFile(path);
                   });
  SingleInstance second(QString::fromStdString(socket));
  folder.Write("b c.tmk", test::NativeMeasurement());
  Open("a.tmk");
  bool closed = true;
  QTimer::singleShot(0, [&] {
    closed = form->close();
    EXPECT_TRUE(second.HandOver(QString::fromStdString(folder.File("b c.tmk"))));
    QTest::qWait(300);
    EXPECT_EQ(session.Record.CurrentFileName, "a.tmk");
    if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
  });
  Trigger("OptionsChart");
  EXPECT_FALSE(closed);
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(fs::exists(SettingsPath(session)));
  QTRY_COMPARE(QString::fromStdString(session.Record.CurrentFileName), QString("b c.tmk"));
  SingleInstance none(QString::fromStdString(program.File("nobody.socket")));
  EXPECT_FALSE(none.HandOver("x", 200));
}

TEST_F(MainWindow, ChildWindowsOpenOnceAndBringTheirOwnMenusAndShortcutsWhileActive) {
  Open("a.tmk");
  QMdiSubWindow* chart = Children().front();
  Trigger("dfres");
  Trigger("pfres");
  Trigger("dfres");
  ASSERT_EQ(Children().size(), 3);  // the chart and the two tables
  QWidget* df = form->MdiArea()->activeSubWindow()->widget();
  EXPECT_EQ(df->windowTitle(), "DF Min/Max");
  QStringList menus;
  for (QAction* menu : form->menuBar()->actions()) menus << menu->text();
  EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "&Window"}));
  // Ctrl+S in the DF window is its own "Save to DF.RES", not the main window's "Save As".
  df->findChild<QWidget*>("Grid1")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(Exists("df.res"));
  form->MdiArea()->setActiveSubWindow(chart);
  EXPECT_EQ(form->menuBar()->actions().size(), 6);

  ASSERT_FALSE(form->Command("ViewJip")->isVisible());
  session.Options.JipTest = true;
  form->UpdateCommands();
  Trigger("ViewJip");
  auto* text = form->MdiArea()->findChild<QPlainTextEdit*>();
  ASSERT_NE(text, nullptr);
  EXPECT_NE(text->toPlainText().indexOf("Fo"), -1);
}

}  // namespace
}  // namespace tolmek
