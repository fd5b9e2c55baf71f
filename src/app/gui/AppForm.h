// The main window: a frame of child windows (the chart and the tables) with the menus and the
// toolbar of every command. The commands are described in one table (QtAppCommands.cpp); which of
// them are available is a function of the Session, recomputed after each command.
#pragma once

#include <QImage>
#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <vector>

#include "CommandActivity.h"
#include "compare/gui/CompareWindow.h"
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
class MainForm;
class QtTableWindows;
}  // namespace tolmek

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
  // The Compare window, when it is open.
  tolmek::CompareWindow* Compare() const { return compare_; }

  // Loads CurrentFilePath as the window does: child windows closed first, the chart window shown
  // for a file read, the empty state kept for one that failed.
  void LoadAndShowCurrentFile();
  // The reset of the Session, and of the window: child windows closed, the caption, progress and
  // busy pointer back, commands of a loaded file disabled.
  void ResetStateAndWindows();
  // A file dropped on the window.
  void LoadDroppedFile(const QString& path);
  // A file handed over by a second start: loaded once no command is running (a batch or a
  // dialog may be waiting for the event loop), and the window comes to the front.
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

 signals:
  // The chart window painted a chart.
  void ChartPainted();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The menus of the menu bar, in their order.
  enum class MenuId { None, File, View, Tools, Options, Window, Help };
  struct MenuLayout {
    MenuId Id;
    QString Caption;
    QString Name;
    bool NeedsMeasurement;  // the whole menu is disabled while no file is loaded
  };
  using SessionTest = bool (*)(const tolmek::Session&);
  // One row of the command table: a menu item, a toolbar button or both sharing one action. The
  // rows of a menu are in its order; the toolbar's order is given by ToolbarPlace.
  struct CommandEntry {
    MenuId Menu = MenuId::None;  // None: toolbar only
    bool SeparatorBefore = false;
    QString Key{};  // menu control name, or the toolbar key of a toolbar-only command
    QString Caption{};
    QKeySequence Shortcut{};
    QString ToolbarKey{};  // the toolbar button running the same command ("" none)
    int ToolbarPlace = 0;  // 1-based place on the toolbar
    QString ToolTip{};
    bool ShortcutInToolTip = false;
    bool NeedsMeasurement = true;
    void (AppForm::*Handler)() = nullptr;
    SessionTest Enabled = nullptr;  // further rule; none: always
    SessionTest Checked = nullptr;  // none: not checkable
    SessionTest Visible = nullptr;  // none: always
  };
  static const std::vector<CommandEntry>& CommandTable();
  static const std::vector<MenuLayout>& MenuTable();
  void BuildCommands();
  void BuildToolbar();
  void BuildMenus();
  void RestoreOwnMenus();
  void ChildActivated(QMdiSubWindow* window);
  void FillWindowMenu();
  void Run(const CommandEntry& entry);
  // Runs work as a command: through the command guard, then the commands and the table windows
  // follow the Session; once the outermost command ends, what waited for it runs.
  void RunCommand(const std::function<void()>& work);
  void CloseChildren(QWidget* except);

  // Commands (QtAppCommands.cpp), one per row of the command table.
  void FileOpen_Click();
  void FileSaveAS_Click();
  void FileSaveASC_Click();
  void PreviousFile();
  void NextFile();
  void FileAvg_Click();
  void FileBatch_Click();
  void ViewInfo_Click();
  void FileExit_Click();
  void ShowPFCurve();
  void ShowDFCurve();
  void ShowBothCurves();
  void ShowPFPeaks();
  void ShowDFPeaks();
  void ShowResults();
  void ShowJipTest();
  void ShowCompare();
  void ExportChart();
  void ZoomIn();
  void ZoomOut();
  void ViewRedraw_Click();
  void OpenSetDialog();
  void FindMax();
  void FindMin();
  void FindInflex();
  void ChangeAmplification();
  void SnapToMax();
  void SnapToMin();
  void SnapToDeriv();
  void Options_Autosave_Click();
  void OptionsChart_Click();
  void OptionsDFPattern_Click();
  void OptionsKeepPeaks_Click();
  void OptionsAdjust_Click();
  void OptionsJipTest_Click();
  void OptionsStripFileName_Click();
  void TileWindows();
  void CascadeWindows();
  void HelpContents_Click();
  void HelpAbout_Click();
  void LinearTimeAxis();
  void LogTimeAxis();
  void ToggleSnap(tolmek::DFSnap mode);
  void SetTimeAxis(bool logarithmic);
  void SetViewMode(tolmek::ViewMode mode);
  // Averaging replaced the walk's list with its own: the walk lists its folder again.
  void WalkListReplaced();

  // The chart window (QtChartHost.cpp).
  tolmek::MainForm* ChartWindow() const;
  void ShowChart();
  void RefreshOpenChart();
  void ChartClosing();

  tolmek::Session& session_;
  tolmek::Feedback& feedback_;
  tolmek::FileDialogs& dialogs_;
  QMdiArea* mdiArea_;
  QToolBar* toolbar_;
  QList<QMenu*> ownMenus_;
  QList<QMenu*> measurementMenus_;  // disabled while no file is loaded
  QMenu* windowMenu_ = nullptr;
  std::map<QString, QAction*> actions_;
  std::vector<std::pair<const CommandEntry*, QAction*>> entryActions_;
  QPointer<QWidget> chart_;
  QImage chartPicture_;  // the picture memory of the last chart window, for the next one
  tolmek::QtTableWindows* tables_;
  QPointer<tolmek::CompareWindow> compare_;
  Optionsfrm* options_ = nullptr;
  Infofrm* info_ = nullptr;
  tolmek::CommandActivity activity_;
};
