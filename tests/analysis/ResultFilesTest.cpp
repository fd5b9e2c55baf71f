#include <gtest/gtest.h>

#include <string>

#include "analysis/DFPeaks.h"
#include "analysis/PFResults.h"
#include "analysis/ResultFiles.h"
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
  return session;
}

TEST(FLRes, FirstSaveWritesTheHeadingAndEveryRowWithoutAskingOrReportsAMissingFolder) {
  for (int16_t quiet : {0, 1}) {
    TempFolder folder;
    Session session = TwoRows(folder.Path());
    ScriptedFeedback feedback;
    EXPECT_TRUE(WriteFLRes(session, feedback, quiet));
    EXPECT_EQ(Slurp(folder.File("fl.res")), kHeading + kRow1 + kRow2);
    EXPECT_TRUE(feedback.Questions.empty());
    EXPECT_TRUE(feedback.Messages.empty());
    session.Options.DataFolder = folder.File("missing");
    EXPECT_FALSE(WriteFLRes(session, feedback, quiet));
    EXPECT_EQ(feedback.MessageTexts(), std::vector<std::string>{"fl.res: Path not found"});
    EXPECT_EQ(feedback.Messages[0].Icon, MessageIcon::Critical);
  }
}

TEST(FLRes, AnExistingFileIsBackedUpThenAppendedQuietlyOrAsTheAnswerSays) {
  TempFolder folder;
  folder.Write("fl.res", "old\r\n");
  Session session = TwoRows(folder.Path());
  ScriptedFeedback feedback;
  EXPECT_TRUE(WriteFLRes(session, feedback, 1));  // the loaded file's row only
  EXPECT_EQ(Slurp(folder.File("fl.res")), "old\r\n" + kRow2);
  EXPECT_EQ(Slurp(folder.File("fl.bak")), "old\r\n");
  feedback.Answers = {Answer::Yes, Answer::Cancel, Answer::No};
  WriteFLRes(session, feedback, 0);  // every row again
  EXPECT_EQ(Slurp(folder.File("fl.res")), "old\r\n" + kRow2 + kRow1 + kRow2);
  WriteFLRes(session, feedback, 0);
  EXPECT_EQ(Slurp(folder.File("fl.res")), "old\r\n" + kRow2 + kRow1 + kRow2);
  WriteFLRes(session, feedback, 0);
  EXPECT_EQ(Slurp(folder.File("fl.res")), kHeading + kRow1 + kRow2);
  EXPECT_EQ(feedback.Questions.at(0), "File FL.RES already exists. Append data at end of file?");
}

TEST(FLRes, DFPointsBeyondTheLoadedCurveGiveEmptyFieldsAreNamedAndKeepTheRow) {
  TempFolder folder;
  Session session = TwoRows(folder.Path());
  session.Record.CurrentFilePath = folder.File("leaf2.tmk");
  session.Record.DFPoints[6].D = 6;  // inside the arrays, beyond the 5 points of the curve
  EXPECT_EQ(FLResDataLine(session, 2),
            "12345678.00\t1.50\t" + std::string(14, '\t') + DFTail(true));
  ScriptedFeedback feedback;
  ASSERT_TRUE(WriteFLRes(session, feedback, 1));
  session.Record.DFPoints[4].I = 500;
  ASSERT_TRUE(WriteFLRes(session, feedback, 1));
  EXPECT_EQ(feedback.MessageTexts(),
            (std::vector<std::string>{"D6 lies beyond the 5 points of leaf2.tmk",
                                      "I4, D6 lie beyond the 5 points of leaf2.tmk"}));
  EXPECT_EQ(feedback.Messages[0].Icon, MessageIcon::Exclamation);
  session.Record = Measurement{};
  EXPECT_EQ(FLResDataLine(session, 1), "leaf1\t100.00\t" + std::string(26, '\t') + "\r\n");
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
  feedback.Answers = {Answer::No};
  EXPECT_TRUE(WriteDFRes(session, feedback, 0));
  EXPECT_EQ(Slurp(folder.File("df.res")), block);
}

TEST(ResultRows, DeletingRowsBeforeTheLastShiftsTheRestAndClearingKeepsOnlyTheLoadedFile) {
  Session session = TwoRows("");
  ResultTable& table = session.Results;
  table.Cell(3, 0) = "leaf3";
  table.ResultRowCount = 3;
  EXPECT_FALSE(DeleteResultRows(table, 2, 3));
  EXPECT_EQ(table.ResultRowCount, 3);

  EXPECT_TRUE(DeleteResultRows(table, 1, 1));
  EXPECT_EQ(table.ResultRowCount, 2);
  EXPECT_EQ(table.Cell(1, 0), "12345678");
  EXPECT_EQ(table.Cell(2, 0), "leaf3");
  EXPECT_EQ(table.ResultRow, 1);  // the loaded file's row moved up with it
  EXPECT_EQ(table.Cell(3, 0), "");

  ClearResultTable(session);
  EXPECT_EQ(table.ResultRowCount, 1);
  EXPECT_EQ(table.Cell(0, 15), "I4/Fm");
  EXPECT_EQ(table.Cell(1, 0), "leaf2.tmk");
  EXPECT_EQ(table.Cell(2, 0), "");
}

}  // namespace
}  // namespace tolmek
