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
#include "ui/gui/QtFeedback.h"

using namespace tolmek;

namespace {

constexpr size_t kMaxBatchFiles = 1000;

bool ViewIs(const Session& s, int mode) {
  return s.View.ViewMode == mode;
}

}  // namespace

// Menu items and toolbar buttons. Where a menu item and a button run the same command they share
// one action, so their enabled and checked states cannot drift apart.
const std::vector<AppForm::CommandEntry>& AppForm::CommandTable() {
  using S = const Session&;
  static const std::vector<CommandEntry> table = {
      // File
      {"FileOpen",
       "open",
       "&Open...",
       QKeySequence("Ctrl+O"),
       "Open",
       false,
       &AppForm::FileOpen_Click,
       {},
       {}},
      {"FileSaveAS",
       "save",
       "&Save As...",
       QKeySequence("Ctrl+S"),
       "Save As",
       true,
       &AppForm::FileSaveAS_Click,
       {},
       {}},
      {"FileSaveASC",
       "",
       "Save &ASC",
       QKeySequence("Ctrl+A"),
       "",
       true,
       &AppForm::FileSaveASC_Click,
       {},
       {}},
      {"FileAvg", "", "&Average Files...", {}, "", false, &AppForm::FileAvg_Click, {}, {}},
      {"FileBatch", "", "&Batch Process...", {}, "", false, &AppForm::FileBatch_Click, {}, {}},
      {"ViewInfo",
       "info",
       "&View Info",
       QKeySequence("Ctrl+I"),
       "File info",
       true,
       &AppForm::ViewInfo_Click,
       {},
       {}},
      {"FileExit", "", "E&xit", {}, "", false, &AppForm::FileExit_Click, {}, {}},
      // View
      {"view1",
       "viewpf",
       "&PF Curve",
       QKeySequence("F5"),
       "PF curve",
       true,
       [](AppForm& f) { f.View_Click(1); },
       {},
       [](S s) { return ViewIs(s, 1); }},
      {"view2",
       "viewdf",
       "&DF Curve",
       QKeySequence("F6"),
       "DF curve",
       true,
       [](AppForm& f) { f.View_Click(2); },
       {},
       [](S s) { return ViewIs(s, 2); }},
      {"view3",
       "viewboth",
       "&Both Curves",
       QKeySequence("F7"),
       "Both curves",
       true,
       [](AppForm& f) { f.View_Click(3); },
       {},
       [](S s) { return ViewIs(s, 0); }},
      {"view5", "", "View P&F Min/Max", {}, "", true, &AppForm::ShowPFPeaks, {}, {}},
      {"view6", "dfres", "View DF &Min/Max", {}, "DF results", true, &AppForm::ShowDFPeaks, {}, {}},
      {"view7", "pfres", "View &Results", {}, "PF results", true, &AppForm::ShowResults, {}, {}},
      {"ViewJip",
       "",
       "View &JIP-test",
       {},
       "",
       true,
       &AppForm::ShowJipTest,
       [](S s) { return s.Options.JipTest == 1; },
       {}},
      {"view9",
       "zoomin",
       "Zoom &In",
       {},
       "Zoom In",
       true,
       [](AppForm& f) { f.View_Click(9); },
       [](S s) { return s.ChartCommands.ZoomInEnabled; },
       {}},
      {"view10",
       "zoomout",
       "Zoom &Out",
       {},
       "Zoom Out",
       true,
       [](AppForm& f) { f.View_Click(10); },
       [](S s) { return s.ChartCommands.ZoomOutEnabled; },
       {}},
      {"ViewRedraw",
       "",
       "Redra&w",
       QKeySequence("Ctrl+R"),
       "",
       true,
       &AppForm::ViewRedraw_Click,
       {},
       {}},
      // Tools
      {"Math1",
       "set",
       "&Set Min/Max",
       {},
       "Set peak",
       true,
       [](AppForm& f) { f.Math_Click(1); },
       [](S s) { return s.View.ViewMode != 0; },
       {}},
      {"Math3",
       "findmax",
       "Find Ma&x",
       {},
       "Find max",
       true,
       [](AppForm& f) { f.Math_Click(3); },
       [](S s) { return s.ChartCommands.FindEnabled; },
       {}},
      {"Math4",
       "findmin",
       "Find Mi&n",
       {},
       "Find min",
       true,
       [](AppForm& f) { f.Math_Click(4); },
       [](S s) { return s.ChartCommands.FindEnabled; },
       {}},
      {"Math5",
       "findinf",
       "Find &Inflex",
       {},
       "Find inflex",
       true,
       [](AppForm& f) { f.Math_Click(5); },
       [](S s) { return s.ChartCommands.FindEnabled; },
       {}},
      {"Math7", "", "Change &Amp", {}, "", true, &AppForm::ChangeAmplification, {}, {}},
      // Options
      {"OptionsSnap1",
       "",
       "Snap to &Max",
       {},
       "",
       true,
       [](AppForm& f) { f.OptionsSnap_Click(1); },
       {},
       [](S s) { return s.Options.SnapMode == 1; }},
      {"OptionsSnap2",
       "",
       "Snap to Mi&n",
       {},
       "",
       true,
       [](AppForm& f) { f.OptionsSnap_Click(2); },
       {},
       [](S s) { return s.Options.SnapMode == 2; }},
      {"OptionsSnap3",
       "",
       "Snap to &Deriv",
       {},
       "",
       true,
       [](AppForm& f) { f.OptionsSnap_Click(3); },
       {},
       [](S s) { return s.Options.SnapMode == 3; }},
      {"Options_Autosave",
       "autosave",
       "&Autosave",
       {},
       "Autosave",
       true,
       &AppForm::Options_Autosave_Click,
       {},
       [](S s) { return s.Options.AutosaveEnabled == 1; }},
      {"OptionsChart", "", "&Chart...", {}, "", true, &AppForm::OptionsChart_Click, {}, {}},
      {"OptionsDFPattern",
       "",
       "&DF Pattern...",
       {},
       "",
       true,
       &AppForm::OptionsDFPattern_Click,
       {},
       {}},
      {"OptionsKeepPeaks",
       "",
       "&Keep DF peaks",
       {},
       "",
       true,
       &AppForm::OptionsKeepPeaks_Click,
       {},
       [](S s) { return s.Options.OptionsKeepPeaks; }},
      {"OptionsAdjust",
       "",
       "Adjust &peak position",
       {},
       "",
       true,
       &AppForm::OptionsAdjust_Click,
       [](S s) { return s.Options.OptionsAdjustEnabled; },
       [](S s) { return s.Options.OptionsAdjust; }},
      {"OptionsJipTest",
       "",
       "&JIP-test",
       {},
       "",
       false,
       &AppForm::OptionsJipTest_Click,
       {},
       [](S s) { return s.Options.JipTest == 1; }},
      {"OptionsStripFileName",
       "",
       "&Strip file name",
       {},
       "",
       false,
       &AppForm::OptionsStripFileName_Click,
       {},
       [](S s) { return s.Options.StripFileName == 1; }},
      // Window
      {"Windw1", "", "&Tile", {}, "", true, [](AppForm& f) { f.Windw_Click(1); }, {}, {}},
      {"Windw2", "", "&Cascade", {}, "", true, [](AppForm& f) { f.Windw_Click(2); }, {}, {}},
      // Help
      {"HelpContents",
       "",
       "&Contents",
       QKeySequence("F1"),
       "",
       false,
       [](AppForm&) {},
       [](S) { return false; },
       {}},
      {"HelpAbout", "", "&About", {}, "", false, &AppForm::HelpAbout_Click, {}, {}},
      // Toolbar only
      {"linear",
       "linear",
       "",
       {},
       "Linear Scale",
       true,
       [](AppForm& f) { f.TimeAxis_Click(0); },
       {},
       [](S s) { return s.View.LogTime == 0; }},
      {"log",
       "log",
       "",
       {},
       "Logarithmic scale",
       true,
       [](AppForm& f) { f.TimeAxis_Click(1); },
       {},
       [](S s) { return s.View.LogTime == 1; }},
      // The walk: in the File menu too, with keys that neither the chart nor a menu uses.
      {"previous",
       "previous",
       "&Previous File",
       QKeySequence(Qt::ALT | Qt::Key_Left),
       "Previous file",
       true,
       &AppForm::PreviousFile,
       &CanGoToPreviousFile,
       {}},
      {"next",
       "next",
       "&Next File",
       QKeySequence(Qt::ALT | Qt::Key_Right),
       "Next File",
       true,
       &AppForm::NextFile,
       &CanGoToNextFile,
       {}},
  };
  return table;
}

const std::vector<AppForm::MenuLayout>& AppForm::MenuTable() {
  static const std::vector<MenuLayout> menus = {
      {"&File",
       "File",
       {"FileOpen", "FileSaveAS", "FileSaveASC", "-", "previous", "next", "-", "FileAvg",
        "FileBatch", "-", "ViewInfo", "-", "FileExit"}},
      {"&View",
       "View",
       {"view1", "view2", "view3", "-", "view5", "view6", "view7", "ViewJip", "-", "view9",
        "view10", "-", "ViewRedraw"}},
      {"&Tools", "Tools", {"Math1", "-", "Math3", "Math4", "Math5", "-", "Math7"}},
      {"&Options",
       "Options",
       {"OptionsSnap1", "OptionsSnap2", "OptionsSnap3", "-", "Options_Autosave", "-",
        "OptionsChart", "OptionsDFPattern", "-", "OptionsKeepPeaks", "OptionsAdjust", "-",
        "OptionsJipTest", "OptionsStripFileName"}},
      {"&Window", "Windw", {"Windw1", "Windw2"}},
      {"&Help", "Help", {"HelpContents", "HelpAbout"}},
  };
  return menus;
}

const QStringList& AppForm::ToolbarKeys() {
  static const QStringList keys = {"open",    "save",     "autosave", "info",    "viewpf",
                                   "viewdf",  "viewboth", "set",      "findmax", "findmin",
                                   "findinf", "linear",   "log",      "zoomin",  "zoomout",
                                   "pfres",   "dfres",    "previous", "next"};
  return keys;
}

void AppForm::FileOpen_Click() {
  const std::vector<std::string> paths = dialogs_.ChooseFilesToOpen(session_.Options.DataFolder);
  if (paths.empty()) return;
  // Only now that a file was chosen is the loaded one left (and its outputs written).
  AutosaveOutputs(session_, feedback_);
  TakeOpenedFile(session_, paths.front());
  LoadCurrentFile();
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
  ResetState();
  RunBatch(session_, feedback_, paths);
  ResetState();
}

void AppForm::ViewInfo_Click() {
  if (!info_) info_ = new Infofrm(this);
  info_->Fill(DescribeLoadedFile(session_));
  info_->exec();
}

// Exit ends the program as closing the main window does: the loaded file's outputs and the
// settings are written, without questions.
void AppForm::FileExit_Click() {
  exiting_ = true;
  close();
  exiting_ = false;
}

void AppForm::View_Click(int index) {
  switch (index) {
    case 1:
    case 2:
      session_.View.ViewMode = static_cast<int16_t>(index);
      RefreshChart();
      break;
    case 3:
      session_.View.ViewMode = 0;
      RefreshChart();
      break;
    case 9:
    case 10:
      ZoomChart(index == 9 ? 1 : 2);
      break;
    default:
      break;
  }
}

void AppForm::ViewRedraw_Click() {
  RefreshChart();
}

void AppForm::Math_Click(int index) {
  if (index == 1) {
    if (session_.View.ViewMode != 0) OpenSetDialog();
    return;
  }
  if (index >= 3 && index <= 5) FindInSpan(index - 2);
}

void AppForm::OptionsSnap_Click(int index) {
  int16_t& snap = session_.Options.SnapMode;
  snap = snap == index ? 0 : static_cast<int16_t>(index);
}

void AppForm::Options_Autosave_Click() {
  int16_t& autosave = session_.Options.AutosaveEnabled;
  autosave = autosave == 1 ? 0 : 1;
}

void AppForm::OptionsChart_Click() {
  if (!options_) options_ = new Optionsfrm(session_, feedback_, this);
  if (options_->exec() == QDialog::Accepted) RefreshChart();
  if (QMdiSubWindow* active = mdiArea_->activeSubWindow()) active->widget()->update();
}

void AppForm::OptionsDFPattern_Click() {
  OpenPatternDialog();
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
  int16_t& jipTest = session_.Options.JipTest;
  jipTest = jipTest == 1 ? 0 : 1;
}

// Result rows of files loaded from now on carry 8-character names (7 and the last), by which
// the results averaging groups replicates.
void AppForm::OptionsStripFileName_Click() {
  int16_t& strip = session_.Options.StripFileName;
  strip = strip == 1 ? 0 : 1;
}

void AppForm::Windw_Click(int index) {
  if (index == 1) {
    mdiArea_->tileSubWindows();
  } else {
    mdiArea_->cascadeSubWindows();
  }
}

void AppForm::HelpAbout_Click() {
  Aboutfrm about(this);
  about.exec();
}

void AppForm::TimeAxis_Click(int16_t logTime) {
  session_.View.LogTime = logTime;
  feedback_.TurnEventLoop();
  RefreshChart();
}

void AppForm::PreviousFile() {
  if (StepFileWalk(session_, feedback_, -1)) LoadCurrentFile();
}

void AppForm::NextFile() {
  if (StepFileWalk(session_, feedback_, +1)) LoadCurrentFile();
}

// The table windows (without blocking, brought to the front) and the dialogs of the analysis.
void AppForm::ShowPFPeaks() {
  tables_->ShowPFPeaks();
}
void AppForm::ShowJipTest() {
  tables_->ShowJipTest();
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
