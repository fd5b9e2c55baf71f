#include "analysis/JipTest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>

#include "data/Measurement.h"
#include "data/NumberText.h"
#include "data/OjipTextFile.h"
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
  // No Fm point, or one beyond the curve, and no curve at all.
  Measurement record = Curve({{0.05f, 0}, {0.3f, 200}, {2, 400}, {30, 500}});
  record.PFPoints[kSlotFm] = 30000;
  EXPECT_NE(JipGapsText(ComputeJipTest(record)).find("Fm (the Fm point lies beyond the curve)"),
            std::string::npos);
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
  for (JipParameter p : {kJipFo, kJipFj, kJipFi})
    EXPECT_EQ(r[p], Val(printed.at(kJipNames[p]))) << kJipNames[p];
  EXPECT_NEAR(r[kJipSs], Val(printed.at("Ss")), 0.0005);  // Vj / Mo does not depend on Fm
  EXPECT_GT(std::fabs(r[kJipVj] - Val(printed.at("Vj"))), 0.01);

  record.PFPoints[kSlotFm] = 278;  // P at 231.621 ms
  ExpectAsPrinted(ComputeJipTest(record), printed);
}

}  // namespace
}  // namespace tolmek
