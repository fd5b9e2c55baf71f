// The synthetic measurements behind the examples, the tests and the benchmarks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <stdexcept>

#include "data/NumberText.h"
#include "support/TestSupport.h"
#include "synth/GeneratorCommand.h"
#include "synth/Synthetic.h"

namespace tolmek::synth {
namespace {

// The little-endian 16-bit value starting at 1-based byte position p.
int Read16(const std::string& bytes, long long p) {
  int16_t value = 0;
  std::memcpy(&value, bytes.data() + p - 1, 2);
  return value;
}

int32_t Read32(const std::string& bytes, long long p) {
  int32_t value = 0;
  std::memcpy(&value, bytes.data() + p - 1, 4);
  return value;
}

// How often "DF" stands in the 200 header characters that the gain scan reads.
int GainLabelCount(const std::string& bytes) {
  const std::string header = ToUpper(bytes.substr(4, 200));
  int count = 0;
  for (size_t p = header.find("DF"); p != std::string::npos; p = header.find("DF", p + 1)) ++count;
  return count;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(SyntheticCurves, SameSeedGivesTheSameCurvesAndAnotherSeedAReplicate) {
  CurveOptions options;
  const Curves first = MakeInductionCurves(options);
  const Curves again = MakeInductionCurves(options);
  options.Seed = 2;
  const Curves replicate = MakeInductionCurves(options);
  EXPECT_EQ(first.PF, again.PF);
  EXPECT_EQ(first.DF, again.DF);
  EXPECT_EQ(first.Time, replicate.Time);
  EXPECT_NE(first.PF, replicate.PF);
  // A replicate of the same sample: the main maximum differs by a few percent, not more.
  const float maxFirst = *std::max_element(first.PF.begin(), first.PF.end());
  const float maxReplicate = *std::max_element(replicate.PF.begin(), replicate.PF.end());
  EXPECT_NEAR(maxReplicate / maxFirst, 1.0, 0.15);
}

TEST(SyntheticCurves, TimeBaseStartsAboveZeroAndGrowsStrictly) {
  for (const int count : {1, 19, 20, 163, 300, 10000}) {
    const std::vector<float> time = TimeBase(count, 0.011);
    ASSERT_EQ(time.size(), static_cast<size_t>(count) + 1);
    EXPECT_EQ(time[0], 0.0f);
    EXPECT_GT(time[1], 0.0f);
    for (int i = 2; i <= count; ++i) ASSERT_GT(time[i], time[i - 1]) << count << " " << i;
  }
  EXPECT_THROW(TimeBase(10, 0.0), std::invalid_argument);
}

TEST(SyntheticCurves, TimeBaseGroupsRawStepsLikeTheInstrument) {
  const std::vector<float> time = TimeBase(170, 0.011);
  EXPECT_FLOAT_EQ(time[19], 19 * 0.011f);
  EXPECT_FLOAT_EQ(time[20], 21.5f * 0.011f);     // first group of 3 from raw position 20
  EXPECT_FLOAT_EQ(time[46], 105.5f * 0.011f);    // first group of 11 from 100
  EXPECT_FLOAT_EQ(time[82], 527.5f * 0.011f);    // first group of 55 from 500
  EXPECT_FLOAT_EQ(time[163], 5100.0f * 0.011f);  // first group of 200 from 5000
  // Another first time stretches the same base.
  EXPECT_FLOAT_EQ(TimeBase(170, 1.0)[163], 5100.0f);
}

TEST(SyntheticCurves, PFRisesToFiBeforePointEightDipsAndPeaksHigherLater) {
  for (uint32_t seed : {1u, 7u, 99u}) {
    CurveOptions options;
    options.Seed = seed;
    const Curves curves = MakeInductionCurves(options);
    const auto& pf = curves.PF;
    const auto fi = std::max_element(pf.begin() + 1, pf.begin() + 8) - pf.begin();
    EXPECT_GE(fi, 3);
    EXPECT_LE(fi, 6);
    EXPECT_GT(pf[fi], pf[fi + 2]);  // a hump, not the start of the main rise
    const auto fm = std::max_element(pf.begin() + 1, pf.end()) - pf.begin();
    const float dip = *std::min_element(pf.begin() + fi, pf.begin() + fm);
    EXPECT_LT(dip, pf[fi] * 0.9);
    EXPECT_GT(pf[fm], pf[fi] * 1.5);
    EXPECT_LT(pf[curves.Count()], pf[fm] * 0.95);  // the slow fall to Fs
  }
}

TEST(SyntheticCurves, MarkedPointsFollowTheCurves) {
  const Curves curves = MakeInductionCurves({});
  const NativeHeader header = MarkPoints(curves, 4);
  const auto& slots = header.PFPoints;
  EXPECT_LT(slots[1], 8);
  EXPECT_LT(slots[1], slots[2]);
  EXPECT_LT(slots[2], slots[3]);
  EXPECT_EQ(slots[6], curves.Count());
  // Each DF wave: a maximum, then a lower minimum, and the waves follow one another.
  int waves = 0;
  for (int k = 1; k <= 6; ++k) {
    const auto [peak, dip] = header.DFPoints[k];
    if (peak == 0) continue;
    ++waves;
    ASSERT_GT(dip, peak);
    EXPECT_LT(curves.DF[dip], curves.DF[peak]);
    if (k > 1) {
      EXPECT_GE(peak, header.DFPoints[k - 1][1]);
    }
  }
  EXPECT_EQ(waves, 4);
}

TEST(SyntheticFiles, NativeLayoutsDifferOnlyInTheirHeadAndSlotLines) {
  const Curves curves = MakeInductionCurves({.Points = 30});
  NativeHeader header = MarkPoints(curves, 2);
  header.Comments = {"one, with comma", "two", "three", "four", "five"};
  header.Information = "Leaf 7";
  const std::string v13 = NativeText(curves, NativeLayout::Tolmek13, header);
  const std::string v32 = NativeText(curves, NativeLayout::Tolmek32, header);
  const std::string old = NativeText(curves, NativeLayout::Unversioned, header);
  for (const std::string* text : {&v13, &v32, &old}) {
    for (const std::string& line : Lines(*text)) ASSERT_TRUE(line.ends_with('\r')) << line;
    EXPECT_EQ(text->find(','), text->find("\"one, with comma\"") + 4);
  }
  const auto lines13 = Lines(v13);
  const auto lines32 = Lines(v32);
  const auto linesOld = Lines(old);
  EXPECT_EQ(lines13[0], "\"TOLMEK13\"\r");
  EXPECT_EQ(lines13[1], "\"Leaf 7\"\r");
  EXPECT_EQ(lines13[7], "30\r");
  EXPECT_EQ(lines32[0], "\"TOLMEK32\"\r");
  EXPECT_EQ(lines32[1], "\"one, with comma\"\r");
  EXPECT_EQ(linesOld[0], "\"one, with comma\"\r");
  EXPECT_EQ(lines13.size(), 8u + 30 + 7);
  EXPECT_EQ(linesOld.size(), 6u + 30 + 7);
  const auto& pf = header.PFPoints;
  EXPECT_EQ(linesOld[36], std::to_string(pf[1]) + "," + std::to_string(pf[2]) + "," +
                              std::to_string(pf[3]) + "," + std::to_string(pf[6]) + "\r");
  EXPECT_EQ(lines13[38], lines32[37]);  // the same six PF slots in both versions
}

TEST(SyntheticFiles, AsciiStylesSeparateTheSameNumbers) {
  const Curves curves = MakeInductionCurves({.Points = 3});
  const auto zones = Lines(AsciiText(curves, 0));
  ASSERT_EQ(zones.size(), 3u);
  EXPECT_EQ(zones[0].substr(0, 14), "0.011         ");
  EXPECT_EQ(zones[0].find_first_not_of(' ', 14), 14u);
  const std::string pf = FormatFixed(curves.PF[1]);
  EXPECT_EQ(zones[0].substr(14, pf.size()), pf);
  EXPECT_EQ(zones[0].substr(28), FormatFixed(curves.DF[1]) + "\r");
  const auto commas = Lines(AsciiText(curves, 1));
  EXPECT_EQ(commas[0], FormatGeneral(curves.Time[1]) + "," + FormatGeneral(curves.PF[1]) + "," +
                           FormatGeneral(curves.DF[1]) + "\r");
  EXPECT_NE(AsciiText(curves, 2).find('\t'), std::string::npos);
  EXPECT_THROW(AsciiText(curves, 4), std::invalid_argument);
}

TEST(SyntheticRecording, TypeOneFieldsSitAtTheirBytePositions) {
  RecordingOptions options;
  options.M = 5200;
  const std::string bytes = MakeRecording(options);
  EXPECT_EQ(Read16(bytes, 1), 3310);
  EXPECT_EQ(Read16(bytes, 3), 1);
  EXPECT_EQ(bytes.substr(44, 40), "DF 10*12  PF 2*3" + std::string(24, ' '));
  EXPECT_EQ(GainLabelCount(bytes), 1);
  EXPECT_EQ(Read16(bytes, 213), 11000);
  EXPECT_EQ(Read16(bytes, 255), 5200);
  // The file ends with the last PF sample, at base + 2M + 4 + 2M.
  EXPECT_EQ(bytes.size(), 255u + 2 * 5200 + 4 + 2 * 5200 + 1);
  EXPECT_GT(Read16(bytes, 255 + 2 * 5200 + 4 + 2 * 5200), 0);
  EXPECT_GT(Read16(bytes, 255 + 2 * 1), 0);
}

TEST(SyntheticRecording, TypeFiveKeepsMInThirtyTwoBitsAfterTheCountBytes) {
  RecordingOptions options;
  options.Type = 5;
  options.M = 50000;
  options.CountByte = 3;
  const std::string bytes = MakeRecording(options);
  const long long base = 3 * 4 + 255 + 3;
  EXPECT_EQ(static_cast<unsigned char>(bytes[254]), 3);
  EXPECT_EQ(Read32(bytes, base - 2), 50000);
  EXPECT_EQ(static_cast<long long>(bytes.size()), base + (2LL * 50000 + 4) * 3 + 2 * 50000 + 1);
  const long long pf = base + (2LL * 50000 + 4) * 3;
  EXPECT_GT(Read16(bytes, pf + 2), 0);
  EXPECT_GT(Read16(bytes, pf + 2 * 50000), 0);
}

TEST(SyntheticRecording, LightOffDropsPFBelowAFifthAndDFDecays) {
  RecordingOptions options;
  options.M = 20000;
  options.LightOffAt = 18000;
  const std::string bytes = MakeRecording(options);
  auto pf = [&](int q) { return Read16(bytes, 255 + 2 * 20000 + 4 + 2 * q); };
  auto df = [&](int q) { return Read16(bytes, 255 + 2 * q); };
  for (int q = 17990; q < 18000; ++q) EXPECT_GT(pf(q), 1500);
  for (int q = 18000; q <= 20000; q += 250) EXPECT_LT(pf(q), 0.2 * pf(17999));
  EXPECT_LT(df(20000), df(18000) / 3);
}

TEST(SyntheticRecording, ShortAndEmptyRecordingsAreStillWhole) {
  RecordingOptions options;
  options.M = 5;
  EXPECT_EQ(MakeRecording(options).size(), 255u + 2 * 5 + 4 + 2 * 5 + 1);
  options.M = 0;
  const std::string empty = MakeRecording(options);
  EXPECT_EQ(Read16(empty, 255), 0);
  options.M = 40000;
  EXPECT_THROW(MakeRecording(options), std::invalid_argument);  // M of type 1 is 16-bit
}

TEST(SyntheticRecording, TemperatureReadsOverlapIntoRangeCheckAndSamples) {
  const std::string bytes = MakeTemperatureRecording(4, 20, 256);
  EXPECT_EQ(Read16(bytes, 3), 4);
  EXPECT_EQ(Read16(bytes, 120), 20);
  EXPECT_EQ(Read16(bytes, 121), 256);
  EXPECT_EQ(Read16(bytes, 128), 256);
  EXPECT_EQ(bytes.size(), 256u + 256 + 130);
  // The samples overlap the header text; the gain label must still stand there once only.
  EXPECT_EQ(GainLabelCount(bytes), 1);
  int dfPeak = 20;
  for (int t = 20; t < 256; ++t) {
    EXPECT_GT(Read16(bytes, t + 129), 256) << t;
    EXPECT_GT(Read16(bytes, t + 256 + 130), 256) << t;
    if (Read16(bytes, t + 129) > Read16(bytes, dfPeak + 129)) dfPeak = t;
  }
  EXPECT_GT(dfPeak, 25);
  EXPECT_LT(dfPeak, 55);
  EXPECT_THROW(MakeTemperatureRecording(1, 20, 300), std::invalid_argument);
}

TEST(Generator, CommittedExamplesAreWhatTheGeneratorWrites) {
  for (const ExampleFile& example : ExampleFiles()) {
    const std::string committed =
        test::Slurp(std::string(TOLMEK_EXAMPLES_DIR) + "/" + example.Name);
    EXPECT_TRUE(committed == GenerateContent(example.Arguments)) << example.Name;
  }
}

TEST(Generator, WritesTheFileAskedForAndRejectsBadArgumentsWithUsage) {
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
