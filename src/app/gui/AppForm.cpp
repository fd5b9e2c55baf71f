#include "AppForm.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "QtIcons.h"
#include "analysis/gui/QtTableWindows.h"
#include "app/Autosave.h"
#include "app/LoadSequence.h"
#include "app/Settings.h"
#include "app/ShellCommands.h"
#include "chart/gui/ChartWidget.h"
#include "chart/gui/MainForm.h"
#include "data/Measurement.h"
#include "ui/CommandGuard.h"
#include "ui/gui/MenuProvider.h"
#include "ui/gui/QtFeedback.h"

using namespace tolmek;

namespace {
constexpr const char* kCaption = "Tolmek32";
// Settings store the placement in units of 1/1440 inch; a screen pixel is 1/96 inch.
constexpr double kTwipsPerPixel = 15;
constexpr int kDesignedWidth = 1100;
constexpr int kDesignedHeight = 760;
}  // namespace

AppForm::AppForm(Session& session, Feedback& feedback, FileDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      feedback_(feedback),
      dialogs_(dialogs),
      mdiArea_(new QMdiArea(this)),
      toolbar_(new QToolBar("Toolbar1", this)),
      tables_(new QtTableWindows(session, feedback, mdiArea_, this)) {
  setObjectName("AppForm");
  setWindowTitle(kCaption);
  setAcceptDrops(true);
  setCentralWidget(mdiArea_);
  toolbar_->setObjectName("Toolbar1");
  toolbar_->setMovable(false);
  addToolBar(toolbar_);
  resize(kDesignedWidth, kDesignedHeight);
  BuildCommands();
  BuildMenus();
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, &AppForm::ChildActivated);
  // An edit in a table window or a change of the gains is redrawn on the chart.
  connect(tables_, &QtTableWindows::RedrawRequested, this,
          [this] { RunCommand([this] { RefreshOpenChart(); }); });
  connect(tables_, &QtTableWindows::TablesChanged, this, &AppForm::UpdateCommands);
  connect(tables_, &QtTableWindows::FileListReplaced, this, &AppForm::WalkListReplaced);
  UpdateCommands();
}

// The child windows go with the frame; their activation and the chart's closing must not reach
// the half-destroyed window.
AppForm::~AppForm() {
  disconnect(mdiArea_, nullptr, this, nullptr);
  if (chart_) chart_->disconnect(this);
}

QAction* AppForm::Command(const QString& key) const {
  const auto found = actions_.find(key);
  return found == actions_.end() ? nullptr : found->second;
}

void AppForm::BuildCommands() {
  for (const CommandEntry& entry : CommandTable()) {
    auto* action = new QAction(entry.Caption.isEmpty() ? entry.ToolTip : entry.Caption, this);
    action->setObjectName(entry.Key);
    action->setShortcut(entry.Shortcut);
    QString toolTip = entry.ToolTip;
    if (entry.ShortcutInToolTip && !entry.Shortcut.isEmpty())
      toolTip += QString(" (%1)").arg(entry.Shortcut.toString(QKeySequence::NativeText));
    if (!toolTip.isEmpty()) action->setToolTip(toolTip);
    if (!entry.ToolbarKey.isEmpty()) action->setIcon(ToolbarIcon(entry.ToolbarKey));
    // Menu items show their check marks, as the menus always did; pictures are for the toolbar.
    action->setIconVisibleInMenu(false);
    action->setCheckable(entry.Checked != nullptr);
    if (entry.Checked) {
      // However a mark is switched (mouse, key, menu, a screen reader's toggle), the command runs
      // once when the mark disagrees with the Session, and the marks then follow the Session.
      connect(action, &QAction::toggled, this, [this, &entry](bool checked) {
        if (checked != entry.Checked(session_)) Run(entry);
      });
    } else {
      connect(action, &QAction::triggered, this, [this, &entry] { Run(entry); });
    }
    actions_[entry.Key] = action;
    if (!entry.ToolbarKey.isEmpty()) actions_[entry.ToolbarKey] = action;
    entryActions_.emplace_back(&entry, action);
  }
  BuildToolbar();
}

void AppForm::BuildToolbar() {
  std::vector<const CommandEntry*> buttons;
  for (const CommandEntry& entry : CommandTable())
    if (entry.ToolbarPlace > 0) buttons.push_back(&entry);
  std::sort(buttons.begin(), buttons.end(), [](const CommandEntry* a, const CommandEntry* b) {
    return a->ToolbarPlace < b->ToolbarPlace;
  });
  for (const CommandEntry* entry : buttons) {
    QAction* action = Command(entry->ToolbarKey);
    toolbar_->addAction(action);
    auto* button = qobject_cast<QToolButton*>(toolbar_->widgetForAction(action));
    if (!button) continue;
    button->setObjectName(entry->ToolbarKey);
    // A button toggled on its own (an accessibility tool does that) hands the change to its
    // action, whose command decides the marks of both.
    if (action->isCheckable())
      connect(button, &QToolButton::toggled, action, [action](bool checked) {
        if (checked != action->isChecked()) action->setChecked(checked);
      });
  }
}

// Each menu lists the rows of the command table that name it, in the table's order.
void AppForm::BuildMenus() {
  for (const MenuLayout& layout : MenuTable()) {
    auto* menu = new QMenu(layout.Caption, this);
    menu->setObjectName(layout.Name);
    for (const auto& [entry, action] : entryActions_) {
      if (entry->Menu != layout.Id) continue;
      if (entry->SeparatorBefore) menu->addSeparator();
      menu->addAction(action);
    }
    if (layout.Id == MenuId::Window) {
      windowMenu_ = menu;
      connect(menu, &QMenu::aboutToShow, this, &AppForm::FillWindowMenu);
    }
    if (layout.NeedsMeasurement) measurementMenus_.append(menu);
    ownMenus_.append(menu);
  }
  RestoreOwnMenus();
}

void AppForm::RestoreOwnMenus() {
  menuBar()->clear();
  for (QMenu* menu : ownMenus_) menuBar()->addMenu(menu);
}

// A child that brings menus of its own shows them while it is active, and the main window's
// commands give up the keys those menus use, so no key is ambiguous.
void AppForm::ChildActivated(QMdiSubWindow* window) {
  auto* provider = window ? dynamic_cast<MenuProvider*>(window->widget()) : nullptr;
  QList<QKeySequence> childKeys;
  if (provider) {
    menuBar()->clear();
    for (QMenu* menu : provider->WindowMenus()) {
      menuBar()->addMenu(menu);
      for (QAction* action : menu->actions())
        if (!action->shortcut().isEmpty()) childKeys << action->shortcut();
    }
  } else {
    RestoreOwnMenus();
  }
  for (const auto& [entry, action] : entryActions_)
    action->setShortcut(childKeys.contains(entry->Shortcut) ? QKeySequence() : entry->Shortcut);
}

// The Window menu lists the open child windows after its own items.
void AppForm::FillWindowMenu() {
  const QList<QAction*> items = windowMenu_->actions();
  for (QAction* item : items)
    if (item->property("childWindow").toBool()) {
      windowMenu_->removeAction(item);
      item->deleteLater();
    }
  const QList<QMdiSubWindow*> children = mdiArea_->subWindowList();
  if (!children.isEmpty()) windowMenu_->addSeparator()->setProperty("childWindow", true);
  int number = 1;
  for (QMdiSubWindow* child : children) {
    QAction* item =
        windowMenu_->addAction(QString("&%1 %2").arg(number++).arg(child->windowTitle()));
    item->setProperty("childWindow", true);
    item->setCheckable(true);
    item->setChecked(child == mdiArea_->activeSubWindow());
    connect(item, &QAction::triggered, mdiArea_, [this, child = QPointer<QMdiSubWindow>(child)] {
      if (child) mdiArea_->setActiveSubWindow(child);
    });
  }
}

void AppForm::WalkListReplaced() {
  RunCommand([this] {
    if (IsLoaded(session_)) RebuildFileWalk(session_);
  });
}

void AppForm::UpdateCommands() {
  const bool loaded = IsLoaded(session_);
  // The status shows the walk as it now stands, never a position of a list since replaced.
  if (MainForm* chart = ChartWindow()) chart->SetFileStatus(ToQString(WalkPositionText(session_)));
  for (const auto& [entry, action] : entryActions_) {
    const bool enabled =
        (!entry->NeedsMeasurement || loaded) && (!entry->Enabled || entry->Enabled(session_));
    action->setEnabled(enabled);
    if (entry->Visible) action->setVisible(entry->Visible(session_));
    if (entry->Checked) action->setChecked(entry->Checked(session_));
  }
  for (QMenu* menu : measurementMenus_) menu->menuAction()->setEnabled(loaded);
}

// Long work leaves the progress window (and a question asked during a read) usable.
void AppForm::SetWorkEnabled(bool enabled) {
  menuBar()->setEnabled(enabled);
  toolbar_->setEnabled(enabled);
  mdiArea_->setEnabled(enabled);
}

// Every command runs here: nothing that needs a measurement runs without one, and no error of the
// logic leaves the handler.
void AppForm::Run(const CommandEntry& entry) {
  if (entry.NeedsMeasurement && !IsLoaded(session_)) {
    UpdateCommands();
    return;
  }
  RunCommand([&] { (this->*entry.Handler)(); });
}

void AppForm::RunCommand(const std::function<void()>& work) {
  activity_.CommandStarted();
  // A failed command may have left the window disabled for long work.
  if (!RunReportingFailure(feedback_, work, MessageIcon::Exclamation)) SetWorkEnabled(true);
  const auto waiting = activity_.CommandEnded();
  UpdateCommands();
  // The open table windows follow every command: loads, points set, writes, gain changes.
  tables_->RefreshAll();
  if (compare_) compare_->Refresh();
  for (const auto& work : waiting) work();
}

// Closed children are deleted later; the chart window is made anew for the next file. A chart
// window closed here is not the user closing it: its closing is not reported.
void AppForm::CloseChildren(QWidget* except) {
  if (chart_ && except != chart_) {
    chart_->disconnect(this);
    // The next chart window draws into the memory of this one's picture.
    if (MainForm* chart = ChartWindow()) chartPicture_ = chart->Chart()->TakePicture();
  }
  // The Compare window holds files of its own and stays open from file to file.
  for (QMdiSubWindow* child : mdiArea_->subWindowList())
    if (child->widget() != except && child->widget() != compare_) child->close();
  if (except != chart_) chart_.clear();
}

void AppForm::ResetStateAndWindows() {
  tolmek::ResetState(session_);
  CloseChildren(nullptr);
  setWindowTitle(kCaption);
  feedback_.SetProgress(0);
  feedback_.HideProgress();
  feedback_.SetBusy(false);
  SetWorkEnabled(true);
  UpdateCommands();
}

void AppForm::LoadAndShowCurrentFile() {
  const std::string path = session_.Record.CurrentFilePath;
  ResetStateAndWindows();
  session_.Record.CurrentFilePath = path;
  tolmek::LoadCurrentFile(session_, feedback_);
  if (IsLoaded(session_)) {
    UpdateCommands();
    ShowChart();
  } else {
    tolmek::ResetState(session_);
  }
  feedback_.SetBusy(false);
  UpdateCommands();
}

void AppForm::LoadDroppedFile(const QString& path) {
  if (path.isEmpty()) return;
  RunCommand([&] {
    // The measurement being replaced keeps its outputs, as with Open.
    AutosaveOutputs(session_, feedback_);
    TakeOpenedFile(session_, ToStdString(path));
    LoadAndShowCurrentFile();
  });
}

void AppForm::ReceiveHandedOverFile(const QString& path) {
  activity_.WhenIdle([this, path] {
    BringToFront();
    LoadDroppedFile(path);
  });
}

void AppForm::LoadCommandLineFile(const QString& path) {
  if (path.isEmpty()) return;
  RunCommand([&] {
    TakeOpenedFile(session_, ToStdString(path));
    LoadAndShowCurrentFile();
  });
}

void AppForm::BringToFront() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

// The user closed the chart window: its measurement is autosaved and left.
void AppForm::ChartClosing() {
  RunCommand([&] {
    AutosaveOutputs(session_, feedback_);
    tolmek::ResetState(session_);
    CloseChildren(chart_);
    chart_.clear();
    setWindowTitle(kCaption);
  });
}

void AppForm::ApplyStoredGeometry() {
  const WindowGeometry& stored = session_.Options.Window;
  if (stored.State == WindowState::Maximised) {
    setWindowState(windowState() | Qt::WindowMaximized);
    return;
  }
  QRect frame = geometry();
  const auto pixels = [](float twips) { return static_cast<int>(twips / kTwipsPerPixel); };
  if (stored.Top != 0) frame.moveTop(pixels(stored.Top));
  if (stored.Left != 0) frame.moveLeft(pixels(stored.Left));
  if (stored.Width != 0) frame.setWidth(std::max(200, pixels(stored.Width)));
  if (stored.Height != 0) frame.setHeight(std::max(150, pixels(stored.Height)));
  setGeometry(frame);
}

void AppForm::StoreGeometry() {
  WindowGeometry& stored = session_.Options.Window;
  const QRect frame = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  const auto twips = [](int pixels) { return static_cast<float>(pixels * kTwipsPerPixel); };
  stored.Top = twips(frame.top());
  stored.Left = twips(frame.left());
  stored.Width = twips(frame.width());
  stored.Height = twips(frame.height());
  stored.State = isMaximized()   ? WindowState::Maximised
                 : isMinimized() ? WindowState::Minimised
                                 : WindowState::Normal;
}

// Closing: the children first (the chart autosaves and resets), then the settings file.
void AppForm::closeEvent(QCloseEvent* event) {
  if (activity_.Closing()) {
    event->accept();
    return;
  }
  // Not in the middle of a command: a read or a batch (Esc in the progress window stops those
  // first) or a dialog. Exit asks to close once its own command has ended.
  if (!activity_.Idle()) {
    event->ignore();
    return;
  }
  mdiArea_->closeAllSubWindows();
  if (!mdiArea_->subWindowList().isEmpty()) {
    event->ignore();
    return;
  }
  activity_.CloseAccepted();
  // Whatever the chart window's closing did, the loaded file's outputs are not lost.
  RunCommand([&] { AutosaveOutputs(session_, feedback_); });
  StoreGeometry();
  WriteSettings(session_, feedback_, SettingsPath(session_));
  event->accept();
}

void AppForm::dragEnterEvent(QDragEnterEvent* event) {
  if (activity_.Idle() && event->mimeData()->hasUrls() &&
      event->mimeData()->urls().front().isLocalFile())
    event->acceptProposedAction();
}

void AppForm::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!activity_.Idle() || urls.isEmpty() || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  // Only the first dropped file is taken.
  LoadDroppedFile(urls.front().toLocalFile());
}
