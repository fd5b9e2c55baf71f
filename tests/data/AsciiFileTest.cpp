#include "data/AsciiFile.h"

#include <gtest/gtest.h>

#include "ReaderTest.h"
#include "data/FileIO.h"

namespace tolmek {
namespace {

using test::Slurp;

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

class AsciiFile : public test::ReaderTest {
 protected:
  ReadOutcome Read(const std::string& content) { return ReadAs(ReadAsciiFile, "m.txt", content); }
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
    const Measurement& record = session.Record;
    EXPECT_EQ(record.PointCount, 8);
    EXPECT_EQ(Points(record.TimeValues, 8), time);
    EXPECT_EQ(Points(record.PFValues, 8), pf);
    EXPECT_EQ(Points(record.DFValues, 8), df);
    EXPECT_EQ(record.PFAmplification, 1);
    EXPECT_FLOAT_EQ(record.PFSlope[1], 110 / 0.01f);
    EXPECT_EQ(record.PFSlope[2], 0);
    EXPECT_EQ(record.DFSlope[1], 0);
  }
}

TEST_F(AsciiFile, HoldsOneToTenThousandPointsAndRefusesTheNext) {
  ASSERT_EQ(Read("1,2,3"), ReadOutcome::Loaded);
  EXPECT_EQ(session.Record.PointCount, 1);
  EXPECT_EQ(session.Record.PFMax + session.Record.TimeMax, 0);
  EXPECT_EQ(session.Record.PFPoints[kSlotFs], 0);
  ASSERT_EQ(Read(Table(10000)), ReadOutcome::Loaded);
  EXPECT_EQ(session.Record.PointCount, 10000);
}

TEST_F(AsciiFile, BadInputFailsWithTheErrorTextAndLeavesTheEmptyState) {
  const std::pair<std::string, std::string> cases[] = {
      {Table(10001), "Subscript out of range"},
      {"", "Input past end of file"},
      {" \r\n\r\n", "Input past end of file"},
      {Table(8) + "1,2", "Input past end of file"},
      {"1,2,x3\r\n", "Type mismatch"},
      {"1,,3\r\n", "Type mismatch"},
      {"1,1e99,3\r\n", "Overflow"},
      {"0,1,1\r\n1,2,2\r\n", "Division by zero"},
      {"1,1,1\r\n1,2,2\r\n", "Division by zero"},
      {"1,1,1\r\n2,2,2\r\n1.5,3,3\r\n", kNonMonotonousText},
      {"-1,1,1\r\n", kNonMonotonousText},
  };
  for (const auto& [content, text] : cases) {
    SCOPED_TRACE(content.substr(0, 40));
    ExpectFailure(Read(content), text);
  }
  feedback.Messages.clear();
  ExpectFailure(ReadAsciiFile(session, feedback, folder.File("none.asc")),
                "none.asc: File not found");
}

TEST_F(AsciiFile, WriterRoundsIntoPrintZonesWithCrLfAndOnlyALowercaseDdfGetsTwoColumns) {
  // A 14-character value pushes the next column one zone further.
  const std::vector<float> time = {0, 0.0125f, 1234.5f}, a = {0, 12345678901.0f, -0.001f},
                           b = {0, 7, 0.125f};
  EXPECT_EQ(AsciiFileText(time, a, b, 1, 2, false),
            "0.013         12345678848.00              7.00\r\n"
            "1234.500      0.00          0.13\r\n");
  EXPECT_EQ(AsciiFileText(time, a, b, 2, 2, true), "1234.500      0.00\r\n");
  ASSERT_TRUE(WriteAsciiFile(feedback, folder.File("t.ddf"), time, a, b, 1, 2));
  ASSERT_TRUE(WriteAsciiFile(feedback, folder.File("t.DDF"), time, a, b, 1, 2));
  EXPECT_EQ(Slurp(folder.File("t.ddf")), AsciiFileText(time, a, b, 1, 2, true));
  EXPECT_EQ(Slurp(folder.File("t.DDF")), AsciiFileText(time, a, b, 1, 2, false));
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
  ASSERT_TRUE(SaveAscWithDecay(record, feedback, folder.File("leaf1.tmk")));
  const std::string tail = "5.000         0.50\r\n6.000         0.25\r\n7.000         0.13\r\n";
  EXPECT_EQ(Slurp(folder.File("leaf1.ddf")), tail);
  // An upper-case extension gives upper-case outputs, the tail block still in two columns.
  ASSERT_TRUE(SaveAscWithDecay(record, feedback, folder.File("LEAF2.DAT")));
  EXPECT_EQ(Slurp(folder.File("LEAF2.DDF")), tail);
  EXPECT_TRUE(FileExists(folder.File("LEAF2.ASC")));
}

}  // namespace
}  // namespace tolmek
