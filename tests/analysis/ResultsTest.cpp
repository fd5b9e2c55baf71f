// The results row, the PF view, FL.RES and DF.RES, and the edits of the results table.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "analysis/DFPeaks.h"
#include "analysis/PFResults.h"
#include "analysis/ResultFiles.h"
#include "data/FileIO.h"
#include "data/Measurement.h"
#include "support/TestSupport.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

// A loaded measurement with the given PF points 1..N at times 0.5, 1.0, ..., arrays sized to N+1
// as the native reader sizes them, and its results row 1 chosen.
Session Loaded(const std::vector<float>& pf) {
  Session session;
  Measurement& m = session.Record;
  SizeCurveArrays(m, static_cast<int>(pf.size()) + 1);
  m.PointCount = static_cast<int>(pf.size());
  for (size_t i = 0; i < pf.size(); ++i) {
    m.TimeValues[i + 1] = 0.5f * static_cast<float>(i + 1);
    m.PFValues[i + 1] = pf[i];
  }
  m.CurrentFileName = "leaf1.tmk";
  FillResultColumnNames(session.Results);
  session.Results.ResultRowCount = session.Results.ResultRow = 1;
  return session;
}

// Fi = 4, Fd = 6, Fm = 8, Fs = 15; I1 at point 3 (DF 60), I4 at point 10 (DF 100).
Session Typical() {
  Session session =
      Loaded({100, 120, 150, 160, 155, 150, 170, 400, 300, 250, 240, 230, 220, 210, 200});
  session.Record.PFPoints = {0, 4, 6, 8, 0, 0, 15};
  session.Record.DFValues[3] = 60;
  session.Record.DFValues[10] = 100;
  session.Record.DFPoints[1].I = 3;
  session.Record.DFPoints[4].I = 10;
  return session;
}

TEST(PFResultRow, HoldsTheValuesAndRatiosWithTwoDecimalsInTheFilesRowOnly) {
  Session session = Typical();
  FillPFResultRow(session);
  // The DF fields I1, D1, ..., D6 and the file's path (none here) are kept with the row.
  const ResultRowCells expected = {
      "leaf1.tmk", "100.00", "160.00", "150.00", "400.00", "0.00", "0.00", "200.00", "3.00", "0.75",
      "2.00",      "1.00",   "0.50",   "0.13",   "0.50",   "0.25", "60.0", "0.0",    "0.0",  "0.0",
      "0.0",       "0.0",    "100.0",  "0.0",    "0.0",    "0.0",  "0.0",  "0.0",    ""};
  EXPECT_EQ(session.Results.Rows.at(1), expected);
  session.Results.ResultRow = 0;  // never the row of column names
  FillPFResultRow(session);
  EXPECT_EQ(session.Results.Cell(0, 1), "Fo");
}

TEST(PFResultRow, SkippedColumnsKeepTheirOldText) {
  // Fo = 0 makes Fv/Fo a division by zero; a 10-point file has no point 15 for F150/Fm.
  Session session = Loaded({0, 120, 150, 160, 155, 150, 170, 400, 300, 250});
  session.Record.PFPoints = {0, 4, 6, 8, 0, 0, 9};
  for (int c = 1; c < kResultColumnCount; ++c) session.Results.Cell(1, c) = "old";
  FillPFResultRow(session);
  const auto& row = session.Results.Rows.at(1);
  EXPECT_EQ(row[8], "old");
  EXPECT_EQ(row[9], "1.00");
  EXPECT_EQ(row[11], "0.33");
  EXPECT_EQ(row[12], "old");
  // An infinite Fm is written as it is; the ratios it makes no finite number keep their old text.
  session.Record.PFValues[8] = std::numeric_limits<float>::infinity();
  for (int c = 1; c < kResultColumnCount; ++c) session.Results.Cell(1, c) = "old";
  FillPFResultRow(session);
  EXPECT_EQ(row[4], "Inf");
  for (int c : {9, 10, 11}) EXPECT_EQ(row[c], "old") << "column " << c;
  EXPECT_EQ(row[13], "0.00");
}

// A DF peak kept from a longer recording: point 16 of a 15-point curve lies inside the arrays (as
// the native reader sizes them) but has no value, so its ratio is left out like its DF field.
TEST(PFResultRow, ARatioOfAKeptPeakBeyondTheCurveIsEmptyInTheRowAndLeftOutOfTheView) {
  Session session = Typical();
  session.Record.DFPoints[4].I = 16;
  for (int c = 1; c < kResultColumnCount; ++c) session.Results.Cell(1, c) = "old";
  FillPFResultRow(session);
  const auto& row = session.Results.Rows.at(1);
  EXPECT_EQ(row[14], "0.50");
  EXPECT_EQ(row[15], "");
  EXPECT_EQ(row[kResultColumnCount + 6], "");  // I4
  const std::string view = ViewPFPeaksText(session.Record);
  EXPECT_TRUE(view.ends_with("Fm/Fs = 2.00\r\nI1/Fo = 0.50\r\n")) << view;
}

TEST(PFResultRow, ReportsFiAsFoWhenFiLiesBelowFo) {
  Session session = Loaded({100, 120, 90, 95, 94, 93, 92, 400});
  session.Record.PFPoints = {0, 3, 4, 8, 0, 0, 7};
  FillPFResultRow(session);
  EXPECT_EQ(session.Results.Cell(1, 2), "100.00");
  EXPECT_EQ(session.Results.Cell(1, 3), "95.00");
}

TEST(ResultFileName, StrippedNamesKeepSevenCharactersAndTheLastInEightColumns) {
  EXPECT_EQ(ResultFileNameCell("leaf0123456.tmk", true), "leaf0126");
  EXPECT_EQ(ResultFileNameCell("ab.tmk", true), "abb     ");
  EXPECT_EQ(ResultFileNameCell("leaf0123456.tmk", false), "leaf0123456.tmk");
}

// Values it cannot compute are left out: a ratio over zero, a slot or kept peak beyond the curve.
TEST(PFPeaksView, ListsPointsTimesAndRatiosLeavingOutWhatCannotBeComputed) {
  Session session = Typical();
  const std::string points =
      "Fo = 120\tT(Fo) = 0.5\r\nFi = 160.00\tT(Fi) = 2\r\nFd = 150.00\tT(Fd) = 3\r\n";
  EXPECT_EQ(ViewPFPeaksText(session.Record),
            points +
                "Fm = 400.00\tT(Fm) = 4\r\nFs = 200.00\tT(Fs) = 7.5\r\nFv/Fo = 2.33\r\n"
                "Fv/Fm = 0.70\r\nFm/Fs = 2.00\r\nI1/Fo = 0.50\r\nI4/Fm = 0.25\r\n");
  session.Record.PFValues[2] = 0;
  const std::string text = ViewPFPeaksText(session.Record);
  EXPECT_EQ(text.find("Fv/Fo"), std::string::npos);
  EXPECT_EQ(text.find("I1/Fo"), std::string::npos);
  EXPECT_NE(text.find("Fv/Fm = 1.00\r\n"), std::string::npos);
  session = Typical();
  session.Record.PFPoints[kSlotFm] = 900;
  session.Record.DFPoints[1].I = 700;
  EXPECT_EQ(ViewPFPeaksText(session.Record), points + "Fs = 200.00\tT(Fs) = 7.5\r\n");
  EXPECT_EQ(ViewPFPeaksText(Measurement{}), "");
}

TEST(FindResultRow, FindsTheRowOfTheSameFileOnlyAndAddsRowsBeyondAnyFixedSize) {
  Session session;
  FillResultColumnNames(session.Results);
  const auto load = [&](const std::string& path) {
    session.Record.CurrentFilePath = path;
    session.Record.CurrentFileName = FileNameOf(path);
    FindResultRow(session);
    FillPFResultRow(session);
    return session.Results.ResultRow;
  };
  // Stripped names of both files are "leafnam1": still two rows, and each reload finds its own.
  session.Options.StripFileName = true;
  EXPECT_EQ(load("/d/leafname01.dat"), 1);
  EXPECT_EQ(load("/d/leafname11.dat"), 2);
  EXPECT_EQ(session.Results.Cell(1, 0), session.Results.Cell(2, 0));
  EXPECT_EQ(load("/d/leafname01.dat"), 1);
  EXPECT_EQ(load("/e/leafname01.dat"), 3);  // the same name in another folder is another file
  session.Results.ResultRowCount = 700;
  EXPECT_EQ(load("/d/leafname11.dat"), 2);
  EXPECT_EQ(load("/d/leaf3.dat"), 701);
  EXPECT_EQ(session.Results.ResultRowCount, 701);
  // Rows removed before a file's row move it up; the lookup follows.
  ASSERT_TRUE(DeleteResultRows(session.Results, 1, 1));
  EXPECT_EQ(load("/d/leafname11.dat"), 1);
  EXPECT_EQ(load("/d/leaf3.dat"), 700);
  EXPECT_EQ(load("/d/leafname01.dat"), 701);
}

using test::Slurp;
using test::TempFolder;

const std::string kHeading =
    "Filename\tFo\tFi\tFd\tFm\tFm1\tFm2\tFs\tFv/Fo\tFv/Fm\tFm/Fs\tRfd\tF150/Fm\tdFi/Fv\tI1/Fo\t"
    "I4/Fm\tI1\tD1\tI2\tD2\tI3\tD3\tI4\tD4\tI5\tD5\tI6\tD6\t\r\n";
// The DF fields of the loaded measurement: wave 1 at points 2 (1.25) and 3 (0.5), the rest at
// point 0; the last field empty when D6 lies outside the curve.
std::string DFTail(bool lastOutside = false) {
  std::string tail = "1.3\t0.5\t";
  for (int i = 0; i < 10; ++i) tail += (lastOutside && i == 9) ? "\t" : "0.0\t";
  return tail + "\r\n";
}
const std::string kRow1 = "leaf1\t100.00\t" + std::string(14, '\t') + DFTail();
// A stripped name made of digits reads as a number and gets two decimals.
const std::string kRow2 = "12345678.00\t1.50\t" + std::string(14, '\t') + DFTail();

// Two rows in the table, the second the loaded file's, whose curve has 5 points.
Session TwoRows(const std::string& folder) {
  Session session;
  session.Options.DataFolder = folder;
  SizeCurveArrays(session.Record, 6);
  session.Record.PointCount = 5;
  session.Record.DFValues[2] = 1.25f;
  session.Record.DFValues[3] = 0.5f;
  session.Record.DFPoints[1] = {2, 3};
  session.Record.CurrentFileName = "leaf2.tmk";
  ResultTable& table = session.Results;
  FillResultColumnNames(table);
  table.Cell(1, 0) = "leaf1";
  table.Cell(1, 1) = "100";
  table.Cell(2, 0) = "12345678";
  table.Cell(2, 1) = "1.5";
  table.ResultRowCount = table.ResultRow = 2;
  for (int r = 1; r <= 2; ++r) {
    std::fill(table.Rows[r].begin() + kResultColumnCount, table.Rows[r].end() - 1, "0.0");
    table.Cell(r, kResultColumnCount) = "1.3";
    table.Cell(r, kResultColumnCount + 1) = "0.5";
  }
  return session;
}

TEST(FLRes, IsCreatedWithEveryRowThenBackedUpAndAppendedQuietlyOrAsTheAnswerSays) {
  TempFolder folder;
  Session session = TwoRows(folder.Path());
  ScriptedFeedback feedback;
  EXPECT_TRUE(WriteFLRes(session, feedback, true));  // a new file: the heading and every row
  EXPECT_EQ(Slurp(folder.File("fl.res")), kHeading + kRow1 + kRow2);
  EXPECT_TRUE(WriteFLRes(session, feedback, true));  // the loaded file's row only
  const std::string written = kHeading + kRow1 + kRow2 + kRow2;
  EXPECT_EQ(Slurp(folder.File("fl.res")), written);
  EXPECT_EQ(Slurp(folder.File("fl.bak")), kHeading + kRow1 + kRow2);
  feedback.Answers = {Answer::Yes, Answer::Cancel, Answer::No, Answer::No, Answer::No, Answer::Yes};
  WriteFLRes(session, feedback, false);  // every row again
  EXPECT_EQ(Slurp(folder.File("fl.res")), written + kRow1 + kRow2);
  WriteFLRes(session, feedback, false);
  WriteFLRes(session, feedback, false);  // replacing, but not sure
  EXPECT_EQ(Slurp(folder.File("fl.res")), written + kRow1 + kRow2);
  WriteFLRes(session, feedback, false);
  EXPECT_EQ(Slurp(folder.File("fl.res")), kHeading + kRow1 + kRow2);
  EXPECT_EQ(feedback.Questions.at(0), "File FL.RES already exists. Append data at end of file?");
  EXPECT_EQ(feedback.Questions.at(3), "Are you sure?");
  EXPECT_TRUE(feedback.Messages.empty());

  session.Options.DataFolder = folder.File("missing");
  EXPECT_FALSE(WriteFLRes(session, feedback, true));
  EXPECT_EQ(feedback.MessageTexts(), std::vector<std::string>{"fl.res: Path not found"});
  EXPECT_EQ(feedback.Messages[0].Icon, MessageIcon::Critical);
}

TEST(DFRes, ABlockIsTheNameAndNineTableLinesThenAnEmptyLineAppendedAfterABackup) {
  TempFolder folder;
  Session session = TwoRows(folder.Path());
  FillDFPeakTable(session);
  ScriptedFeedback feedback;
  EXPECT_TRUE(WriteDFRes(session, feedback, true));
  const std::string block = Slurp(folder.File("df.res"));
  EXPECT_EQ(block.substr(0, 7), "leaf2\r\n");
  EXPECT_EQ(block.size(), 7 + 9 * (73 + 2) + 2);  // every table line is 73 characters

  EXPECT_TRUE(WriteDFRes(session, feedback, true));
  EXPECT_EQ(Slurp(folder.File("df.res")), block + block);
  EXPECT_EQ(Slurp(folder.File("df.bak")), block);
  feedback.Answers = {Answer::No, Answer::Yes};
  EXPECT_TRUE(WriteDFRes(session, feedback, false));
  EXPECT_EQ(Slurp(folder.File("df.res")), block);
}

TEST(ResultRows, DeletingShiftsTheRestButNeverTheLastOrTheLoadedFilesRowAndClearingKeepsOnlyIt) {
  Session session = TwoRows("");
  ResultTable& table = session.Results;
  table.Cell(3, 0) = "leaf3";
  table.Cell(4, 0) = "leaf4";
  table.ResultRowCount = 4;
  EXPECT_FALSE(DeleteResultRows(table, 3, 4));  // the last row
  EXPECT_FALSE(DeleteResultRows(table, 1, 2));  // the loaded file's row
  EXPECT_FALSE(DeleteResultRows(table, 2, 1));  // no rows
  EXPECT_TRUE(DeleteResultRows(table, 1, 1));
  EXPECT_EQ(table.ResultRowCount, 3);
  EXPECT_EQ(table.Cell(2, 0), "leaf3");
  EXPECT_EQ(table.ResultRow, 1);  // the loaded file's row moved up with it
  EXPECT_EQ(table.Cell(4, 0), "");

  session.Record.CurrentFilePath = "/data/leaf2.tmk";
  ClearResultTable(session);
  EXPECT_EQ(table.ResultRowCount, 1);
  EXPECT_EQ(table.Cell(0, 15), "I4/Fm");
  EXPECT_EQ(table.Cell(1, 0), "leaf2.tmk");
  EXPECT_EQ(table.Cell(2, 0), "");
  session.Record.CurrentFilePath.clear();
  ClearResultTable(session);
  EXPECT_EQ(table.ResultRowCount, 0);  // no row when nothing is loaded
}

// A point beyond the loaded curve empties its field but keeps the row, and is named.
TEST(FLRes, EveryRowKeepsTheDFFieldsOfItsOwnMeasurementAndPointsBeyondTheCurveAreNamed) {
  TempFolder folder;
  Session session = TwoRows(folder.Path());
  session.Results.ResultRowCount = session.Results.ResultRow = 1;
  session.Record.CurrentFileName = "leaf1.tmk";
  FillPFResultRow(session);
  session.Record.DFValues[2] = 7.5f;  // the next file, with another I1
  session.Record.DFPoints[6].D = 6;   // inside the arrays, beyond the 5 points of the curve
  EXPECT_TRUE(DFPointBeyondCurve(session.Record, 6));
  EXPECT_FALSE(DFPointBeyondCurve(session.Record, 5));
  session.Record.CurrentFileName = "leaf2.tmk";
  session.Record.CurrentFilePath = folder.File("leaf2.tmk");
  FindResultRow(session);
  FillPFResultRow(session);
  ScriptedFeedback feedback;
  ASSERT_TRUE(WriteFLRes(session, feedback, false));  // a new file: no question
  EXPECT_TRUE(feedback.Questions.empty());
  session.Record.DFPoints[4].I = 500;
  ASSERT_TRUE(WriteFLRes(session, feedback, true));
  EXPECT_EQ(feedback.MessageTexts(),
            (std::vector<std::string>{"D6 lies beyond the 5 points of leaf2.tmk",
                                      "I4, D6 lie beyond the 5 points of leaf2.tmk"}));
  EXPECT_EQ(feedback.Messages[0].Icon, MessageIcon::Exclamation);
  const std::string text = Slurp(folder.File("fl.res"));
  const std::string second = DFTail(true).replace(0, 3, "7.5");
  EXPECT_NE(text.find(DFTail() + "leaf2.tmk\t"), std::string::npos) << text;
  EXPECT_EQ(LastChars(text, second.size()), second);
}

}  // namespace
}  // namespace tolmek
