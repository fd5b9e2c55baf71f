// The synthetic measurements behind the examples, the tests and the benchmarks.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "support/TestSupport.h"
#include "synth/GeneratorCommand.h"
#include "synth/Synthetic.h"

namespace tolmek::synth {
namespace {

TEST(SyntheticCurves, ASeedGivesTheSameCurvesAndOthersReplicatesThatDipAfterFiAndPeakLater) {
  CurveOptions options;
  const Curves first = MakeInductionCurves(options);
  EXPECT_EQ(MakeInductionCurves(options).PF, first.PF);
  EXPECT_EQ(MakeInductionCurves(options).DF, first.DF);
  const float maxFirst = *std::max_element(first.PF.begin(), first.PF.end());
  for (uint32_t seed : {2u, 7u, 99u}) {
    options.Seed = seed;
    const Curves curves = MakeInductionCurves(options);
    const auto& pf = curves.PF;
    EXPECT_EQ(curves.Time, first.Time);
    EXPECT_NE(pf, first.PF);
    const auto fi = std::max_element(pf.begin() + 1, pf.begin() + 8) - pf.begin();
    EXPECT_GE(fi, 3);
    EXPECT_LE(fi, 6);
    EXPECT_GT(pf[fi], pf[fi + 2]);  // a hump, not the start of the main rise
    const auto fm = std::max_element(pf.begin() + 1, pf.end()) - pf.begin();
    const float dip = *std::min_element(pf.begin() + fi, pf.begin() + fm);
    EXPECT_LT(dip, pf[fi] * 0.9);
    EXPECT_GT(pf[fm], pf[fi] * 1.5);
    EXPECT_LT(pf[curves.Count()], pf[fm] * 0.95);  // the slow fall to Fs
    EXPECT_NEAR(pf[fm] / maxFirst, 1.0, 0.15);     // a replicate differs by a few percent
  }
}

// What tolmek-batch writes of them is compared whole with tests/testdata/expected
// (ExpectedOutputs).
TEST(Generator, CommittedExamplesAreWhatTheGeneratorWrites) {
  for (const ExampleFile& example : ExampleFiles()) {
    EXPECT_TRUE(test::Slurp(std::string(TOLMEK_EXAMPLES_DIR) + "/" + example.Name) ==
                GenerateContent(example.Arguments))
        << example.Name;
  }
}

TEST(GeneratorCommand, WritesTheFileAskedForAndRejectsBadArgumentsWithUsage) {
  test::TempFolder folder;
  std::ostringstream out;
  std::ostringstream err;
  const std::string path = folder.File("m.tmk");
  EXPECT_EQ(RunGenerator({"--points", "40", "--out", path}, out, err), 0);
  EXPECT_TRUE(test::Slurp(path).starts_with("\"TOLMEK13\"\r\n"));
  EXPECT_EQ(RunGenerator({"--format", "dat1", "--M", "40000", "--out", path}, out, err), 2);
  EXPECT_EQ(RunGenerator({"--points", "ten", "--out", path}, out, err), 2);
  EXPECT_EQ(RunGenerator({"--out", folder.File("m.xyz")}, out, err), 2);
  EXPECT_NE(err.str().find("Usage: tolmek-gen"), std::string::npos);
  EXPECT_EQ(RunGenerator({"--out", folder.File("missing/m.asc")}, out, err), 1);
}

}  // namespace
}  // namespace tolmek::synth
