// The table windows driven as a user drives them: menu commands, selections, the clipboard, and
// questions answered by the scripted feedback.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <string>
#include <vector>

#include "analysis/DFPeaks.h"
#include "analysis/PFResults.h"
#include "analysis/gui/JipTestWindow.h"
#include "analysis/gui/QtTableWindows.h"
#include "analysis/gui/Resform.h"
#include "analysis/gui/ViewDFPeaksWindow.h"
#include "analysis/gui/ViewPFPeaksWindow.h"
#include "app/LoadSequence.h"
#include "data/FileIO.h"
#include "data/NumberText.h"
#include "data/OjipTextFile.h"
#include "support/TestSupport.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

using test::Slurp;
using test::Split;
using test::TempFolder;

void Trigger(MenuProvider& window, const QString& caption) {
  for (QMenu* menu : window.WindowMenus())
    for (QAction* action : menu->actions())
      if (action->text() == caption) return action->trigger();
  FAIL() << caption.toStdString();
}

std::string CellText(const QTableWidget& grid, int row, int column) {
  const QTableWidgetItem* item = grid.item(row, column);
  return item != nullptr ? item->text().toStdString() : std::string();
}

std::string Clipboard() {
  return QApplication::clipboard()->text().toStdString();
}

class TableWindows : public testing::Test {
 protected:
  TableWindows() {
    session.Options.DataFolder = folder.Path();
    FillResultColumnNames(session.Results);
  }

  void Load(const std::string& name) {
    CopyWholeFile(std::string(TOLMEK_EXAMPLES_DIR) + "/" + name, folder.File(name));
    session.Record.CurrentFileName = name;
    session.Record.CurrentFilePath = folder.File(name);
    ASSERT_EQ(LoadCurrentFile(session, feedback), ReadOutcome::Loaded);
  }

  TempFolder folder;
  Session session;
  ScriptedFeedback feedback;
};

TEST_F(TableWindows, ShowTheValuesTheResultFilesThenHoldAndCopyTheSameCells) {
  Load("leaf01.tmk");
  ViewPFPeaks pf(session, feedback);
  ViewDFPeaks df(session, feedback);
  Resform results(session, feedback);
  // A point set on the chart: the tables are recomputed and the windows follow.
  session.Record.PFPoints[kSlotFm] = 40;
  FillDFPeakTable(session);
  FillPFResultRow(session);
  for (TableWindow* window : std::initializer_list<TableWindow*>{&pf, &df, &results})
    window->Refresh();
  const std::string fm = FormatFixed(session.Record.PFValues[40]);
  EXPECT_NE(pf.findChild<QPlainTextEdit*>("Text1")->toPlainText().toStdString().find("Fm = " + fm +
                                                                                     "\tT(Fm) = "),
            std::string::npos);

  Trigger(results, "&Save to FL.RES");
  const auto* grid = results.findChild<QTableWidget*>("Grid1");
  ASSERT_EQ(grid->rowCount(), 1);
  const auto fields = Split(Split(Slurp(folder.File("fl.res")), '\n').at(1), '\t');
  for (int c = 0; c < kResultColumnCount; ++c) EXPECT_EQ(CellText(*grid, 0, c), fields.at(c)) << c;
  EXPECT_EQ(CellText(*grid, 0, 4), fm);

  grid = df.findChild<QTableWidget*>("Grid1");
  Trigger(df, "&Save to DF.RES");
  const auto lines = Split(Slurp(folder.File("df.res")), '\n');
  for (int r = 1; r < kDFTableRows; ++r)
    for (int c = 1; c < kDFTableColumns; ++c)
      EXPECT_EQ(CellText(*grid, r - 1, c - 1), lines.at(r + 1).substr(7 + 11 * (c - 1), 9));

  // Copy of the whole table: TAB after every cell, CR LF after every row, trimmed cells.
  auto* resultsGrid = results.findChild<QTableWidget*>("Grid1");
  SelectCells(*resultsGrid, {0, 0, 1, 3});
  Trigger(results, "&Copy");
  EXPECT_EQ(Clipboard(), "\tFo\tFi\tFd\t\r\nleaf01.tmk\t" + CellText(*resultsGrid, 0, 1) + "\t" +
                             CellText(*resultsGrid, 0, 2) + "\t" + CellText(*resultsGrid, 0, 3) +
                             "\t\r\n");
}

// A refresh sets only the cells that changed, yet shows every change: a longer text widens its
// column, removed rows go, and the rows that move up show their own values.
TEST_F(TableWindows, TheResultsGridFollowsEveryChangeOfTheTable) {
  ResultTable& table = session.Results;
  for (int r = 1; r <= 3; ++r) {
    table.Cell(r, 0) = "leaf" + std::to_string(r) + ".tmk";
    for (int c = 1; c < kResultColumnCount; ++c) table.Cell(r, c) = std::to_string(r * 100 + c);
  }
  table.ResultRowCount = 3;
  Resform results(session, feedback);
  const auto* grid = results.findChild<QTableWidget*>("Grid1");
  const int width = grid->columnWidth(5);
  table.Cell(2, 5) = "123456789012345678901234567890.5";
  results.Refresh();
  EXPECT_EQ(CellText(*grid, 1, 5), table.Cell(2, 5));
  EXPECT_GT(grid->columnWidth(5), width);
  EXPECT_GE(grid->columnWidth(5),
            grid->fontMetrics().horizontalAdvance("123456789012345678901234567890.5"));
  table.Rows.erase(table.Rows.begin() + 1);
  table.ResultRowCount = 2;
  results.Refresh();
  ASSERT_EQ(grid->rowCount(), 2);
  EXPECT_EQ(CellText(*grid, 0, 0), "leaf2.tmk");
  EXPECT_EQ(CellText(*grid, 1, 5), "305");
}

TEST_F(TableWindows, DFEditsAskFirstBeepAtTheEdgeAndMoveTheSelectionWithTheWaves) {
  Load("leaf01.tmk");
  ViewDFPeaks df(session, feedback);
  auto* grid = df.findChild<QTableWidget*>("Grid1");
  QSignalSpy changed(&df, &ViewDFPeaks::PointsChanged);
  QSignalSpy redraw(&df, &ViewDFPeaks::RedrawRequested);
  const auto before = session.Record.DFPoints;
  ASSERT_NE(before[2].I, 0);
  Trigger(df, "Open in Text &Editor");  // nothing saved yet
  EXPECT_EQ(feedback.MessageTexts(),
            std::vector<std::string>{folder.File("df.res") + "\rFile not found"});

  feedback.Answers = {Answer::Yes, Answer::Yes, Answer::No, Answer::Yes};
  SelectCells(*grid, {0, 0, 0, 0});
  Trigger(df, "Move &Left");  // wave 1 has no wave to its left
  EXPECT_EQ(feedback.Beeps, 1);
  SelectCells(*grid, {0, 0, 1, 2});
  Trigger(df, "Move &Left");
  EXPECT_EQ(session.Record.DFPoints[1], before[2]);
  EXPECT_EQ(session.Record.DFPoints[2], before[3]);
  EXPECT_EQ(session.Record.DFPoints[3], DFPeakPair{});
  const auto moved = SelectedCells(*grid);
  EXPECT_EQ(moved->FirstColumn, 0);
  EXPECT_EQ(moved->LastColumn, 1);
  EXPECT_EQ(CellText(*grid, 0, 0), session.DFTable.Cells[1][1]);  // the grid followed

  SelectCells(*grid, {2, 2, 1, 1});  // dI/dt of wave 2 belongs to its induction maximum
  Trigger(df, "&Delete");            // answered No
  EXPECT_EQ(session.Record.DFPoints[2], before[3]);
  Trigger(df, "&Delete");
  EXPECT_EQ(session.Record.DFPoints[2], (DFPeakPair{0, before[3].D}));
  EXPECT_EQ(changed.count(), 2);
  EXPECT_EQ(redraw.count(), 2);
  EXPECT_EQ(feedback.Questions, std::vector<std::string>(4, "Are you sure?"));

  SelectCells(*grid, {0, 1, 0, 0});
  Trigger(df, "&Copy");
  EXPECT_EQ(Clipboard(), "\t1\t\r\nDF(I)\t" + Trim(session.DFTable.Cells[1][1]) + "\t\r\nDF(D)\t" +
                             Trim(session.DFTable.Cells[2][1]) + "\t\r\n");
  grid->setCurrentCell(-1, -1);
  Trigger(df, "&Copy");  // nothing selected: the clipboard stays
  Trigger(df, "&Delete");
  EXPECT_EQ(feedback.Questions.size(), 4u);
  EXPECT_NE(Clipboard().find("DF(I)"), std::string::npos);
}

TEST_F(TableWindows, AFileLoadedTwiceHasOneRowAndOnlyOtherFilesRowsCanBeDeletedOrCleared) {
  Load("leaf01.tmk");
  Load("leaf04.tmk");
  Load("leaf01.tmk");
  Resform results(session, feedback);
  auto* grid = results.findChild<QTableWidget*>("Grid1");
  QSignalSpy changed(&results, &Resform::RowsChanged);
  ASSERT_EQ(grid->rowCount(), 2);
  EXPECT_EQ(CellText(*grid, 0, 0), "leaf01.tmk");

  feedback.Answers = {Answer::Yes, Answer::Yes, Answer::No, Answer::Yes};
  SelectCells(*grid, {0, 0, 0, 15});  // the loaded file's row
  Trigger(results, "&Delete rows");
  SelectCells(*grid, {1, 1, 0, 0});  // the last row
  Trigger(results, "&Delete rows");
  EXPECT_EQ(feedback.Beeps, 2);
  EXPECT_EQ(grid->rowCount(), 2);

  Trigger(results, "C&lear");  // answered No
  EXPECT_EQ(grid->rowCount(), 2);
  Trigger(results, "C&lear");
  EXPECT_EQ(feedback.Questions.back(), "This will clear the whole table. Are you sure?");
  ASSERT_EQ(grid->rowCount(), 1);
  EXPECT_EQ(CellText(*grid, 0, 0), "leaf01.tmk");
  EXPECT_EQ(changed.count(), 1);
}

TEST_F(TableWindows, OpenedFromTheMainWindowEachShowsOnceAndAnEditInOneRefreshesTheOthers) {
  Load("leaf01.tmk");
  QMdiArea area;
  QtTableWindows tables(session, feedback, &area, &area);
  QSignalSpy changed(&tables, &QtTableWindows::TablesChanged);
  tables.ShowDFPeaks();
  tables.ShowResults();
  tables.ShowDFPeaks();
  const auto windows = area.subWindowList();
  ASSERT_EQ(windows.size(), 2);
  auto* df = qobject_cast<ViewDFPeaks*>(windows[0]->widget());
  auto* grid = windows[1]->widget()->findChild<QTableWidget*>("Grid1");
  const std::string i1Fo = CellText(*grid, 0, 14);

  feedback.Answers = {Answer::Yes};
  SelectCells(*df->findChild<QTableWidget*>("Grid1"), {0, 0, 0, 0});
  Trigger(*df, "&Delete");  // I1: the ratio I1/Fo of the results row changes
  EXPECT_EQ(CellText(*grid, 0, 14), session.Results.Cell(1, 14));
  EXPECT_NE(CellText(*grid, 0, 14), i1Fo);
  EXPECT_EQ(changed.count(), 1);
}

TEST(JipTestWindow, ShowsTheLoadedMeasurementFollowsAMovedFmAndCopiesItsText) {
  Session session;
  ScriptedFeedback feedback;
  JipTestWindow window(session, feedback);
  auto* text = window.findChild<QPlainTextEdit*>("Text1");
  EXPECT_EQ(text->toPlainText(), "");  // nothing loaded
  session.Record.CurrentFilePath = std::string(TOLMEK_TEST_DATA_DIR) + "/ojip-export-2.txt";
  ASSERT_EQ(ReadOjipTextFile(session, feedback, session.Record.CurrentFilePath),
            ReadOutcome::Loaded);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(text->toPlainText().contains("\nFm = 34299.00\ntFm = 1.52\n"));
  session.Record.PFPoints[kSlotFm] = 278;  // the P step at 231.621 ms
  window.Refresh();
  EXPECT_TRUE(text->toPlainText().contains("\nFm = 34201.00\ntFm = 231.62\n"));
  window.CopyAction()->trigger();
  EXPECT_TRUE(Clipboard().starts_with("Fo = 27114.00\r\nFk = 31178.00\r\n")) << Clipboard();
  EXPECT_TRUE(feedback.Messages.empty());
}

// Opened from the main window, the JIP-test shows its whole text without scrolling.
TEST(JipTestWindow, OpensSizedToItsText) {
  Session session;
  ScriptedFeedback feedback;
  session.Record.CurrentFilePath = std::string(TOLMEK_TEST_DATA_DIR) + "/ojip-export-2.txt";
  ASSERT_EQ(ReadOjipTextFile(session, feedback, session.Record.CurrentFilePath),
            ReadOutcome::Loaded);
  QMdiArea area;
  area.resize(1200, 900);
  area.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
  QtTableWindows tables(session, feedback, &area, &area);
  tables.ShowJipTest();
  auto* text = area.findChild<QPlainTextEdit*>("Text1");
  ASSERT_NE(text, nullptr);
  QApplication::processEvents();
  EXPECT_GT(text->document()->blockCount(), 20);
  EXPECT_EQ(text->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(text->horizontalScrollBar()->maximum(), 0);
}

}  // namespace
}  // namespace tolmek
