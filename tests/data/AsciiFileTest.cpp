#include "data/AsciiFile.h"

#include <gtest/gtest.h>

#include "data/FileIO.h"
#include "support/TestSupport.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

using test::Slurp;
using test::TempFolder;

// Lines "time,PF,DF" of n points, times from 0.01.
std::string Table(int count, const std::string& separator = ",") {
  std::string lines;
  for (int i = 1; i <= count; ++i)
    lines += std::to_string(i) + "e-2" + separator + std::to_string(100 + (i % 5) * 10) +
             separator + std::to_string(50 + i) + "\r\n";
  return lines;
}

std::vector<float> Points(const std::vector<float>& values, int count) {
  return {values.begin(), values.begin() + count + 1};
}

class AsciiFile : public ::testing::Test {
 protected:
  ReadOutcome Read(const std::string& content) {
    session.Record.CurrentFilePath = folder.Write("m.txt", content);
    return ReadAsciiFile(session, feedback, session.Record.CurrentFilePath);
  }
  void ExpectFailure(ReadOutcome outcome, const std::string& text) {
    EXPECT_EQ(outcome, ReadOutcome::Failed);
    ASSERT_EQ(feedback.Messages.size(), 1u);
    EXPECT_EQ(feedback.Messages[0].Text, text);
    EXPECT_EQ(feedback.Messages[0].Icon, MessageIcon::Critical);
    EXPECT_TRUE(session.Record.CurrentFilePath.empty());
    EXPECT_EQ(session.Record.PointCount, 0);
    feedback.Messages.clear();
  }
  TempFolder folder;
  Session session;
  ScriptedFeedback feedback;
};

TEST_F(AsciiFile, CommasBlanksTabsAndPrintZonesReadTheSameAndTrailingBlanksAreNoError) {
  const std::vector<float> time = {0, 0.01f, 0.02f, 0.03f, 0.04f, 0.05f, 0.06f, 0.07f, 0.08f};
  const std::vector<float> pf = {0, 110, 120, 130, 140, 100, 110, 120, 130};
  const std::vector<float> df = {0, 51, 52, 53, 54, 55, 56, 57, 58};
  for (const std::string& content :
       {Table(8), Table(8, " "), Table(8, "\t"), Table(8, " , ") + "\r\n \r\n\t",
        AsciiFileText(time, pf, df, 1, 8, false)}) {
    SCOPED_TRACE(content.substr(0, 40));
    ASSERT_EQ(Read(content), ReadOutcome::Loaded);
    EXPECT_EQ(session.Record.PointCount, 8);
    EXPECT_EQ(Points(session.Record.TimeValues, 8), time);
    EXPECT_EQ(Points(session.Record.PFValues, 8), pf);
    EXPECT_EQ(Points(session.Record.DFValues, 8), df);
    EXPECT_EQ(session.Record.PFAmplification, 1);
    EXPECT_EQ(session.Record.FileTypeCode, 0);
    EXPECT_EQ(session.Record.PFSlope[2], 0);
    EXPECT_EQ(session.Record.DFSlope[1], 0);
    EXPECT_FLOAT_EQ(session.Record.PFSlope[1], 110 / 0.01f);
  }
}

TEST_F(AsciiFile, ASinglePointLoadsWithNoMaximaAndFsZero) {
  ASSERT_EQ(Read("1,2,3"), ReadOutcome::Loaded);
  EXPECT_EQ(session.Record.PointCount, 1);
  EXPECT_EQ(session.Record.PFMax, 0);
  EXPECT_EQ(session.Record.TimeMax, 0);
  EXPECT_EQ(session.Record.PFPoints[kSlotFs], 0);
}

TEST_F(AsciiFile, TimeThatDoesNotGrowFailsWithItsOwnMessages) {
  ExpectFailure(Read("0,1,1\r\n1,2,2\r\n"), "Division by zero");
  ExpectFailure(Read("1,1,1\r\n1,2,2\r\n"), "Division by zero");
  ExpectFailure(Read("1,1,1\r\n2,2,2\r\n1.5,3,3\r\n"), kNonMonotonousText);
  ExpectFailure(Read("-1,1,1\r\n"), kNonMonotonousText);
}

TEST_F(AsciiFile, BadInputFailsWithTheErrorTextAndLeavesTheEmptyState) {
  ExpectFailure(Read(""), "Input past end of file");
  ExpectFailure(Read(" \r\n\r\n"), "Input past end of file");
  ExpectFailure(Read(Table(8) + "1,2"), "Input past end of file");
  ExpectFailure(Read("1,2,x3\r\n"), "Type mismatch");
  ExpectFailure(Read("1,,3\r\n"), "Type mismatch");
  ExpectFailure(Read("1,1e99,3\r\n"), "Overflow");
  ExpectFailure(ReadAsciiFile(session, feedback, folder.File("none.asc")), "File not found");
}

TEST_F(AsciiFile, HoldsTenThousandPointsAndRefusesTheNext) {
  ASSERT_EQ(Read(Table(10000)), ReadOutcome::Loaded);
  EXPECT_EQ(session.Record.PointCount, 10000);
  ExpectFailure(Read(Table(10001)), "Subscript out of range");
}

TEST_F(AsciiFile, EscDuringReadingCancelsQuietly) {
  feedback.CancelAtTurn = 2;
  EXPECT_EQ(Read(Table(500)), ReadOutcome::Cancelled);
  EXPECT_TRUE(feedback.Messages.empty());
  EXPECT_EQ(session.Record.CancelRequested, 0);
  EXPECT_TRUE(session.Record.CurrentFilePath.empty());
  EXPECT_FALSE(feedback.ProgressVisible);
}

TEST_F(AsciiFile, WriterRoundsIntoPrintZonesWithCrLf) {
  // A 14-character value pushes the next column one zone further.
  const std::vector<float> time = {0, 0.0125f, 1234.5f}, a = {0, 12345678901.0f, -0.001f},
                           b = {0, 7, 0.125f};
  EXPECT_EQ(AsciiFileText(time, a, b, 1, 2, false),
            "0.013         12345678848.00              7.00\r\n"
            "1234.500      0.00          0.13\r\n");
  EXPECT_EQ(AsciiFileText(time, a, b, 2, 2, true), "1234.500      0.00\r\n");
}

TEST_F(AsciiFile, OnlyALowercaseDdfEndingWritesTwoColumns) {
  const std::vector<float> v = {0, 1, 2};
  ASSERT_TRUE(WriteAsciiFile(feedback, folder.File("t.ddf"), v, v, v, 1, 2));
  ASSERT_TRUE(WriteAsciiFile(feedback, folder.File("t.DDF"), v, v, v, 1, 2));
  EXPECT_EQ(Slurp(folder.File("t.ddf")), AsciiFileText(v, v, v, 1, 2, true));
  EXPECT_EQ(Slurp(folder.File("t.DDF")), AsciiFileText(v, v, v, 1, 2, false));
}

TEST_F(AsciiFile, WrittenThenReadBackIsRoundedToThreeAndTwoDecimals) {
  const std::vector<float> time = {0,       0.0114f, 0.0226f, 0.0337f, 0.0441f,
                                   0.0559f, 0.066f,  0.077f,  0.0881f};
  const std::vector<float> pf = {0, 1.234f, 2, 3, 4, 5, 6, 7, 8.999f};
  ASSERT_TRUE(WriteAsciiFile(feedback, folder.File("w.asc"), time, pf, pf, 1, 8));
  ASSERT_EQ(ReadAsciiFile(session, feedback, folder.File("w.asc")), ReadOutcome::Loaded);
  EXPECT_EQ(session.Record.TimeValues[1], 0.011f);
  EXPECT_EQ(session.Record.PFValues[1], 1.23f);
  EXPECT_EQ(session.Record.DFValues[8], 9.0f);
}

TEST_F(AsciiFile, WriteIntoAMissingFolderIsReported) {
  const std::vector<float> v = {0, 1};
  EXPECT_FALSE(WriteAsciiFile(feedback, folder.File("no/x.asc"), v, v, v, 1, 1));
  ASSERT_EQ(feedback.Messages.size(), 1u);
  EXPECT_EQ(feedback.Messages[0].Text, "Path not found");
  EXPECT_TRUE(feedback.MainWindowEnabled);
}

TEST_F(AsciiFile, SaveAscWritesTheTailBlockBesideItOnlyWhenThereIsOne) {
  Measurement record;
  record.TimeValues = record.PFValues = record.DFValues = {0, 1, 2};
  record.PointCount = 2;
  ASSERT_TRUE(SaveAscWithDecay(record, feedback, folder.File("leaf1.dat")));
  EXPECT_EQ(Slurp(folder.File("leaf1.asc")),
            AsciiFileText({0, 1, 2}, {0, 1, 2}, {0, 1, 2}, 1, 2, false));
  EXPECT_FALSE(FileExists(folder.File("leaf1.ddf")));
  record.DecayTimes = {0, 5, 6, 7};
  record.DecayValues = {0, 0.5f, 0.25f, 0.125f};
  ASSERT_TRUE(SaveAscWithDecay(record, feedback, folder.File("leaf1")));
  EXPECT_EQ(Slurp(folder.File("leaf1.ddf")),
            "5.000         0.50\r\n6.000         0.25\r\n7.000         0.13\r\n");
}

}  // namespace
}  // namespace tolmek
