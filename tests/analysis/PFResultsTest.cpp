#include <gtest/gtest.h>

#include <vector>

#include "analysis/PFResults.h"
#include "analysis/ResultFiles.h"
#include "data/FileIO.h"
#include "data/Measurement.h"

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
}

TEST(PFResultRow, ReportsFiAsFoWhenFiLiesBelowFo) {
  Session session = Loaded({100, 120, 90, 95, 94, 93, 92, 400});
  session.Record.PFPoints = {0, 3, 4, 8, 0, 0, 7};
  FillPFResultRow(session);
  EXPECT_EQ(session.Results.Cell(1, 2), "100.00");
  EXPECT_EQ(session.Results.Cell(1, 3), "95.00");
}

TEST(ResultFileName, StrippedNamesKeepSevenCharactersAndTheLastInEightColumns) {
  EXPECT_EQ(ResultFileNameCell("leaf0123456.tmk", 1), "leaf0126");
  EXPECT_EQ(ResultFileNameCell("ab.tmk", 1), "abb     ");
  EXPECT_EQ(ResultFileNameCell("leaf0123456.tmk", 0), "leaf0123456.tmk");
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
  session.Options.StripFileName = 1;
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

}  // namespace
}  // namespace tolmek
