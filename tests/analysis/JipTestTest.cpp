#include "analysis/JipTest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

#include "analysis/Averaging.h"
#include "analysis/JipResFile.h"
#include "data/Measurement.h"
#include "data/NumberText.h"
#include "data/OjipTextFile.h"
#include "support/TestSupport.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

// A curve given as (ms, PF) points; Fm by the program's own search.
Measurement Curve(const std::vector<std::pair<float, float>>& points) {
  Measurement record;
  SizeCurveArrays(record, static_cast<int>(points.size()) + 8);
  for (size_t i = 0; i < points.size(); ++i) {
    record.TimeValues[i + 1] = points[i].first;
    record.PFValues[i + 1] = points[i].second;
  }
  record.PointCount = static_cast<int>(points.size());
  PrepareCurves(record);
  return record;
}

TEST(JipTest, LeavesEmptyAndNamesWhatCannotBeComputed) {
  // Ends at 20 ms: no I step, the rest is there.
  JipResult r = ComputeJipTest(Curve({{0.05f, 100}, {0.3f, 200}, {2, 400}, {20, 600}}));
  EXPECT_TRUE(r.Has(kJipPIAbs));
  EXPECT_EQ(JipGapsText(r), "Not computable: Fi (the curve ends before 30 ms), Vi (needs Fi)");
  EXPECT_NE(JipTestText(r).find("\r\nFi = \r\n"), std::string::npos);
  // A flat curve: Fv = 0 divides nearly everything.
  r = ComputeJipTest(Curve({{0.05f, 100}, {0.3f, 100}, {2, 100}, {30, 100}}));
  EXPECT_TRUE(r.Has(kJipFmFo));
  for (JipParameter p : {kJipVj, kJipMo, kJipSm, kJipPIAbs, kJipAbsRC, kJipN})
    EXPECT_FALSE(r.Has(p)) << kJipNames[p];
  // J at Fm: Psi_o = 0 gives PI_abs 0, a value; Fo = 0 gives Phi_Po = 1 and no PI_abs.
  r = ComputeJipTest(Curve({{0.05f, 100}, {0.3f, 200}, {2, 600}, {30, 600}}));
  EXPECT_EQ(r[kJipPIAbs], 0);
  r = ComputeJipTest(Curve({{0.05f, 0}, {0.3f, 200}, {2, 400}, {30, 500}, {200, 600}}));
  EXPECT_EQ(JipGapsText(r),
            "Not computable: Fm/Fo (division by zero), Fv/Fo (division by zero), "
            "PI_abs (division by zero)");
  // No curve at all.
  const JipResult empty = ComputeJipTest(Measurement{});
  for (int p = 0; p < kJipParameterCount; ++p) EXPECT_FALSE(empty.Values[p]) << kJipNames[p];
}

// The parameters the instrument printed at the end of the export, by their names there.
std::map<std::string, std::string> PrintedParameters(const std::string& path) {
  std::map<std::string, std::string> printed;
  std::ifstream file(path);
  std::string line;
  bool after = false;
  while (std::getline(file, line)) {
    const size_t tab = line.find('\t');
    const std::string label = line.substr(0, tab);
    if (label == "Bckg") after = true;
    if (after && tab != std::string::npos)
      printed[label] = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
  }
  return printed;
}

// Those that do not depend on an area, by the instrument's names.
const std::map<std::string, JipParameter> kComparable = {
    {"Fo", kJipFo},        {"Fj", kJipFj},        {"Fi", kJipFi},        {"Fm", kJipFm},
    {"Fv", kJipFv},        {"Vj", kJipVj},        {"Vi", kJipVi},        {"Fm/Fo", kJipFmFo},
    {"Fv/Fo", kJipFvFo},   {"Fv/Fm", kJipFvFm},   {"Mo", kJipMo},        {"Ss", kJipSs},
    {"Phi_Po", kJipPhiPo}, {"Psi_o", kJipPsiO},   {"Phi_Eo", kJipPhiEo}, {"Phi_Do", kJipPhiDo},
    {"Pi_Abs", kJipPIAbs}, {"ABS/RC", kJipAbsRC}, {"TRo/RC", kJipTRoRC}, {"ETo/RC", kJipEToRC},
    {"DIo/RC", kJipDIoRC}};

// Every comparable parameter equals the printed one within half a unit of its last printed digit.
void ExpectAsPrinted(const JipResult& r, const std::map<std::string, std::string>& printed) {
  for (const auto& [name, parameter] : kComparable) {
    ASSERT_TRUE(printed.count(name)) << name;
    const std::string& text = printed.at(name);
    const size_t dot = text.find('.');
    const int decimals = dot == std::string::npos ? 0 : static_cast<int>(text.size() - dot - 1);
    ASSERT_TRUE(r.Has(parameter)) << name;
    EXPECT_NEAR(r[parameter], Val(text), 0.5 * std::pow(10.0, -decimals) + 1e-9)
        << name << " printed " << text;
  }
}

Measurement LoadExport(const std::string& path) {
  Session session;
  ScriptedFeedback feedback;
  EXPECT_EQ(ReadOjipTextFile(session, feedback, path), ReadOutcome::Loaded);
  return session.Record;
}

const std::string kExport2 = std::string(TOLMEK_TEST_DATA_DIR) + "/ojip-export-2.txt";
const std::string kExport5 = std::string(TOLMEK_TEST_DATA_DIR) + "/ojip-export-5.txt";

TEST(RealExport, WhereFmIsTheInstrumentsPGivesWhatTheInstrumentPrinted) {
  ExpectAsPrinted(ComputeJipTest(LoadExport(kExport5)), PrintedParameters(kExport5));
}

TEST(RealExport, WithAJStepAbovePTakesFmAtJUntilTheUserSetsItAtP) {
  Measurement record = LoadExport(kExport2);
  const auto printed = PrintedParameters(kExport2);
  JipResult r = ComputeJipTest(record);
  // The program's Fm is the largest value, 34299 at 1.521 ms, above the instrument's P (34201).
  EXPECT_EQ(r[kJipFm], 34299);
  EXPECT_FLOAT_EQ(static_cast<float>(r[kJipTFm]), 1.521f);

  record.PFPoints[kSlotFm] = 278;  // P at 231.621 ms
  ExpectAsPrinted(ComputeJipTest(record), printed);
}

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
    session.Record =
        Curve({{foTime, 100}, {0.5f, 200}, {2, 400}, {32, 500}, {256, 600}, {1024, 550}});
    session.Record.CurrentFileName = name;
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
  session.Options.StripFileName = true;
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
