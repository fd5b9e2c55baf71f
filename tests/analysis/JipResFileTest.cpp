#include "analysis/JipResFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/Averaging.h"
#include "data/Measurement.h"
#include "support/TestSupport.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

using test::Slurp;

const std::string kHeading =
    "Filename\tFo\tFk\tFj\tFi\tFm\ttFm\tFv\tVj\tVi\tFm/Fo\tFv/Fo\tFv/Fm\tMo\tArea\tSm\tSs\tN\t"
    "Phi_Po\tPsi_o\tPhi_Eo\tPhi_Do\tPhi_Pav\tPI_abs\tABS/RC\tTRo/RC\tETo/RC\tDIo/RC\t\r\n";
// Times that are exact in binary, so every field is known to the last digit.
const std::string kValues =
    "\t100.00\t200.00\t400.00\t500.00\t600.00\t256.00\t500.00\t0.600\t0.800\t6.000\t5.000\t"
    "0.833\t0.800\t16346.88\t32.694\t0.750\t43.592\t0.833\t0.400\t0.333\t0.167\t0.106\t2.083\t"
    "1.600\t1.333\t0.533\t0.267\t\r\n";

class JipRes : public ::testing::Test {
 protected:
  JipRes() {
    session.Options.DataFolder = folder.Path();
    Load("leaf1.asc", 0.0625f);
  }
  // Fo 100 at the given time, then K, J, I and P of the known curve.
  void Load(const std::string& name, float foTime) {
    Measurement& record = session.Record;
    record = Measurement{};
    SizeCurveArrays(record, 20);
    const float times[] = {foTime, 0.5f, 2, 32, 256, 1024};
    const float values[] = {100, 200, 400, 500, 600, 550};
    for (int i = 0; i < 6; ++i) {
      record.TimeValues[i + 1] = times[i];
      record.PFValues[i + 1] = values[i];
    }
    record.PointCount = 6;
    PrepareCurves(record);
    record.CurrentFileName = name;
  }
  test::TempFolder folder;
  Session session;
  ScriptedFeedback feedback;
};

TEST_F(JipRes, IsCreatedWithItsHeadingThenAppendedAndBackedUpAsFLResIs) {
  ASSERT_TRUE(WriteJipRes(session, feedback));
  EXPECT_EQ(Slurp(folder.File("jip.res")), kHeading + "leaf1.asc" + kValues);
  EXPECT_FALSE(std::filesystem::exists(folder.File("jip.bak")));
  Load("leaf2.asc", 0.0625f);
  session.Record.PFPoints[kSlotFm] = 0;
  ASSERT_TRUE(WriteJipRes(session, feedback));
  EXPECT_EQ(Slurp(folder.File("jip.bak")), kHeading + "leaf1.asc" + kValues);
  // Without Fm only what does not need it is written.
  EXPECT_EQ(Slurp(folder.File("jip.res")), kHeading + "leaf1.asc" + kValues +
                                               "leaf2.asc\t100.00\t200.00\t400.00\t500.00\t" +
                                               std::string(23, '\t') + "\r\n");
  EXPECT_TRUE(feedback.Messages.empty());  // the window names the gaps, not a message box
}

TEST_F(JipRes, AppendsToAFileOfAnotherCaseAndNamesGapsWhenAsked) {
  folder.Write("JIP.RES", kHeading);
  session.Shell.ReportJipGaps = true;
  session.Record.PointCount = 3;  // ends at 2 ms
  ASSERT_TRUE(WriteJipRes(session, feedback));
  EXPECT_FALSE(std::filesystem::exists(folder.File("jip.res")));
  EXPECT_EQ(Slurp(folder.File("JIP.RES")).substr(kHeading.size(), 10), "leaf1.asc\t");
  ASSERT_EQ(feedback.Messages.size(), 1u);
  EXPECT_EQ(feedback.Messages[0].Text.find("JIP-test: Not computable: Fi (the curve ends before "
                                           "30 ms), Fm (the Fm point lies beyond the curve)"),
            0u);
}

TEST_F(JipRes, IsAveragedIntoItsOwnFilesByTheRulesOfFLRes) {
  session.Options.StripFileName = 1;
  Load("leaf0121.asc", 0.0625f);
  ASSERT_TRUE(WriteJipRes(session, feedback));
  // A later Fo time moves only the area and what follows from it.
  Load("leaf0122.asc", 0.1875f);
  ASSERT_TRUE(WriteJipRes(session, feedback));
  // An FL.RES that cannot be averaged does not keep jip.res from being averaged.
  folder.Write("fl.res", "Filename\t\r\nleaf0121\t1.00\t\r\n");
  EXPECT_FALSE(AverageResults(feedback, folder.Path(), 1));
  ASSERT_EQ(feedback.Messages.size(), 1u);
  EXPECT_EQ(feedback.Messages[0].Text.rfind("fl.res: line 2 (leaf0121)", 0), 0u);
  const std::string means = Slurp(folder.File("Jip_avg.res"));
  // Areas 16346.875 and 16346.875 - 0.125 (500 + 400) / 2, written as 16346.88 and 16290.63.
  EXPECT_EQ(means.substr(kHeading.size(), 96),
            "leaf012 \t100.00\t200.00\t400.00\t500.00\t600.00\t256.00\t500.00\t0.60\t0.80\t6.00\t"
            "5.00\t0.83\t0.80\t16318.75");
  const std::string errors = Slurp(folder.File("Jip_err.res"));
  EXPECT_NE(errors.find("\t28.125\t"), std::string::npos);  // SEM of the areas: 56.25 / 2
  EXPECT_FALSE(std::filesystem::exists(folder.File("Fl_avg.res")));
}

}  // namespace
}  // namespace tolmek
