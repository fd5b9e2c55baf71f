#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "analysis/DFPeaks.h"
#include "analysis/PFResults.h"
#include "analysis/ResultFiles.h"
#include "data/FileIO.h"
#include "data/Measurement.h"
#include "support/TestSupport.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

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
  EXPECT_TRUE(WriteFLRes(session, feedback, 0));  // a new file: heading and every row, no question
  EXPECT_EQ(Slurp(folder.File("fl.res")), kHeading + kRow1 + kRow2);
  EXPECT_TRUE(feedback.Questions.empty());
  EXPECT_TRUE(WriteFLRes(session, feedback, 1));  // the loaded file's row only
  const std::string written = kHeading + kRow1 + kRow2 + kRow2;
  EXPECT_EQ(Slurp(folder.File("fl.res")), written);
  EXPECT_EQ(Slurp(folder.File("fl.bak")), kHeading + kRow1 + kRow2);
  feedback.Answers = {Answer::Yes, Answer::Cancel, Answer::No, Answer::No, Answer::No, Answer::Yes};
  WriteFLRes(session, feedback, 0);  // every row again
  EXPECT_EQ(Slurp(folder.File("fl.res")), written + kRow1 + kRow2);
  WriteFLRes(session, feedback, 0);
  WriteFLRes(session, feedback, 0);  // replacing, but not sure
  EXPECT_EQ(Slurp(folder.File("fl.res")), written + kRow1 + kRow2);
  WriteFLRes(session, feedback, 0);
  EXPECT_EQ(Slurp(folder.File("fl.res")), kHeading + kRow1 + kRow2);
  EXPECT_EQ(feedback.Questions.at(0), "File FL.RES already exists. Append data at end of file?");
  EXPECT_EQ(feedback.Questions.at(3), "Are you sure?");
  EXPECT_TRUE(feedback.Messages.empty());

  session.Options.DataFolder = folder.File("missing");
  EXPECT_FALSE(WriteFLRes(session, feedback, 1));
  EXPECT_EQ(feedback.MessageTexts(), std::vector<std::string>{"fl.res: Path not found"});
  EXPECT_EQ(feedback.Messages[0].Icon, MessageIcon::Critical);
}

TEST(DFRes, ABlockIsTheNameAndNineTableLinesThenAnEmptyLineAppendedAfterABackup) {
  TempFolder folder;
  Session session = TwoRows(folder.Path());
  FillDFPeakTable(session);
  ScriptedFeedback feedback;
  EXPECT_TRUE(WriteDFRes(session, feedback, 1));
  const std::string block = Slurp(folder.File("df.res"));
  EXPECT_EQ(block.substr(0, 7), "leaf2\r\n");
  EXPECT_EQ(block.size(), 7 + 9 * (73 + 2) + 2);  // every table line is 73 characters

  EXPECT_TRUE(WriteDFRes(session, feedback, 1));
  EXPECT_EQ(Slurp(folder.File("df.res")), block + block);
  EXPECT_EQ(Slurp(folder.File("df.bak")), block);
  feedback.Answers = {Answer::No, Answer::Yes};
  EXPECT_TRUE(WriteDFRes(session, feedback, 0));
  EXPECT_EQ(Slurp(folder.File("df.res")), block);
}

TEST(ResultRows, DeletingRowsShiftsTheRestButNeverTheLastOrTheLoadedFilesRow) {
  Session session = TwoRows("");
  ResultTable& table = session.Results;
  table.Cell(3, 0) = "leaf3";
  table.ResultRowCount = 4;
  EXPECT_FALSE(DeleteResultRows(table, 3, 4));  // the last row
  EXPECT_FALSE(DeleteResultRows(table, 1, 2));  // the loaded file's row
  EXPECT_FALSE(DeleteResultRows(table, 2, 1));  // no rows
  EXPECT_TRUE(DeleteResultRows(table, 1, 1));
  EXPECT_EQ(table.ResultRowCount, 3);
  EXPECT_EQ(table.Cell(2, 0), "leaf3");
  EXPECT_EQ(table.ResultRow, 1);  // the loaded file's row moved up with it
  EXPECT_EQ(table.Cell(4, 0), "");
}

TEST(ResultRows, ClearingKeepsOnlyTheLoadedFileAndNoRowWhenNothingIsLoaded) {
  Session session = TwoRows("");
  session.Record.CurrentFilePath = "/data/leaf2.tmk";
  ClearResultTable(session);
  EXPECT_EQ(session.Results.ResultRowCount, 1);
  EXPECT_EQ(session.Results.Cell(0, 15), "I4/Fm");
  EXPECT_EQ(session.Results.Cell(1, 0), "leaf2.tmk");
  EXPECT_EQ(session.Results.Cell(2, 0), "");
  session.Record.CurrentFilePath.clear();
  ClearResultTable(session);
  EXPECT_EQ(session.Results.ResultRowCount, 0);
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
  ASSERT_TRUE(WriteFLRes(session, feedback, 0));
  session.Record.DFPoints[4].I = 500;
  ASSERT_TRUE(WriteFLRes(session, feedback, 1));
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
