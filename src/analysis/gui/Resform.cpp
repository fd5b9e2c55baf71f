#include "Resform.h"

#include <QHeaderView>
#include <QMenu>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/ResultFiles.h"
#include "ui/gui/QtFeedback.h"

namespace tolmek {

namespace {

// Column widths in 1/1440 inch: the file name, then the values.
constexpr int kNameColumnTwips = 1100;
constexpr int kValueColumnTwips = 650;
constexpr int kTwipsPerInch = 1440;

// Grid row r shows the table's row r + 1; columns are the same.
int TableRow(int gridRow) {
  return gridRow + 1;
}

}  // namespace

Resform::Resform(Session& session, Feedback& feedback, QWidget* parent)
    : TableWindow(session, feedback, QSize(900, 260), parent),
      Grid1(new QTableWidget(0, kResultColumnCount, this)) {
  setWindowTitle("Results");
  Grid1->setObjectName("Grid1");
  Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
  Grid1->verticalHeader()->hide();  // one fixed row, no fixed column
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Grid1);
  BuildMenus();
  Refresh();
}

void Resform::SetColumnWidths() {
  // The columns are at least as wide as the classic layout and wide enough for their texts, so a
  // value is never shown cut short.
  const int dpi = logicalDpiX();
  for (int c = 0; c < kResultColumnCount; ++c) {
    const int twips = c == 0 ? kNameColumnTwips : kValueColumnTwips;
    Grid1->resizeColumnToContents(c);
    Grid1->setColumnWidth(c, std::max(Grid1->columnWidth(c), twips * dpi / kTwipsPerInch));
  }
}

void Resform::BuildMenus() {
  fileMenu_ = MakeFileMenu(
      "&Save to FL.RES", "Cl&ose", [this] { WriteFLRes(session_, feedback_, false); }, kFLResName);

  editMenu_ = new QMenu("&Edit", this);
  AddCommand(editMenu_, "&Copy", QKeySequence("Ctrl+C"), [this] { Copy(); });
  AddCommand(editMenu_, "&Delete rows", QKeySequence(Qt::Key_Delete), [this] { DeleteRows(); });
  AddCommand(editMenu_, "C&lear", QKeySequence("Shift+Del"), [this] { Clear(); });

  windowMenu_ = MakeWindowMenu();
}

QList<QMenu*> Resform::WindowMenus() {
  return {fileMenu_, editMenu_, windowMenu_};
}

void Resform::Refresh() {
  const ResultTable& table = session_.Results;
  for (int c = 0; c < kResultColumnCount; ++c) {
    const QString heading = ToQString(table.Cell(0, c));
    const QTableWidgetItem* item = Grid1->horizontalHeaderItem(c);
    if (item == nullptr || item->text() != heading)
      Grid1->setHorizontalHeaderItem(c, new QTableWidgetItem(heading));
  }
  const int rows = std::max(0, static_cast<int>(table.ResultRowCount));
  const bool fewerRows = rows < static_cast<int>(shown_.size());
  if (Grid1->rowCount() != rows) Grid1->setRowCount(rows);
  shown_.resize(static_cast<size_t>(rows));
  // Only the cells whose text changed are set: after a step of a walk that is one row of
  // thousands. A column widens as far as a changed cell needs.
  std::vector<std::pair<int, int>> changed;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < kResultColumnCount; ++c) {
      const std::string& text = table.Cell(TableRow(r), c);
      std::string& shown = shown_[static_cast<size_t>(r)][static_cast<size_t>(c)];
      if (shown == text && Grid1->item(r, c) != nullptr) continue;
      SetCellText(*Grid1, r, c, text,
                  c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
      shown = text;
      changed.emplace_back(r, c);
    }
  }
  if (fewerRows || !widthsSet_) {
    SetColumnWidths();
    widthsSet_ = true;
    return;
  }
  const int gridLine = Grid1->showGrid() ? 1 : 0;
  for (const auto& [r, c] : changed) {
    const int needed = Grid1->sizeHintForIndex(Grid1->model()->index(r, c)).width() + gridLine;
    if (needed > Grid1->columnWidth(c)) Grid1->setColumnWidth(c, needed);
  }
}

void Resform::Copy() {
  const auto cells = SelectedCells(*Grid1);
  if (!cells) return;
  CopyToClipboard(ResultTableCopyText(session_.Results, TableRow(cells->FirstRow),
                                      TableRow(cells->LastRow), cells->FirstColumn,
                                      cells->LastColumn));
}

void Resform::DeleteRows() {
  const auto cells = SelectedCells(*Grid1);
  if (!cells || !AreYouSure(feedback_)) return;
  // The last row (the latest file's) and the loaded file's row stay.
  if (!DeleteResultRows(session_.Results, TableRow(cells->FirstRow), TableRow(cells->LastRow))) {
    feedback_.Beep();
    return;
  }
  Refresh();
  emit RowsChanged();
}

void Resform::Clear() {
  if (feedback_.Ask(kClearTableQuestion, Buttons::YesNo, MessageIcon::Exclamation, Answer::No) !=
      Answer::Yes)
    return;
  ClearResultTable(session_);
  Refresh();
  emit RowsChanged();
}

}  // namespace tolmek
