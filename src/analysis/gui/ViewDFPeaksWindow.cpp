#include "ViewDFPeaksWindow.h"

#include <QHeaderView>
#include <QMenu>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/DFPeaks.h"
#include "analysis/ResultFiles.h"
#include "data/NumberText.h"
#include "ui/gui/QtFeedback.h"

namespace tolmek {

namespace {

constexpr int kWaveColumns = kDFTableColumns - 1;
constexpr int kValueRows = kDFTableRows - 1;

// Grid cells are the table's rows 1..8 and wave columns 1..6.
int TableIndex(int gridIndex) {
  return gridIndex + 1;
}

}  // namespace

ViewDFPeaks::ViewDFPeaks(Session& session, Feedback& feedback, QWidget* parent)
    : TableWindow(session, feedback, QSize(560, 300), parent),
      Grid1(new QTableWidget(kValueRows, kWaveColumns, this)) {
  setWindowTitle("DF Min/Max");
  Grid1->setObjectName("Grid1");
  Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
  // Columns share the width beside the labels, rows the height below the heading.
  Grid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  Grid1->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Grid1);
  BuildMenus();
  Refresh();
  Grid1->setCurrentCell(0, 0);
}

void ViewDFPeaks::BuildMenus() {
  fileMenu_ = MakeFileMenu(
      "&Save to DF.RES", "&Close", [this] { WriteDFRes(session_, feedback_, false); }, kDFResName);

  editMenu_ = new QMenu("&Edit", this);
  AddCommand(editMenu_, "&Copy", QKeySequence("Ctrl+C"), [this] { Copy(); });
  AddCommand(editMenu_, "&Delete", QKeySequence(Qt::Key_Delete), [this] { Delete(); });
  editMenu_->addSeparator();
  AddCommand(editMenu_, "Move &Left", {}, [this] { Move(true); });
  AddCommand(editMenu_, "Move &Right", {}, [this] { Move(false); });

  windowMenu_ = MakeWindowMenu();
}

QList<QMenu*> ViewDFPeaks::WindowMenus() {
  return {fileMenu_, editMenu_, windowMenu_};
}

void ViewDFPeaks::Refresh() {
  const DFPeakTable& table = session_.DFTable;
  for (int c = 0; c < kWaveColumns; ++c)
    Grid1->setHorizontalHeaderItem(
        c, new QTableWidgetItem(ToQString(Trim(table.Cells[0][TableIndex(c)]))));
  for (int r = 0; r < kValueRows; ++r) {
    const auto& row = table.Cells[TableIndex(r)];
    Grid1->setVerticalHeaderItem(r, new QTableWidgetItem(ToQString(Trim(row[0]))));
    for (int c = 0; c < kWaveColumns; ++c)
      SetCellText(*Grid1, r, c, row[TableIndex(c)], Qt::AlignRight | Qt::AlignVCenter);
  }
}

void ViewDFPeaks::Copy() {
  const auto cells = SelectedCells(*Grid1);
  if (!cells) return;
  CopyToClipboard(DFPeakTableCopyText(session_.DFTable, TableIndex(cells->FirstRow),
                                      TableIndex(cells->LastRow), TableIndex(cells->FirstColumn),
                                      TableIndex(cells->LastColumn)));
}

void ViewDFPeaks::Delete() {
  const int row = Grid1->currentRow();
  const int column = Grid1->currentColumn();
  if (row < 0 || column < 0 || !AreYouSure(feedback_)) return;
  feedback_.SetBusy(true);
  const bool deleted = DeleteDFPeak(session_, TableIndex(column), TableIndex(row));
  feedback_.SetBusy(false);
  if (deleted) AfterEdit();
}

void ViewDFPeaks::Move(bool left) {
  auto cells = SelectedCells(*Grid1);
  if (!cells || !AreYouSure(feedback_)) return;
  const int first = TableIndex(cells->FirstColumn);
  const int last = TableIndex(cells->LastColumn);
  const bool moved =
      left ? MoveDFPeaksLeft(session_, first, last) : MoveDFPeaksRight(session_, first, last);
  if (!moved) {
    feedback_.Beep();
    return;
  }
  // The selection travels with the waves it holds.
  const int step = left ? -1 : 1;
  cells->FirstColumn += step;
  cells->LastColumn += step;
  AfterEdit();
  SelectCells(*Grid1, *cells);
}

void ViewDFPeaks::AfterEdit() {
  Refresh();
  emit PointsChanged();
  if (session_.Options.AutoRedraw) emit RedrawRequested();
}

}  // namespace tolmek
