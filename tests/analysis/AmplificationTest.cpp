#include "analysis/Amplification.h"

#include <gtest/gtest.h>

#include "analysis/PFResults.h"
#include "data/Measurement.h"
#include "data/NumberText.h"

namespace tolmek {
namespace {

// A loaded ten-point measurement with gains 1 (display PF 6, DF 120).
Session LoadedSession() {
  Session session;
  Measurement& record = session.Record;
  SizeCurveArrays(record, 10);
  record.PointCount = 10;
  for (int i = 1; i <= 10; ++i) {
    record.TimeValues[i] = static_cast<float>(i);
    record.PFValues[i] = static_cast<float>(100 + 7 * i - (i - 6) * (i - 6));
    record.DFValues[i] = static_cast<float>(3 * i + 0.25);
    if (i > 1) ComputeSlopes(record, i);
  }
  record.DecayValues = {0, 8, 4};
  record.PFAmplification = 1;
  record.DFAmplification = 1;
  record.CurrentFilePath = "/data/leaf1.asc";
  PrepareCurves(record);
  record.DFPoints[1] = {4, 6};
  FillResultColumnNames(session.Results);
  session.Results.ResultRowCount = session.Results.ResultRow = 1;
  return session;
}

// PF gain doubled and DF gain halved: each curve, with its slopes, scales by its own factor.
TEST(AmplificationChange, RescalesEachCurveWithItsSlopesTailAndTablesAndKeepsThePoints) {
  Session session = LoadedSession();
  session.Record.PFPoints[kSlotFd] = 5;  // points the user set
  session.Record.PFPoints[kSlotFm] = 9;
  const Measurement before = session.Record;
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
  EXPECT_EQ(Trim(session.DFTable.Cells[3][1]), "6.00");   // dI/dt, from the rescaled slopes
  EXPECT_EQ(session.Results.Cell(1, kResultColumnCount), "24.5");  // the row's I1 field
}

}  // namespace
}  // namespace tolmek
