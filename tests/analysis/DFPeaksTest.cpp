#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "analysis/Amplification.h"
#include "analysis/DFPeaks.h"
#include "analysis/PFResults.h"
#include "data/Measurement.h"
#include "data/NumberText.h"

namespace tolmek {
namespace {

// A measurement whose points 1..N lie at times 1..N (DF, and PF when given), so each slope is the
// step from the point before.
Session WithDF(const std::vector<float>& df, const std::vector<float>& pf = {}) {
  Session session;
  Measurement& m = session.Record;
  const int n = static_cast<int>(df.size());
  SizeCurveArrays(m, n);
  m.PointCount = n;
  for (int i = 1; i <= n; ++i) {
    m.TimeValues[i] = static_cast<float>(i);
    m.DFValues[i] = df[i - 1];
    if (!pf.empty()) m.PFValues[i] = pf[i - 1];
    ComputeSlopes(m, i);
  }
  FillResultColumnNames(session.Results);
  session.Results.ResultRowCount = session.Results.ResultRow = 1;
  return session;
}

// Slopes: 7 -1 3 -2 -3 -1 5 4 -6 -1. Wave 1 = points 3 and 6, wave 2 = points 8 and 10.
Session TwoWaves() {
  Session session = WithDF({7, 6, 9, 7, 4, 3, 8, 12, 6, 5});
  session.Record.DFPoints[1] = {3, 6};
  session.Record.DFPoints[2] = {8, 10};
  return session;
}

TEST(DFExtremum, TheEarlierOfEqualCandidatesWins) {
  const Session session = WithDF({1, 5, 3, 5, 2, 0.5, 4});
  EXPECT_EQ(FindDFExtremum(session.Record, 1, 7, DFSearchMode::Max), 2);
  EXPECT_EQ(FindDFExtremum(session.Record, 1, 7, DFSearchMode::Min), 6);
  // Slopes 4 -2 2 -3 from point 2: the flattest compares magnitudes.
  EXPECT_EQ(FindDFExtremum(session.Record, 2, 5, DFSearchMode::Flattest), 3);
}

TEST(DFPeakTableFill, ComputesEachWaveFromItsPreviousDecayPointAndCopiesTrimmed) {
  Session session = TwoWaves();
  FillDFPeakTable(session);
  const auto& cells = session.DFTable.Cells;
  const std::array<std::string, kDFTableRows> wave1 = {"        1", "     9.00", "     3.00",
                                                       "     7.00", "    -3.00", "     3.00",
                                                       "     6.00", "     1.00", "     5.00"};
  for (int r = 0; r < kDFTableRows; ++r) EXPECT_EQ(cells[r][1], wave1[r]) << "row " << r;
  // Wave 2's rise search starts after D1, so the steep first point does not count.
  EXPECT_EQ(cells[3][2], "     5.00");
  EXPECT_EQ(cells[7][2], "     7.00");
  EXPECT_EQ(cells[1][3], "     0.00");
  EXPECT_EQ(DFPeakTableCopyText(session.DFTable, 1, 2, 1, 2),
            "\t1\t2\t\r\nDF(I)\t9.00\t12.00\t\r\nDF(D)\t3.00\t5.00\t\r\n");
}

TEST(DFPeakTableFill, StopsAtAPointOutsideTheArraysKeepingWhatWasWrittenBefore) {
  Session session = TwoWaves();
  session.Record.DFPoints[2].I = 50;
  FillDFPeakTable(session);
  EXPECT_EQ(session.DFTable.Cells[1][1], "     9.00");
  EXPECT_EQ(session.DFTable.Cells[1][2], kUncomputedCell);
  EXPECT_EQ(session.DFTable.Cells[0][1], kUncomputedCell);
  // A decay point outside stops the wave after its rise: dI/dt and t(dI) are written, no more.
  session = TwoWaves();
  session.Record.DFPoints[2].D = 50;
  FillDFPeakTable(session);
  const auto& cells = session.DFTable.Cells;
  EXPECT_EQ(cells[3][2], "     5.00");
  EXPECT_EQ(cells[7][2], "     7.00");
  for (int row : {1, 2, 4, 5, 6, 8}) EXPECT_EQ(cells[row][2], kUncomputedCell) << "row " << row;
}

// Baseline 10 on 40 points: a steep spike at 14, a small peak at 29, a higher one at 31 and a
// dip at 36; a peak at 4 that wave 1 must not move to.
Session KeptPeaks() {
  std::vector<float> df(40, 10);
  df[4 - 1] = 30;
  df[14 - 1] = 2000;
  df[29 - 1] = 20;
  df[31 - 1] = 50;
  df[36 - 1] = 1;
  Session session = WithDF(df);
  session.Record.DFPoints[1] = {3, 6};
  session.Record.DFPoints[2].I = 12;
  session.Record.DFPoints[3].I = 26;
  session.Record.DFPoints[4].I = 30;
  return session;
}

TEST(KeptPeakAdjustment, EarlyWavesStopAtI4AndSteepOrUnreachableCandidatesAreRefused) {
  Session session = KeptPeaks();
  session.Record.DFPoints[5].I = 300;  // kept from a longer curve
  ASSERT_NO_THROW(AdjustKeptPeaks(session));
  const auto& waves = session.Record.DFPoints;
  EXPECT_EQ(waves[1], (DFPeakPair{3, 6}));
  EXPECT_EQ(waves[2].I, 12);
  EXPECT_EQ(waves[3].I, 29);
  EXPECT_EQ(waves[4].I, 30);
  EXPECT_EQ(waves[5].I, 300);
  EXPECT_EQ(session.DFTable.Cells[1][3], "    20.00");
}

TEST(KeptPeakAdjustment, AdjustI4SearchesI4AfterTheFirstWavesAndD5AfterIt) {
  Session session = KeptPeaks();
  session.Options.AdjustI4 = true;
  session.Record.DFPoints[5].D = 34;
  AdjustKeptPeaks(session);
  EXPECT_EQ(session.Record.DFPoints[4].I, 31);
  EXPECT_EQ(session.Record.DFPoints[3].I, 31);
  EXPECT_EQ(session.Record.DFPoints[5].D, 36);
}

// A curve without DF gets no kept peaks; they wait for the next measurement unless peaks were set
// in the meantime or keep-peaks went off.
TEST(KeptPeaks, AreHeldBackFromACurveWithoutDFAndReturnToTheNextUnlessReplaced) {
  const DFPeakPair kept{3, 6};
  for (const bool keep : {true, false}) {
    Session session = WithDF({0, 0, 0, 0, 0, 0});
    Measurement& record = session.Record;
    record.DFPoints[1] = kept;
    HoldKeptPeaksOfZeroDF(record);
    EXPECT_EQ(record.DFPoints[1], DFPeakPair{});
    RestoreHeldPeaks(record, keep);
    EXPECT_EQ(record.DFPoints[1], keep ? kept : DFPeakPair{});
    EXPECT_EQ(record.HeldDFPoints[1], DFPeakPair{});
  }
  Session session = WithDF({0, 0, 0, 0, 0, 0});
  session.Record.DFPoints[1] = kept;
  HoldKeptPeaksOfZeroDF(session.Record);
  session.Record.DFPoints[2] = {4, 5};  // set on the curve without DF
  RestoreHeldPeaks(session.Record, true);
  EXPECT_EQ(session.Record.DFPoints[1], DFPeakPair{});
  // One point of DF is enough to keep the peaks where they are.
  session = WithDF({0, 0, 0, 0, 0, 0.5f});
  session.Record.DFPoints[1] = kept;
  HoldKeptPeaksOfZeroDF(session.Record);
  EXPECT_EQ(session.Record.DFPoints[1], kept);
}

TEST(DFPeakEdits, DeleteClearsThePointItsRowDescribesAndMovesShiftWholeWavesInsideTheTable) {
  Session session;
  // DF(I), dI/dt, t(I) and t(dI) describe the induction maximum, the other rows the decay minimum.
  for (int row = 1; row < kDFTableRows; ++row) {
    session = TwoWaves();
    ASSERT_TRUE(DeleteDFPeak(session, 2, row));
    EXPECT_EQ(session.Record.DFPoints[2], (row % 2 ? DFPeakPair{0, 10} : DFPeakPair{8, 0})) << row;
    EXPECT_EQ(session.Record.DFPoints[1], (DFPeakPair{3, 6}));
  }
  EXPECT_EQ(session.DFTable.Cells[6][2], "     0.00");  // t(D) recomputed
  EXPECT_FALSE(DeleteDFPeak(session, 0, 1));
  EXPECT_FALSE(DeleteDFPeak(session, 1, 0));

  session = TwoWaves();
  EXPECT_FALSE(MoveDFPeaksLeft(session, 1, 2));
  EXPECT_FALSE(MoveDFPeaksRight(session, 5, 6));
  EXPECT_TRUE(MoveDFPeaksRight(session, 1, 2));
  const std::array<DFPeakPair, 4> right = {{{}, {}, {3, 6}, {8, 10}}};
  EXPECT_TRUE(std::equal(right.begin(), right.end(), session.Record.DFPoints.begin()));
  EXPECT_TRUE(MoveDFPeaksLeft(session, 3, 3));
  EXPECT_EQ(session.Record.DFPoints[2], (DFPeakPair{8, 10}));
  EXPECT_EQ(session.Record.DFPoints[3], DFPeakPair{});
}

// Ten points with PF and DF and a recording's tail, gains 1 (display PF 6, DF 120).
Session Amplified() {
  std::vector<float> df;
  std::vector<float> pf;
  for (int i = 1; i <= 10; ++i) {
    df.push_back(3.0f * static_cast<float>(i) + 0.25f);
    pf.push_back(static_cast<float>(100 + 7 * i - (i - 6) * (i - 6)));
  }
  Session session = WithDF(df, pf);
  Measurement& record = session.Record;
  record.DecayValues = {0, 8, 4};
  record.PFAmplification = record.DFAmplification = 1;
  PrepareCurves(record);
  record.DFPoints[1] = {4, 6};
  return session;
}

// PF gain doubled and DF gain halved: each curve, with its slopes, scales by its own factor.
TEST(AmplificationChange, RescalesEachCurveWithItsSlopesTailAndTablesAndKeepsThePoints) {
  Session session = Amplified();
  session.Record.PFPoints[kSlotFd] = 5;  // points the user set
  session.Record.PFPoints[kSlotFm] = 9;
  const Measurement before = session.Record;
  ChangeAmplification(session, std::nullopt);  // cancelled: nothing changes
  ChangeAmplification(session, DisplayGains{12, 60});
  const Measurement& after = session.Record;
  for (int i = 1; i <= 10; ++i) {
    EXPECT_EQ(after.PFValues[i], before.PFValues[i] / 2) << i;
    EXPECT_EQ(after.PFSlope[i], before.PFSlope[i] / 2) << i;
    EXPECT_EQ(after.DFValues[i], before.DFValues[i] * 2) << i;
    EXPECT_EQ(after.DFSlope[i], before.DFSlope[i] * 2) << i;
  }
  EXPECT_EQ(after.DecayValues, (std::vector<float>{0, 16, 8}));
  EXPECT_EQ(after.PFMax, before.PFMax / 2);
  EXPECT_EQ(after.DFMax, 2 * before.DFMax);
  EXPECT_EQ(after.PFAmplification, 2);
  EXPECT_EQ(after.DFAmplification, 0.5);
  EXPECT_EQ(after.PFPoints, before.PFPoints);
  EXPECT_EQ(Trim(session.DFTable.Cells[1][1]), "24.50");  // DF(I) of wave 1 at point 4
  EXPECT_EQ(Trim(session.DFTable.Cells[3][1]), "6.50");   // dI/dt, from the rescaled slopes
  EXPECT_EQ(session.Results.Cell(1, kResultColumnCount), "24.5");  // the row's I1 field
}

}  // namespace
}  // namespace tolmek
