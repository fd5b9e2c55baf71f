// The command table of the main window and the commands themselves.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "Aboutfrm.h"
#include "AppForm.h"
#include "Infofrm.h"
#include "Optionsfrm.h"
#include "analysis/gui/QtTableWindows.h"
#include "app/Autosave.h"
#include "app/Batch.h"
#include "app/ShellCommands.h"
#include "chart/ChartCursor.h"
#include "chart/ChartDrawing.h"
#include "chart/gui/ChartWidget.h"
#include "chart/gui/FigureExport.h"
#include "chart/gui/MainForm.h"
#include "compare/gui/CompareWindow.h"
#include "data/FileIO.h"
#include "ui/gui/QtFeedback.h"

using namespace tolmek;

namespace {

constexpr size_t kMaxBatchFiles = 1000;

}  // namespace

// Menu items and toolbar buttons. Where a menu item and a button run the same command they share
// one action, so their enabled and checked states cannot drift apart.
const std::vector<AppForm::CommandEntry>& AppForm::CommandTable() {
  using S = const Session&;
  constexpr MenuId File = MenuId::File;
  constexpr MenuId View = MenuId::View;
  constexpr MenuId Tools = MenuId::Tools;
  constexpr MenuId Options = MenuId::Options;
  constexpr MenuId Window = MenuId::Window;
  constexpr MenuId Help = MenuId::Help;
  static const std::vector<CommandEntry> table = {
      {.Menu = File,
       .Key = "FileOpen",
       .Caption = "&Open...",
       .Shortcut = QKeySequence("Ctrl+O"),
       .ToolbarKey = "open",
       .ToolbarPlace = 1,
       .ToolTip = "Open",
       .NeedsMeasurement = false,
       .Handler = &AppForm::FileOpen_Click},
      {.Menu = File,
       .Key = "FileSaveAS",
       .Caption = "&Save As...",
       .Shortcut = QKeySequence("Ctrl+S"),
       .ToolbarKey = "save",
       .ToolbarPlace = 2,
       .ToolTip = "Save As",
       .Handler = &AppForm::FileSaveAS_Click},
      {.Menu = File,
       .Key = "FileSaveASC",
       .Caption = "Save &ASC",
       .Shortcut = QKeySequence("Ctrl+A"),
       .Handler = &AppForm::FileSaveASC_Click},
      // The chart as a PNG picture or an SVG or PDF figure.
      {.Menu = File,
       .Key = "FileExportChart",
       .Caption = "Export C&hart...",
       .Shortcut = QKeySequence("Ctrl+E"),
       .Handler = &AppForm::ExportChart},
      // The walk, with keys that neither the chart nor a menu of a child window uses.
      {.Menu = File,
       .SeparatorBefore = true,
       .Key = "previous",
       .Caption = "&Previous File",
       .Shortcut = QKeySequence(Qt::ALT | Qt::Key_Left),
       .ToolbarKey = "previous",
       .ToolbarPlace = 18,
       .ToolTip = "Previous file",
       .ShortcutInToolTip = true,
       .Handler = &AppForm::PreviousFile,
       .Enabled = &CanGoToPreviousFile},
      {.Menu = File,
       .Key = "next",
       .Caption = "&Next File",
       .Shortcut = QKeySequence(Qt::ALT | Qt::Key_Right),
       .ToolbarKey = "next",
       .ToolbarPlace = 19,
       .ToolTip = "Next File",
       .ShortcutInToolTip = true,
       .Handler = &AppForm::NextFile,
       .Enabled = &CanGoToNextFile},
      {.Menu = File,
       .SeparatorBefore = true,
       .Key = "FileAvg",
       .Caption = "&Average Files...",
       .NeedsMeasurement = false,
       .Handler = &AppForm::FileAvg_Click},
      {.Menu = File,
       .Key = "FileBatch",
       .Caption = "&Batch Process...",
       .NeedsMeasurement = false,
       .Handler = &AppForm::FileBatch_Click},
      {.Menu = File,
       .SeparatorBefore = true,
       .Key = "ViewInfo",
       .Caption = "&View Info",
       .Shortcut = QKeySequence("Ctrl+I"),
       .ToolbarKey = "info",
       .ToolbarPlace = 4,
       .ToolTip = "File info",
       .Handler = &AppForm::ViewInfo_Click},
      {.Menu = File,
       .SeparatorBefore = true,
       .Key = "FileExit",
       .Caption = "E&xit",
       .NeedsMeasurement = false,
       .Handler = &AppForm::FileExit_Click},

      {.Menu = View,
       .Key = "view1",
       .Caption = "&PF Curve",
       .Shortcut = QKeySequence("F5"),
       .ToolbarKey = "viewpf",
       .ToolbarPlace = 5,
       .ToolTip = "PF curve",
       .Handler = &AppForm::ShowPFCurve,
       .Checked = [](S s) { return s.View.ViewMode == ViewMode::PF; }},
      {.Menu = View,
       .Key = "view2",
       .Caption = "&DF Curve",
       .Shortcut = QKeySequence("F6"),
       .ToolbarKey = "viewdf",
       .ToolbarPlace = 6,
       .ToolTip = "DF curve",
       .Handler = &AppForm::ShowDFCurve,
       .Checked = [](S s) { return s.View.ViewMode == ViewMode::DF; }},
      {.Menu = View,
       .Key = "view3",
       .Caption = "&Both Curves",
       .Shortcut = QKeySequence("F7"),
       .ToolbarKey = "viewboth",
       .ToolbarPlace = 7,
       .ToolTip = "Both curves",
       .Handler = &AppForm::ShowBothCurves,
       .Checked = [](S s) { return s.View.ViewMode == ViewMode::Both; }},
      {.Menu = View,
       .SeparatorBefore = true,
       .Key = "view5",
       .Caption = "View P&F Min/Max",
       .Handler = &AppForm::ShowPFPeaks},
      {.Menu = View,
       .Key = "view6",
       .Caption = "View DF &Min/Max",
       .ToolbarKey = "dfres",
       .ToolbarPlace = 17,
       .ToolTip = "DF results",
       .Handler = &AppForm::ShowDFPeaks},
      {.Menu = View,
       .Key = "view7",
       .Caption = "View &Results",
       .ToolbarKey = "pfres",
       .ToolbarPlace = 16,
       .ToolTip = "PF results",
       .Handler = &AppForm::ShowResults},
      // The JIP-test is offered only where the settings switch it on.
      {.Menu = View,
       .Key = "ViewJip",
       .Caption = "View &JIP-test",
       .Handler = &AppForm::ShowJipTest,
       .Enabled = [](S s) { return s.Options.JipTest; },
       .Visible = [](S s) { return s.Options.JipTest; }},
      // Many measurements on one chart; needs no loaded file.
      {.Menu = View,
       .Key = "ViewCompare",
       .Caption = "&Compare...",
       .Shortcut = QKeySequence("Ctrl+M"),
       .ToolbarKey = "compare",
       .ToolbarPlace = 20,
       .ToolTip = "Compare measurements",
       .ShortcutInToolTip = true,
       .NeedsMeasurement = false,
       .Handler = &AppForm::ShowCompare},
      {.Menu = View,
       .SeparatorBefore = true,
       .Key = "view9",
       .Caption = "Zoom &In",
       .ToolbarKey = "zoomin",
       .ToolbarPlace = 14,
       .ToolTip = "Zoom In",
       .Handler = &AppForm::ZoomIn,
       .Enabled = [](S s) { return s.ChartCommands.ZoomInEnabled; }},
      {.Menu = View,
       .Key = "view10",
       .Caption = "Zoom &Out",
       .ToolbarKey = "zoomout",
       .ToolbarPlace = 15,
       .ToolTip = "Zoom Out",
       .Handler = &AppForm::ZoomOut,
       .Enabled = [](S s) { return s.ChartCommands.ZoomOutEnabled; }},
      {.Menu = View,
       .SeparatorBefore = true,
       .Key = "ViewRedraw",
       .Caption = "Redra&w",
       .Shortcut = QKeySequence("Ctrl+R"),
       .Handler = &AppForm::ViewRedraw_Click},

      {.Menu = Tools,
       .Key = "Math1",
       .Caption = "&Set Min/Max",
       .ToolbarKey = "set",
       .ToolbarPlace = 8,
       .ToolTip = "Set peak",
       .Handler = &AppForm::OpenSetDialog,
       .Enabled = [](S s) { return s.View.ViewMode != ViewMode::Both; }},
      {.Menu = Tools,
       .SeparatorBefore = true,
       .Key = "Math3",
       .Caption = "Find Ma&x",
       .ToolbarKey = "findmax",
       .ToolbarPlace = 9,
       .ToolTip = "Find max",
       .Handler = &AppForm::FindMax,
       .Enabled = [](S s) { return s.ChartCommands.FindEnabled; }},
      {.Menu = Tools,
       .Key = "Math4",
       .Caption = "Find Mi&n",
       .ToolbarKey = "findmin",
       .ToolbarPlace = 10,
       .ToolTip = "Find min",
       .Handler = &AppForm::FindMin,
       .Enabled = [](S s) { return s.ChartCommands.FindEnabled; }},
      {.Menu = Tools,
       .Key = "Math5",
       .Caption = "Find &Inflex",
       .ToolbarKey = "findinf",
       .ToolbarPlace = 11,
       .ToolTip = "Find inflex",
       .Handler = &AppForm::FindInflex,
       .Enabled = [](S s) { return s.ChartCommands.FindEnabled; }},
      {.Menu = Tools,
       .SeparatorBefore = true,
       .Key = "Math7",
       .Caption = "Change &Amp",
       .Handler = &AppForm::ChangeAmplification},

      {.Menu = Options,
       .Key = "OptionsSnap1",
       .Caption = "Snap to &Max",
       .Handler = &AppForm::SnapToMax,
       .Checked = [](S s) { return s.Options.SnapMode == DFSnap::Max; }},
      {.Menu = Options,
       .Key = "OptionsSnap2",
       .Caption = "Snap to Mi&n",
       .Handler = &AppForm::SnapToMin,
       .Checked = [](S s) { return s.Options.SnapMode == DFSnap::Min; }},
      {.Menu = Options,
       .Key = "OptionsSnap3",
       .Caption = "Snap to &Deriv",
       .Handler = &AppForm::SnapToDeriv,
       .Checked = [](S s) { return s.Options.SnapMode == DFSnap::Flattest; }},
      {.Menu = Options,
       .SeparatorBefore = true,
       .Key = "Options_Autosave",
       .Caption = "&Autosave",
       .ToolbarKey = "autosave",
       .ToolbarPlace = 3,
       .ToolTip = "Autosave",
       .Handler = &AppForm::Options_Autosave_Click,
       .Checked = [](S s) { return s.Options.AutosaveEnabled; }},
      {.Menu = Options,
       .SeparatorBefore = true,
       .Key = "OptionsChart",
       .Caption = "&Chart...",
       .Handler = &AppForm::OptionsChart_Click},
      {.Menu = Options,
       .Key = "OptionsDFPattern",
       .Caption = "&DF Pattern...",
       .Handler = &AppForm::OptionsDFPattern_Click},
      {.Menu = Options,
       .SeparatorBefore = true,
       .Key = "OptionsKeepPeaks",
       .Caption = "&Keep DF peaks",
       .Handler = &AppForm::OptionsKeepPeaks_Click,
       .Checked = [](S s) { return s.Options.OptionsKeepPeaks; }},
      {.Menu = Options,
       .Key = "OptionsAdjust",
       .Caption = "Adjust &peak position",
       .Handler = &AppForm::OptionsAdjust_Click,
       .Enabled = [](S s) { return s.Options.OptionsAdjustEnabled; },
       .Checked = [](S s) { return s.Options.OptionsAdjust; }},
      {.Menu = Options,
       .SeparatorBefore = true,
       .Key = "OptionsJipTest",
       .Caption = "&JIP-test",
       .NeedsMeasurement = false,
       .Handler = &AppForm::OptionsJipTest_Click,
       .Checked = [](S s) { return s.Options.JipTest; }},
      {.Menu = Options,
       .Key = "OptionsStripFileName",
       .Caption = "&Strip file name",
       .NeedsMeasurement = false,
       .Handler = &AppForm::OptionsStripFileName_Click,
       .Checked = [](S s) { return s.Options.StripFileName; }},

      {.Menu = Window, .Key = "Windw1", .Caption = "&Tile", .Handler = &AppForm::TileWindows},
      {.Menu = Window, .Key = "Windw2", .Caption = "&Cascade", .Handler = &AppForm::CascadeWindows},

      // No help file comes with the program: the item is there, disabled.
      {.Menu = Help,
       .Key = "HelpContents",
       .Caption = "&Contents",
       .Shortcut = QKeySequence("F1"),
       .NeedsMeasurement = false,
       .Handler = &AppForm::HelpContents_Click,
       .Enabled = [](S) { return false; }},
      {.Menu = Help,
       .Key = "HelpAbout",
       .Caption = "&About",
       .NeedsMeasurement = false,
       .Handler = &AppForm::HelpAbout_Click},

      // Toolbar only.
      {.Key = "linear",
       .ToolbarKey = "linear",
       .ToolbarPlace = 12,
       .ToolTip = "Linear Scale",
       .Handler = &AppForm::LinearTimeAxis,
       .Checked = [](S s) { return !s.View.LogTime; }},
      {.Key = "log",
       .ToolbarKey = "log",
       .ToolbarPlace = 13,
       .ToolTip = "Logarithmic scale",
       .Handler = &AppForm::LogTimeAxis,
       .Checked = [](S s) { return s.View.LogTime; }},
  };
  return table;
}

const std::vector<AppForm::MenuLayout>& AppForm::MenuTable() {
  static const std::vector<MenuLayout> menus = {
      {MenuId::File, "&File", "File", false},     {MenuId::View, "&View", "View", true},
      {MenuId::Tools, "&Tools", "Tools", true},   {MenuId::Options, "&Options", "Options", true},
      {MenuId::Window, "&Window", "Windw", true}, {MenuId::Help, "&Help", "Help", false},
  };
  return menus;
}

void AppForm::FileOpen_Click() {
  const std::vector<std::string> paths = dialogs_.ChooseFilesToOpen(session_.Options.DataFolder);
  if (paths.empty()) return;
  // Only now that a file was chosen is the loaded one left (and its outputs written).
  AutosaveOutputs(session_, feedback_);
  TakeOpenedFile(session_, paths.front());
  LoadAndShowCurrentFile();
}

void AppForm::FileSaveAS_Click() {
  const auto path =
      dialogs_.ChooseFileToSave(session_.Options.DataFolder, ProposedSavePath(session_));
  if (!path) return;
  SaveMeasurementAs(session_, feedback_, *path);
}

void AppForm::FileSaveASC_Click() {
  SaveAscFiles(session_, feedback_);
}

void AppForm::FileBatch_Click() {
  std::vector<std::string> paths = dialogs_.ChooseFilesForBatch(session_.Options.DataFolder);
  // The batch needs two files or more.
  if (paths.size() < 2) return;
  if (paths.size() > kMaxBatchFiles) paths.resize(kMaxBatchFiles);
  AutosaveOutputs(session_, feedback_);
  ResetStateAndWindows();
  RunBatch(session_, feedback_, paths);
  ResetStateAndWindows();
}

void AppForm::ViewInfo_Click() {
  if (!info_) info_ = new Infofrm(this);
  info_->Fill(DescribeLoadedFile(session_));
  info_->exec();
}

// Exit ends the program as closing the main window does: the loaded file's outputs and the
// settings are written, without questions. The window closes once this command has ended.
void AppForm::FileExit_Click() {
  activity_.WhenIdle([this] { close(); });
}

void AppForm::SetViewMode(ViewMode mode) {
  session_.View.ViewMode = mode;
  RefreshOpenChart();
}
void AppForm::ShowPFCurve() {
  SetViewMode(ViewMode::PF);
}
void AppForm::ShowDFCurve() {
  SetViewMode(ViewMode::DF);
}
void AppForm::ShowBothCurves() {
  SetViewMode(ViewMode::Both);
}

void AppForm::ZoomIn() {
  if (MainForm* chart = ChartWindow()) chart->ZoomChart(ZoomDirection::In);
}
void AppForm::ZoomOut() {
  if (MainForm* chart = ChartWindow()) chart->ZoomChart(ZoomDirection::Out);
}

void AppForm::ViewRedraw_Click() {
  RefreshOpenChart();
}

// The points are set on one curve at a time.
void AppForm::OpenSetDialog() {
  if (session_.View.ViewMode == ViewMode::Both) return;
  if (MainForm* chart = ChartWindow()) chart->OpenSetDialog();
}

void AppForm::FindMax() {
  if (MainForm* chart = ChartWindow()) chart->FindInSpan(FindKind::Max);
}
void AppForm::FindMin() {
  if (MainForm* chart = ChartWindow()) chart->FindInSpan(FindKind::Min);
}
void AppForm::FindInflex() {
  if (MainForm* chart = ChartWindow()) chart->FindInSpan(FindKind::Flattest);
}

// A snap mode chosen again switches snapping off.
void AppForm::ToggleSnap(DFSnap mode) {
  DFSnap& snap = session_.Options.SnapMode;
  snap = snap == mode ? DFSnap::Off : mode;
}
void AppForm::SnapToMax() {
  ToggleSnap(DFSnap::Max);
}
void AppForm::SnapToMin() {
  ToggleSnap(DFSnap::Min);
}
void AppForm::SnapToDeriv() {
  ToggleSnap(DFSnap::Flattest);
}

void AppForm::Options_Autosave_Click() {
  session_.Options.AutosaveEnabled = !session_.Options.AutosaveEnabled;
}

void AppForm::OptionsChart_Click() {
  if (!options_) options_ = new Optionsfrm(session_, feedback_, this);
  if (options_->exec() == QDialog::Accepted) RefreshOpenChart();
  if (QMdiSubWindow* active = mdiArea_->activeSubWindow()) active->widget()->update();
}

void AppForm::OptionsDFPattern_Click() {
  if (MainForm* chart = ChartWindow()) chart->OpenPatternDialog();
}

void AppForm::OptionsKeepPeaks_Click() {
  Settings& options = session_.Options;
  options.OptionsKeepPeaks = !options.OptionsKeepPeaks;
  options.OptionsAdjustEnabled = options.OptionsKeepPeaks;
}

void AppForm::OptionsAdjust_Click() {
  session_.Options.OptionsAdjust = !session_.Options.OptionsAdjust;
}

// The JIP-test window and jip.res; the setting is kept in tolmek.ini with the others.
void AppForm::OptionsJipTest_Click() {
  session_.Options.JipTest = !session_.Options.JipTest;
}

// Result rows of files loaded from now on carry 8-character names (7 and the last), by which
// the results averaging groups replicates.
void AppForm::OptionsStripFileName_Click() {
  session_.Options.StripFileName = !session_.Options.StripFileName;
}

void AppForm::TileWindows() {
  mdiArea_->tileSubWindows();
}
void AppForm::CascadeWindows() {
  mdiArea_->cascadeSubWindows();
}

void AppForm::HelpContents_Click() {}

void AppForm::HelpAbout_Click() {
  Aboutfrm about(this);
  about.exec();
}

void AppForm::SetTimeAxis(bool logarithmic) {
  session_.View.LogTime = logarithmic;
  feedback_.TurnEventLoop();
  RefreshOpenChart();
}
void AppForm::LinearTimeAxis() {
  SetTimeAxis(false);
}
void AppForm::LogTimeAxis() {
  SetTimeAxis(true);
}

void AppForm::PreviousFile() {
  if (StepFileWalk(session_, feedback_, -1)) LoadAndShowCurrentFile();
}

void AppForm::NextFile() {
  if (StepFileWalk(session_, feedback_, +1)) LoadAndShowCurrentFile();
}

// The table windows (without blocking, brought to the front) and the dialogs of the analysis.
void AppForm::ShowPFPeaks() {
  tables_->ShowPFPeaks();
}
void AppForm::ShowJipTest() {
  tables_->ShowJipTest();
}

void AppForm::ShowCompare() {
  if (!compare_) {
    compare_ = new CompareWindow(session_, feedback_, dialogs_);
    QMdiSubWindow* frame = mdiArea_->addSubWindow(compare_);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->resize(compare_->size().boundedTo(mdiArea_->viewport()->size()));
  }
  QMdiSubWindow* frame = qobject_cast<QMdiSubWindow*>(compare_->parentWidget());
  frame->show();
  compare_->show();
  mdiArea_->setActiveSubWindow(frame);
}

void AppForm::ExportChart() {
  const std::string& path = session_.Record.CurrentFilePath;
  const std::string proposed = path.substr(0, path.rfind('.')) + ".png";
  // Proposed: the size the chart has on the screen.
  const MainForm* chart = ChartWindow();
  const QSize size = chart ? chart->Chart()->size() : QSize(1200, 700);
  ExportFigure(
      this, feedback_, dialogs_, FolderOf(path), proposed, size,
      [this](DrawingSurface& surface) { DrawChart(session_, surface, ChartDrawMode::Full); });
  // The drawing laid the chart's frame out for the figure's size; the window's chart is laid out
  // for its own again.
  RefreshOpenChart();
}

void AppForm::ShowDFPeaks() {
  tables_->ShowDFPeaks();
}
void AppForm::ShowResults() {
  tables_->ShowResults();
}
void AppForm::ChangeAmplification() {
  tables_->ChangeAmp();
}
void AppForm::FileAvg_Click() {
  tables_->ShowAverage();
}
