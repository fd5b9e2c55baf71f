// The main window: a frame of child windows (the chart and the tables) with the menus and the
// toolbar of every command. The commands are described in one table (QtAppCommands.cpp); which of
// them are available is a function of the Session, recomputed after each command.
#pragma once

#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <vector>

#include "data/Session.h"
#include "ui/Feedback.h"
#include "ui/FileDialogs.h"

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class Optionsfrm;
class Infofrm;
namespace tolmek {
class QtTableWindows;
}

class AppForm : public QMainWindow {
  Q_OBJECT

 public:
  AppForm(tolmek::Session& session, tolmek::Feedback& feedback, tolmek::FileDialogs& dialogs,
          QWidget* parent = nullptr);
  ~AppForm() override;

  // The action of a command by its menu control name or toolbar key ("FileOpen", "viewpf").
  QAction* Command(const QString& key) const;
  QToolBar* Toolbar1() const { return toolbar_; }
  QMdiArea* MdiArea() const { return mdiArea_; }
  tolmek::Session& SessionState() { return session_; }
  // The table windows and the dialogs of the analysis (the amplification dialog also answers the
  // readers' gain question).
  tolmek::QtTableWindows& Tables() { return *tables_; }

  // The window side of loading CurrentFilePath: reset, read, then enable and draw.
  void LoadCurrentFile();
  // The window side of the reset: child windows closed, commands of a loaded file disabled.
  void ResetState();
  // A file dropped on the window.
  void LoadDroppedFile(const QString& path);
  // A file handed over by a second start: loaded once no command is running (a batch or a
  // dialog may be waiting for the event loop), then the window comes to the front.
  void ReceiveHandedOverFile(const QString& path);
  // Brings the window to the front (a second start asked for it).
  void BringToFront();

  // Placement as stored in the settings file.
  void ApplyStoredGeometry();
  void StoreGeometry();

  // Recomputes every command's enabled and checked state from the Session.
  void UpdateCommands();
  // Long work disables the menus, the toolbar and the child windows (not the progress window).
  void SetWorkEnabled(bool enabled);
  // The file named on the command line (the whole text is one path).
  void LoadCommandLineFile(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // One row of the command table: a menu item, a toolbar button or both sharing one action.
  struct CommandEntry {
    QString Key;         // menu control name, or the toolbar key of a toolbar-only command
    QString ToolbarKey;  // the toolbar button running the same command ("" none)
    QString Caption;     // menu caption ("" toolbar only)
    QKeySequence Shortcut;
    QString ToolTip;
    bool NeedsMeasurement = true;
    std::function<void(AppForm&)> Handler;
    std::function<bool(const tolmek::Session&)> Enabled;  // further rule; empty: none
    std::function<bool(const tolmek::Session&)> Checked;  // empty: not checkable
  };
  struct MenuLayout {
    QString Caption;
    QString Name;
    QStringList Keys;  // "-" is a separator
  };
  static const std::vector<CommandEntry>& CommandTable();
  static const std::vector<MenuLayout>& MenuTable();
  static const QStringList& ToolbarKeys();
  void BuildCommands();
  void BuildMenus();
  void RestoreOwnMenus();
  void ChildActivated(QMdiSubWindow* window);
  void FillWindowMenu();
  void Run(const CommandEntry& entry);
  void Guarded(const std::function<void()>& work);
  void CloseChildren(QWidget* except);

  // Commands (QtAppCommands.cpp).
  void FileOpen_Click();
  void FileSaveAS_Click();
  void FileSaveASC_Click();
  void FileAvg_Click();
  void FileBatch_Click();
  void ViewInfo_Click();
  void FileExit_Click();
  void View_Click(int index);
  void ViewRedraw_Click();
  void Math_Click(int index);
  void OptionsSnap_Click(int index);
  void Options_Autosave_Click();
  void OptionsChart_Click();
  void OptionsDFPattern_Click();
  void OptionsKeepPeaks_Click();
  void OptionsAdjust_Click();
  void OptionsJipTest_Click();
  void OptionsStripFileName_Click();
  void Windw_Click(int index);
  void HelpAbout_Click();
  void TimeAxis_Click(int16_t logTime);
  void PreviousFile();
  void NextFile();
  // Averaging replaced the walk's list with its own: the walk lists its folder again.
  void WalkListReplaced();

  // The table windows.
  void ShowPFPeaks();
  void ShowDFPeaks();
  void ShowResults();
  void ShowJipTest();
  void ChangeAmplification();
  void AverageFiles();

  // The chart window (QtChartHost.cpp).
  void ShowChart();
  void RefreshChart();
  void ChartClosing();
  void FindInSpan(int kind);
  void ZoomChart(int direction);
  void OpenSetDialog();
  void OpenPatternDialog();

  tolmek::Session& session_;
  tolmek::Feedback& feedback_;
  tolmek::FileDialogs& dialogs_;
  QMdiArea* mdiArea_;
  QToolBar* toolbar_;
  QList<QMenu*> ownMenus_;
  QMenu* windowMenu_ = nullptr;
  std::map<QString, QAction*> actions_;
  std::vector<std::pair<const CommandEntry*, QAction*>> entryActions_;
  QPointer<QWidget> chart_;
  tolmek::QtTableWindows* tables_;
  Optionsfrm* options_ = nullptr;
  Infofrm* info_ = nullptr;
  bool resetting_ = false;
  int running_ = 0;  // commands under way (nested through event-loop turns and dialogs)
  bool closing_ = false;
  bool exiting_ = false;  // "E&xit" closes the window from inside its own command
};
