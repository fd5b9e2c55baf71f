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
  for (int c = 0; c < kResultColumnCount; ++c)
    Grid1->setHorizontalHeaderItem(c, new QTableWidgetItem(ToQString(table.Cell(0, c))));
  const int rows = std::max(0, static_cast<int>(table.ResultRowCount));
  Grid1->setRowCount(rows);
  for (int r = 0; r < rows; ++r) {
    SetCellText(*Grid1, r, 0, table.Cell(TableRow(r), 0));
    for (int c = 1; c < kResultColumnCount; ++c)
      SetCellText(*Grid1, r, c, table.Cell(TableRow(r), c), Qt::AlignRight | Qt::AlignVCenter);
  }
  SetColumnWidths();
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
