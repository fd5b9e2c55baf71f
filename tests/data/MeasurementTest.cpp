#include "data/Measurement.h"

#include <gtest/gtest.h>

namespace tolmek {
namespace {

// Times 0..n-1 at indices 0..n-1 (index 0 is not a point), PF as given.
Measurement WithPF(const std::vector<float>& pf) {
  Measurement record;
  SizeCurveArrays(record, static_cast<int>(pf.size()) - 1);
  record.PFValues = pf;
  for (size_t i = 0; i < pf.size(); ++i) record.TimeValues[i] = static_cast<float>(i);
  record.PointCount = static_cast<int>(pf.size()) - 1;
  return record;
}

TEST(PrepareCurves, FindsFiFdFmFsAndTheMaximaOverPointsTwoToNAndARerunStartsFromFd) {
  // Fd is the last point after Fi, up to six, that does not rise.
  Measurement record = WithPF({0, 1000, 20, 50, 40, 45, 44, 47, 100, 90});
  record.DFValues = {0, 99, 1, 2, 3, 9, 4, 9, 1, 1};
  PrepareCurves(record);
  EXPECT_EQ(record.PFPoints, (std::array<int16_t, 7>{0, 3, 6, 8, 0, 0, 8}));
  EXPECT_EQ(record.TimeMax, 9);
  EXPECT_EQ(record.PFMax, 100);
  EXPECT_EQ(record.DFMax, 9);
  record.PFPoints[kSlotFd] = 5;
  PrepareCurves(record);
  EXPECT_EQ(record.PFPoints[kSlotFi], 5);
  EXPECT_EQ(record.PFPoints[kSlotFd], 6);
}

TEST(PrepareCurves, TheFirstOfEqualMaximaWinsAndNoPositiveValueKeepsFm) {
  Measurement record = WithPF({0, 1, 2, 3, 4, 5, 6, 7, 100, 100, 3});
  PrepareCurves(record);
  EXPECT_EQ(record.PFPoints[kSlotFm], 8);
  record = WithPF({0, -1, -2, -3, -4, -5, -6, -7, -8, -9});
  record.PFPoints[kSlotFm] = 4;
  PrepareCurves(record);
  EXPECT_EQ(record.PFPoints[kSlotFm], 4);
  EXPECT_EQ(record.PFMax, 0);
}

TEST(ResetState, LeavesNothingLoadedAndNoHeaderOfTheLastFile) {
  Session session;
  session.Options.OptionsKeepPeaks = false;
  Measurement& record = session.Record;
  record = WithPF({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  record.DecayValues = {0, 1};
  record.FileTypeCode = 6;
  record.PFAmplification = 1;
  record.DataLoaded = record.AutosaveDone = true;
  record.PFPoints = {0, 1, 2, 3, 4, 5, 6};
  record.DFPoints[2] = {10, 20};
  record.HeaderComments[3] = "from the last file";
  record.ExperimentText = "last experiment";
  session.DFTable.Cells[1][1] = "12.5";
  session.Results.ResultRowCount = session.Results.ResultRow = 3;
  ResetState(session);
  EXPECT_TRUE(record.DecayValues.empty());
  EXPECT_EQ(record.FileTypeCode, 0);
  EXPECT_EQ(record.PFAmplification, 0);
  EXPECT_FALSE(record.DataLoaded);
  EXPECT_FALSE(record.AutosaveDone);
  EXPECT_EQ(record.PFPoints, (std::array<int16_t, 7>{}));
  EXPECT_EQ(record.DFPoints[2], DFPeakPair{});  // kept only with keep-peaks (see NativeFile)
  EXPECT_EQ(record.HeaderComments[3], "");
  EXPECT_EQ(record.ExperimentText, "Unknown");
  EXPECT_EQ(session.DFTable.Cells[1][1], kUncomputedCell);
  EXPECT_EQ(session.Results.ResultRow, 0);  // the rows stay, none is the loaded file's
  EXPECT_EQ(session.Results.ResultRowCount, 3);
}

}  // namespace
}  // namespace tolmek
