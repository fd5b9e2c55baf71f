// The main window driven through its actions, toolbar and keys, with file dialogs and message
// boxes answered by script.
#include "app/AppForm.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
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

#include "analysis/PFResults.h"
#include "app/MeasurementTexts.h"
#include "app/QtSingleInstance.h"
#include "app/Settings.h"
#include "app/ShellCommands.h"
#include "data/Measurement.h"
#include "support/TestSupport.h"
#include "ui/MenuProvider.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;

class ScriptedFileDialogs : public FileDialogs {
 public:
  std::deque<std::vector<std::string>> OpenAnswers;  // empty list: cancel
  std::vector<std::string> OpenFolders;
  std::vector<std::string> ChooseFilesToOpen(const std::string& folder) override {
    OpenFolders.push_back(folder);
    if (OpenAnswers.empty()) return {};
    auto answer = OpenAnswers.front();
    OpenAnswers.pop_front();
    return answer;
  }
  std::optional<std::string> SaveAnswer;
  std::optional<std::string> ChooseFileToSave(const std::string&, const std::string&) override {
    return SaveAnswer;
  }
};

// Long work disables the main window's parts as the window program's feedback does.
class WindowFeedback : public ScriptedFeedback {
 public:
  AppForm* Form = nullptr;
  void SetMainWindowEnabled(bool enabled) override {
    ScriptedFeedback::SetMainWindowEnabled(enabled);
    if (Form) Form->SetWorkEnabled(enabled);
  }
};

class MainWindow : public ::testing::Test {
 protected:
  MainWindow() {
    SetStartValues(session);
    FillResultColumnNames(session.Results);
    session.Shell.ProgramFolder = program.Path();
    for (const char* name : {"a.tmk", "b.tmk", "c.tmk"})
      folder.Write(name, test::NativeMeasurement());
    form = std::make_unique<AppForm>(session, feedback, dialogs);
    feedback.Form = form.get();
    form->show();
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  void Trigger(const char* key) {
    QAction* action = form->Command(key);
    ASSERT_NE(action, nullptr) << key;
    action->trigger();
  }
  bool Enabled(const char* key) { return form->Command(key)->isEnabled(); }
  void Open(const std::string& name) {
    dialogs.OpenAnswers.push_back({folder.File(name)});
    Trigger("open");
  }
  bool Exists(const std::string& name) { return fs::exists(folder.File(name)); }
  int FLResRows() {
    const std::string text = test::Slurp(folder.File("fl.res"));
    return static_cast<int>(std::count(text.begin(), text.end(), '\n')) - 1;
  }

  test::TempFolder folder;
  test::TempFolder program;
  Session session;
  WindowFeedback feedback;
  ScriptedFileDialogs dialogs;
  std::unique_ptr<AppForm> form;
};

TEST_F(MainWindow, OffersOnlyOpenBeforeALoadWhicheverWayACommandIsReached) {
  for (QAction* action : form->Toolbar1()->actions())
    EXPECT_EQ(action->isEnabled(), action == form->Command("open"))
        << action->objectName().toStdString();
  for (const char* key : {"FileAvg", "FileBatch", "FileExit", "HelpAbout"})
    EXPECT_TRUE(Enabled(key));
  EXPECT_FALSE(Enabled("FileSaveASC") || Enabled("ViewRedraw") || Enabled("HelpContents"));
  for (QAction* menu : form->menuBar()->actions())
    EXPECT_EQ(menu->isEnabled(), menu->text() == "&File" || menu->text() == "&Help");
  QTest::keyClick(form.get(), Qt::Key_F5);
  QTest::keyClick(form.get(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(session.View.ViewMode, 0);
  EXPECT_TRUE(feedback.Messages.empty() && feedback.Questions.empty());
}

TEST_F(MainWindow, OpensAFileAndWalksTheFolderSavingTheOutputsOfEachFileLeft) {
  Open("b.tmk");
  ASSERT_EQ(session.Record.CurrentFileName, "b.tmk");
  EXPECT_EQ(session.Options.DataFolder, folder.Path());
  EXPECT_EQ(session.Folder.FileIndex, 1);
  EXPECT_TRUE(Enabled("save") && Enabled("previous") && Enabled("next") && Enabled("FileSaveASC"));
  EXPECT_FALSE(Enabled("set") || Enabled("findmax") || Enabled("zoomin"));
  EXPECT_TRUE(form->Command("viewboth")->isChecked() && form->Command("log")->isChecked());

  QTest::keyClick(form.get(), Qt::Key_F5);
  EXPECT_EQ(session.View.ViewMode, 1);
  EXPECT_TRUE(form->Command("viewpf")->isChecked() && !form->Command("viewboth")->isChecked());
  EXPECT_TRUE(Enabled("set"));

  Trigger("autosave");
  EXPECT_TRUE(form->Command("Options_Autosave")->isChecked());
  Trigger("next");
  EXPECT_EQ(session.Record.CurrentFileName, "c.tmk");
  EXPECT_TRUE(Exists("b.asc"));
  EXPECT_EQ(FLResRows(), 1);
  EXPECT_EQ(session.View.ViewMode, 0);  // a load starts with both curves
  EXPECT_FALSE(Enabled("next"));
  EXPECT_TRUE(Enabled("previous"));
  // One chart window, showing the file now loaded (also once closed windows are gone).
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const auto children = form->MdiArea()->subWindowList();
  ASSERT_EQ(children.size(), 1);
  EXPECT_TRUE(children.front()->isVisible());
  EXPECT_EQ(children.front()->windowTitle(), "c.tmk");

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

TEST_F(MainWindow, ACancelledOpenLeavesTheLoadedFileUnsavedForLater) {
  Open("a.tmk");
  Trigger("autosave");
  Trigger("open");  // cancelled
  EXPECT_EQ(session.Record.CurrentFileName, "a.tmk");
  EXPECT_FALSE(Exists("a.asc"));
  Open("c.tmk");
  EXPECT_TRUE(Exists("a.asc"));
  EXPECT_EQ(dialogs.OpenFolders.back(), folder.Path());
}

TEST_F(MainWindow, ADroppedFileKeepsItsBareNameAndTheFileItReplacesIsSaved) {
  test::TempFolder other;
  const std::string dropped = other.Write("leafname01.tmk", test::NativeMeasurement());
  Open("a.tmk");
  Trigger("autosave");
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
  EXPECT_EQ(session.Options.DataFolder, folder.Path());
  // The dropped file is not in the listing of the walk: neither direction may load another file.
  EXPECT_FALSE(Enabled("previous") || Enabled("next"));
}

TEST_F(MainWindow, BatchStopsAfterAnUnreadableFileWhenToldAndRestoresAutosave) {
  const std::string first = folder.Write("x1.txt", test::AsciiMeasurement());
  const std::string second = folder.Write("x2.txt", test::DecreasingTimes());
  const std::string third = folder.Write("x3.txt", test::AsciiMeasurement());
  Open("a.tmk");
  dialogs.OpenAnswers.push_back({first, second, third});
  feedback.Answers = {Answer::No};
  Trigger("FileBatch");
  EXPECT_EQ(feedback.Questions,
            std::vector<std::string>{"Do you want to continue with the next files?"});
  EXPECT_TRUE(Exists("x1.tmk"));
  EXPECT_FALSE(Exists("x2.tmk") || Exists("x3.tmk") || Exists("a.asc"));
  EXPECT_EQ(session.Options.AutosaveEnabled, 0);
  EXPECT_TRUE(session.Record.CurrentFilePath.empty());
  for (QAction* action : form->Toolbar1()->actions())
    EXPECT_EQ(form->Toolbar1()->widgetForAction(action)->isEnabled(),
              action == form->Command("open"))
        << action->objectName().toStdString();
  // A single chosen file is no batch.
  dialogs.OpenAnswers.push_back({third});
  Trigger("FileBatch");
  EXPECT_FALSE(Exists("x3.tmk"));
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
  EXPECT_EQ(session.Options.SnapMode, 2);
  EXPECT_FALSE(form->Command("OptionsSnap1")->isChecked());
  EXPECT_TRUE(form->Command("OptionsSnap2")->isChecked());
  Trigger("OptionsSnap2");
  EXPECT_EQ(session.Options.SnapMode, 0);
  EXPECT_FALSE(form->Command("OptionsSnap2")->isChecked());

  Trigger("OptionsAdjust");
  Trigger("OptionsKeepPeaks");
  EXPECT_FALSE(Enabled("OptionsAdjust"));
  EXPECT_TRUE(form->Command("OptionsAdjust")->isChecked());
  Trigger("OptionsKeepPeaks");
  EXPECT_TRUE(Enabled("OptionsAdjust"));
}

TEST_F(MainWindow, DoesNotCloseWhileACommandIsUnderWay) {
  Open("a.tmk");
  bool closed = true;
  QTimer::singleShot(0, [&] {
    closed = form->close();
    if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
  });
  Trigger("OptionsChart");
  EXPECT_FALSE(closed);
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(fs::exists(SettingsPath(session)));
}

TEST_F(MainWindow, ExitSavesTheLoadedFileAndWritesTheSettings) {
  Open("a.tmk");
  Trigger("autosave");
  Trigger("FileExit");
  EXPECT_TRUE(Exists("a.asc"));
  Session readBack;
  ReadSettings(readBack, feedback, SettingsPath(session));
  EXPECT_EQ(readBack.Options.AutosaveEnabled, 1);
  EXPECT_EQ(readBack.Options.DataFolder, folder.Path());
  EXPECT_NE(readBack.Options.Window.Width, 0);
  EXPECT_TRUE(feedback.Messages.empty());
}

TEST_F(MainWindow, ClosingTheChartWindowSavesAndLeavesTheMeasurement) {
  Open("a.tmk");
  Trigger("autosave");
  ASSERT_EQ(form->MdiArea()->subWindowList().size(), 1);
  form->MdiArea()->subWindowList().front()->close();
  EXPECT_TRUE(Exists("a.asc"));
  EXPECT_TRUE(session.Record.CurrentFilePath.empty());
  EXPECT_FALSE(Enabled("save") || Enabled("next"));
  Open("b.tmk");  // and the next file gets a chart window again
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(form->MdiArea()->subWindowList().size(), 1);
}

TEST_F(MainWindow, TheJipTestIsOfferedWhereTheSettingsSwitchItOn) {
  Open("a.tmk");
  EXPECT_FALSE(form->Command("ViewJip")->isVisible());
  session.Options.JipTest = 1;
  form->UpdateCommands();
  ASSERT_TRUE(form->Command("ViewJip")->isVisible());
  Trigger("ViewJip");
  auto* text = form->MdiArea()->findChild<QPlainTextEdit*>();
  ASSERT_NE(text, nullptr);
  EXPECT_NE(text->toPlainText().indexOf("Fo"), -1);
}

class ChildWithMenus : public QWidget, public MenuProvider {
 public:
  ChildWithMenus() : menu_("&Grid") {}
  QList<QMenu*> WindowMenus() override { return {&menu_}; }

 private:
  QMenu menu_;
};

TEST_F(MainWindow, AnActiveChildWithMenusOfItsOwnShowsThemInsteadOfTheMainMenus) {
  auto* child = new ChildWithMenus;
  QMdiSubWindow* window = form->MdiArea()->addSubWindow(child);
  window->show();
  form->MdiArea()->setActiveSubWindow(window);
  ASSERT_EQ(form->menuBar()->actions().size(), 1);
  EXPECT_EQ(form->menuBar()->actions().front()->text(), "&Grid");
  window->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(form->menuBar()->actions().size(), 6);
}

TEST_F(MainWindow, ASecondStartHandsItsFileOverToTheRunningOne) {
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
  // Handed over while a command waits in a dialog: the file is loaded only after it.
  QTimer::singleShot(0, [&] {
    EXPECT_TRUE(second.HandOver(QString::fromStdString(folder.File("b c.tmk"))));
    QTest::qWait(300);
    EXPECT_EQ(session.Record.CurrentFileName, "a.tmk");
    if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
  });
  Trigger("OptionsChart");
  QTRY_COMPARE(QString::fromStdString(session.Record.CurrentFileName), QString("b c.tmk"));
  SingleInstance none(QString::fromStdString(program.File("nobody.socket")));
  EXPECT_FALSE(none.HandOver("x", 200));
}

TEST_F(MainWindow, TableWindowsOpenOnceAndBringTheirOwnMenusAndShortcuts) {
  Open("a.tmk");
  Trigger("dfres");
  Trigger("pfres");
  Trigger("dfres");
  ASSERT_EQ(form->MdiArea()->subWindowList().size(), 3);  // the chart and the two tables
  QWidget* df = form->MdiArea()->activeSubWindow()->widget();
  EXPECT_EQ(df->windowTitle(), "DF Min/Max");
  QStringList menus;
  for (QAction* menu : form->menuBar()->actions()) menus << menu->text();
  EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "&Window"}));
  // Ctrl+S in the DF window is its own "Save to DF.RES", not the main window's "Save As".
  df->findChild<QWidget*>("Grid1")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(Exists("df.res"));
}

}  // namespace
}  // namespace tolmek
