// The folder walk as users go through it: between folders, after Save As and averaging, with
// files that vanish, from the keyboard; and the result files each folder gets.
#include <QAccessible>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>

#include <cstdio>
#include <filesystem>

#include "MainWindowFixture.h"
#include "analysis/gui/Avgform.h"
#include "app/ShellCommands.h"
#include "app/batch/BatchCommand.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;
using test::MainWindow;
using test::Slurp;
using test::Split;
using test::TempFolder;

using FolderWalk = MainWindow;

std::string Example(const std::string& name) {
  return Slurp(std::string(TOLMEK_EXAMPLES_DIR) + "/" + name);
}

QString FileStatus(AppForm& form) {
  // The chart window shows it; a chart window that was closed may not be deleted yet.
  QStringList shown;
  for (const QLabel* label : form.findChildren<QLabel*>("fileStatus"))
    if (label->isVisible()) shown << label->text();
  return shown.size() == 1 ? shown.front() : QString("(%1 status labels)").arg(shown.size());
}

// ---- The window batch writes what tolmek-batch writes ----

class BatchAgreement : public MainWindow {
 protected:
  static constexpr const char* kFiles[] = {"leaf01.asc", "leaf02.asc", "rec05.dat", "leaf04.tmk"};

  // The same measurements in two folders, one for each program.
  BatchAgreement() {
    for (const char* name : kFiles) {
      windowFolder.Write(name, Example(name));
      consoleFolder.Write(name, Example(name));
    }
  }

  void RunWindowBatch() {
    std::vector<std::string> paths;
    for (const char* name : kFiles) paths.push_back(windowFolder.File(name));
    dialogs.OpenAnswers.push_back(paths);
    Trigger("FileBatch");
  }

  // tolmek-batch over the same files with the window's settings.
  void RunConsoleBatch() {
    const std::string settings = program.Write("batch.ini", SettingsText(session));
    std::vector<std::string> arguments = {"--settings", settings};
    for (const char* name : kFiles) arguments.push_back(consoleFolder.File(name));
    std::FILE* err = std::tmpfile();
    const BatchEnvironment environment{
        .ProgramFolder = program.Path(), .Out = err, .Err = err, .PaintPicture = {}};
    EXPECT_EQ(RunBatchCommand(arguments, environment), kExitAllProcessed);
    std::fclose(err);
  }

  // Every file the two runs wrote, by name (the inputs are the same on both sides).
  std::vector<std::string> Outputs() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(consoleFolder.Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder windowFolder;
  TempFolder consoleFolder;
};

TEST_F(BatchAgreement, ByteForByteWhateverWasLoadedFromAnotherFolder) {
  // A file without DF peaks, loaded from another folder with autosave on.
  folder.Write("x.asc", test::AsciiMeasurement());
  OpenAutosaving("x.asc");
  RunWindowBatch();
  RunConsoleBatch();
  const std::vector<std::string> names = Outputs();
  for (const char* expected : {"fl.res", "df.res", "leaf01.tmk", "rec05.asc", "leaf04.asc"})
    EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(fs::exists(windowFolder.File(name)));
    EXPECT_EQ(Slurp(windowFolder.File(name)), Slurp(consoleFolder.File(name)));
  }
  // The loaded file's row went to its own folder only.
  EXPECT_EQ(Slurp(windowFolder.File("fl.res")).find("x.asc"), std::string::npos);
  EXPECT_NE(Slurp(folder.File("fl.res")).find("x.asc"), std::string::npos);
}

// The DF fields of a row: I1/Fo and I4/Fm, then I1..D6.
constexpr size_t kFirstDFField = 14;

TEST_F(BatchAgreement, KeptDFPeaksOfTheLoadedFileAreTheOnlyDifference) {
  session.Options.OptionsKeepPeaks = 1;
  OpenAutosaving("a.tmk");  // wave 1 set
  RunWindowBatch();
  RunConsoleBatch();
  // The peaks carry into the batch's first file and on through the files that set none of their
  // own (the ASCII tables and the recording); the native file brings its own. Only the DF peak
  // fields differ; the PF values and the curves are the same.
  const std::vector<std::string> window = Split(Slurp(windowFolder.File("fl.res")), '\n');
  const std::vector<std::string> console = Split(Slurp(consoleFolder.File("fl.res")), '\n');
  ASSERT_EQ(window.size(), 6u);  // the heading, four rows and the end
  ASSERT_EQ(console.size(), 6u);
  EXPECT_EQ(window[0], console[0]);
  for (size_t row = 1; row <= 3; ++row) {
    const std::vector<std::string> w = Split(window[row], '\t');
    const std::vector<std::string> c = Split(console[row], '\t');
    ASSERT_EQ(w.size(), c.size());
    EXPECT_TRUE(std::equal(w.begin(), w.begin() + kFirstDFField, c.begin())) << window[row];
    EXPECT_FALSE(std::equal(w.begin() + kFirstDFField, w.end(), c.begin() + kFirstDFField));
  }
  EXPECT_EQ(window[4], console[4]);  // leaf04.tmk, with peaks of its own
  for (const char* name : {"rec05.asc", "leaf04.asc"})
    EXPECT_EQ(Slurp(windowFolder.File(name)), Slurp(consoleFolder.File(name))) << name;
  // The native outputs differ in the DF pairs at their end only.
  for (const char* name : {"leaf01.tmk", "rec05.tmk"}) {
    std::vector<std::string> w = Split(Slurp(windowFolder.File(name)), '\n');
    std::vector<std::string> c = Split(Slurp(consoleFolder.File(name)), '\n');
    ASSERT_EQ(w.size(), c.size()) << name;
    EXPECT_NE(w, c) << name;
    w.resize(w.size() - 7);  // the six DF pairs and the end
    c.resize(c.size() - 7);
    EXPECT_EQ(w, c) << name;
  }
  EXPECT_EQ(Slurp(windowFolder.File("fl.res")).find("a.tmk"), std::string::npos);
}

// ---- The walk goes on ----

TEST_F(FolderWalk, SaveAsIntoAnotherFolderLeavesTheWalkWhereItWas) {
  TempFolder other;
  Open("b.tmk");
  dialogs.SaveAnswer = other.File("x.asc");
  Trigger("FileSaveAS");
  ASSERT_TRUE(fs::exists(other.File("x.asc")));
  EXPECT_TRUE(Enabled("previous") && Enabled("next"));
  EXPECT_EQ(FileStatus(*form), "File 2 of 3");
  Trigger("next");
  EXPECT_EQ(session.Record.CurrentFilePath, folder.File("c.tmk"));
}

TEST_F(FolderWalk, AveragingAnotherFolderLeavesTheWalkWhereItWas) {
  TempFolder other;
  for (const char* name : {"leaf01.asc", "leaf02.asc"}) other.Write(name, Example(name));
  Open("b.tmk");
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<Avgform*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->SetFolder(QString::fromStdString(other.Path()));
    QTest::mouseClick(dialog->findChild<QPushButton*>("OKbtn"), Qt::LeftButton);
  });
  Trigger("FileAvg");
  ASSERT_TRUE(fs::exists(other.File("leaf0!.avg")));
  EXPECT_TRUE(Enabled("previous") && Enabled("next"));
  EXPECT_EQ(FileStatus(*form), "File 2 of 3");
  Trigger("next");
  EXPECT_EQ(session.Record.CurrentFilePath, folder.File("c.tmk"));
}

TEST_F(FolderWalk, AFileThatLeftItsFolderIsNamedAndTheWalkGoesOnByName) {
  folder.Write("d.tmk", test::NativeMeasurement());
  Open("b.tmk");
  fs::remove(folder.File("b.tmk"));
  Trigger("next");
  EXPECT_EQ(session.Record.CurrentFilePath, folder.File("c.tmk"));
  ASSERT_EQ(feedback.Messages.size(), 1u);
  EXPECT_EQ(feedback.Messages[0].Text,
            "b.tmk is no longer in " + folder.Path() + ". The walk goes on by name with c.tmk.");
  EXPECT_EQ(FileStatus(*form), "File 2 of 3");  // a, c, d

  // Nothing left before it: the message says so, the status shows where the file stands, and
  // the other direction still goes on by name.
  fs::remove(folder.File("a.tmk"));
  fs::remove(folder.File("c.tmk"));
  Trigger("previous");
  EXPECT_EQ(session.Record.CurrentFileName, "c.tmk");
  ASSERT_EQ(feedback.Messages.size(), 2u);
  EXPECT_EQ(feedback.Messages[1].Text,
            "c.tmk is no longer in " + folder.Path() + ". No *.tmk file comes before it by name.");
  EXPECT_EQ(FileStatus(*form), "Not in its folder's list");
  EXPECT_FALSE(Enabled("previous"));
  ASSERT_TRUE(Enabled("next"));
  Trigger("next");
  EXPECT_EQ(session.Record.CurrentFileName, "d.tmk");
  EXPECT_EQ(FileStatus(*form), "File 1 of 1");
}

TEST_F(FolderWalk, ACommandLineOrHandedOverFileIsWalkedInItsFolder) {
  TempFolder other;
  for (const char* name : {"p 1.tmk", "p 2.tmk", "p 3.tmk"})
    other.Write(name, test::NativeMeasurement());
  form->LoadCommandLineFile(QString::fromStdString(other.File("p 2.tmk")));
  EXPECT_EQ(session.Options.DataFolder, other.Path());
  EXPECT_EQ(FileStatus(*form), "File 2 of 3");
  EXPECT_TRUE(Enabled("previous") && Enabled("next"));

  form->ReceiveHandedOverFile(QString::fromStdString(folder.File("c.tmk")));
  EXPECT_EQ(session.Options.DataFolder, folder.Path());
  EXPECT_EQ(FileStatus(*form), "File 3 of 3");
  Trigger("previous");
  EXPECT_EQ(session.Record.CurrentFileName, "b.tmk");
}

TEST_F(FolderWalk, AltLeftAndAltRightStepAndTheButtonsSayTheirKeys) {
  Open("b.tmk");
  QTest::keyClick(form.get(), Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(session.Record.CurrentFileName, "c.tmk");
  QTest::keyClick(form.get(), Qt::Key_Left, Qt::AltModifier);
  QTest::keyClick(form.get(), Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(session.Record.CurrentFileName, "a.tmk");
  const QWidget* next = form->Toolbar1()->widgetForAction(form->Command("next"));
  EXPECT_TRUE(next->toolTip().contains("Alt+Right")) << next->toolTip().toStdString();
  EXPECT_TRUE(next->isEnabled());
}

// ---- Toggles, whichever way they are pressed ----

TEST_F(FolderWalk, AnAccessibilityToggleOfTheTimeAxisLeavesExactlyOneCheckedAndTheAxisFollowing) {
  Open("b.tmk");
  const auto press = [&](const char* key) {
    QWidget* button = form->Toolbar1()->widgetForAction(form->Command(key));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(accessible, nullptr);
    ASSERT_NE(accessible->actionInterface(), nullptr);
    accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  };
  const bool before = session.View.LogTime;
  press(before ? "linear" : "log");
  EXPECT_NE(session.View.LogTime, before);
  EXPECT_NE(Checked("linear"), Checked("log"));
  EXPECT_EQ(Checked("log"), session.View.LogTime != 0);
  press(before ? "log" : "linear");
  EXPECT_EQ(session.View.LogTime, before);
  EXPECT_NE(Checked("linear"), Checked("log"));
  EXPECT_EQ(Checked("log"), session.View.LogTime != 0);
  // Toggling the checked one off again keeps the axis and the pair as they are.
  press(before ? "log" : "linear");
  EXPECT_EQ(session.View.LogTime, before);
  EXPECT_NE(Checked("linear"), Checked("log"));

  press("viewdf");
  EXPECT_EQ(session.View.ViewMode, ViewMode::DF);
  EXPECT_TRUE(Checked("viewdf") && !Checked("viewpf") && !Checked("viewboth"));
}

TEST_F(FolderWalk, TheOptionsMenuSwitchesTheJipTestAndItsViewCommand) {
  Open("b.tmk");
  EXPECT_FALSE(form->Command("ViewJip")->isVisible());
  Trigger("OptionsJipTest");
  EXPECT_NE(session.Options.JipTest, 0);
  EXPECT_TRUE(Checked("OptionsJipTest"));
  EXPECT_TRUE(form->Command("ViewJip")->isVisible());
  // Opened from the View menu, the JIP-test window shows its whole text.
  Trigger("ViewJip");
  auto* text = form->findChild<QPlainTextEdit*>("Text1");
  ASSERT_NE(text, nullptr);
  QApplication::processEvents();
  EXPECT_GT(text->document()->blockCount(), 20);
  EXPECT_EQ(text->verticalScrollBar()->maximum(), 0) << text->width() << "x" << text->height();
  EXPECT_EQ(text->horizontalScrollBar()->maximum(), 0);
  Trigger("OptionsJipTest");
  EXPECT_EQ(session.Options.JipTest, 0);
  EXPECT_FALSE(form->Command("ViewJip")->isVisible());

  // Strip file name, which the results averaging needs, is switched in the same menu and names
  // the rows of the files loaded from then on.
  folder.Write("leaf0123.tmk", test::NativeMeasurement());
  Trigger("OptionsStripFileName");
  EXPECT_EQ(session.Options.StripFileName, 1);
  EXPECT_TRUE(Checked("OptionsStripFileName"));
  Trigger("next");
  Trigger("next");
  ASSERT_EQ(session.Record.CurrentFileName, "leaf0123.tmk");
  EXPECT_EQ(session.Results.Cell(session.Results.ResultRow, 0), "leaf0123");
}

}  // namespace
}  // namespace tolmek
