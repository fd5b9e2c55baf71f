#include "TableWindow.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTableWidget>
#include <QUrl>

#include "data/Errors.h"
#include "data/FileIO.h"
#include "ui/CommandGuard.h"
#include "ui/gui/ChildWindowMenu.h"
#include "ui/gui/QtFeedback.h"

namespace tolmek {

namespace {

constexpr const char* kNoApplicationText = "No application is set up to open this file.";

}  // namespace

std::optional<GridSelection> SelectedCells(const QTableWidget& grid) {
  const int row = grid.currentRow();
  const int column = grid.currentColumn();
  if (row < 0 || column < 0) return std::nullopt;
  GridSelection cells{row, row, column, column};
  // The range that holds the current cell; its far corner ends the selection.
  for (const QTableWidgetSelectionRange& range : grid.selectedRanges()) {
    if (row < range.topRow() || row > range.bottomRow() || column < range.leftColumn() ||
        column > range.rightColumn())
      continue;
    cells = {range.topRow(), range.bottomRow(), range.leftColumn(), range.rightColumn()};
  }
  return cells;
}

void SetCellText(QTableWidget& grid, int row, int column, const std::string& text,
                 Qt::Alignment alignment) {
  QTableWidgetItem* item = grid.item(row, column);
  if (item == nullptr) {
    item = new QTableWidgetItem;
    item->setTextAlignment(alignment);
    grid.setItem(row, column, item);
  }
  item->setText(ToQString(text));
}

void SelectCells(QTableWidget& grid, const GridSelection& cells) {
  grid.clearSelection();
  grid.setCurrentCell(cells.FirstRow, cells.FirstColumn, QItemSelectionModel::NoUpdate);
  grid.setRangeSelected(QTableWidgetSelectionRange(cells.FirstRow, cells.FirstColumn, cells.LastRow,
                                                   cells.LastColumn),
                        true);
}

TableWindow::TableWindow(Session& session, Feedback& feedback, QSize preferredSize, QWidget* parent)
    : QWidget(parent), session_(session), feedback_(feedback), preferredSize_(preferredSize) {}

void TableWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Inside the main window the child window is activated through its frame.
  if (QMdiSubWindow* sub = EnclosingSubWindow(this); sub != nullptr && !activationHooked_) {
    connect(sub, &QMdiSubWindow::aboutToActivate, this, &TableWindow::Refresh);
    activationHooked_ = true;
  }
  Refresh();
}

void TableWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isWindow() && isActiveWindow()) Refresh();
}

void TableWindow::RunCommand(const std::function<void()>& command) {
  if (!RunReportingFailure(feedback_, command)) Refresh();
}

QAction* TableWindow::AddCommand(QMenu* menu, const QString& caption, const QKeySequence& shortcut,
                                 const std::function<void()>& command) {
  auto* action = new QAction(caption, this);
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
  menu->addAction(action);
  addAction(action);
  return action;
}

QMenu* TableWindow::MakeFileMenu(const QString& saveCaption, const QString& closeCaption,
                                 const std::function<void()>& save, const char* resultFileName) {
  auto* menu = new QMenu("&File", this);
  AddCommand(menu, saveCaption, QKeySequence("Ctrl+S"), [this, save] {
    save();
    Refresh();
  });
  const std::string name = resultFileName;
  AddCommand(menu, "Open in Text &Editor", {},
             [this, name] { OpenInTextEditor(JoinPath(session_.Options.DataFolder, name)); });
  menu->addSeparator();
  AddCommand(menu, closeCaption, QKeySequence("Ctrl+W"), [this] { CloseWindow(); });
  return menu;
}

QMenu* TableWindow::MakeWindowMenu() {
  return MakeChildWindowMenu(this);
}

void TableWindow::CloseWindow() {
  CloseChildWindow(this);
}

void TableWindow::CopyToClipboard(const std::string& text) {
  // The text keeps its CR LF row ends, so a spreadsheet pastes the same table.
  QGuiApplication::clipboard()->setText(QFile::decodeName(QByteArray::fromStdString(text)));
}

void TableWindow::OpenInTextEditor(const std::string& path) {
  const QString name = ToQString(path);
  if (!FileExists(path)) {
    feedback_.ShowMessage(path + "\r" + errors::kFileNotFound, MessageIcon::Critical);
    return;
  }
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(name)))
    feedback_.ShowMessage(path + "\r" + kNoApplicationText, MessageIcon::Critical);
}

}  // namespace tolmek
