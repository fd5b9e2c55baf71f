#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "chart/ChartScale.h"
#include "chart/ChartTestSupport.h"
#include "data/Errors.h"

namespace tolmek {
namespace {

using test::SetCurves;

std::vector<std::string> Labels(const std::vector<AxisTick>& ticks) {
  std::vector<std::string> labels;
  for (const AxisTick& tick : ticks) labels.push_back(tick.Label);
  return labels;
}

TEST(ChartFrame, LogarithmicAxisPlacesTimesByTheFactorOfTheFirstTime) {
  Session session;
  // First time 0.5 gives S = 100; the last time 1000 ends the range.
  SetCurves(
      session, 3, [](int i) { return i == 1 ? 0.5 : (i == 2 ? 10 : 1000); }, [](int) { return 10; },
      [](int) { return 10; });
  ComputeChartFrame(session, 1000, 500);
  EXPECT_EQ(session.View.LogTimeFactor, 100);
  EXPECT_NEAR(TimeToX(session, 0.01), 0, 1e-9);
  EXPECT_NEAR(TimeToX(session, 1), 400, 1e-9);
  EXPECT_NEAR(XToTime(session, 400), 1, 1e-9);
  EXPECT_EQ(TimeToX(session, 0), 0);  // Log10(0) = 0: a marker at time 0 sits at the range start
  EXPECT_THROW(Log10(-1), ErrorText);

  session.Record.TimeValues[1] = 1;  // S = 1: the range starts at time 1
  ComputeChartFrame(session, 1000, 500);
  EXPECT_EQ(session.View.LogTimeFactor, 1);
  EXPECT_NEAR(TimeToX(session, 1), 0, 1e-9);
}

TEST(ChartFrame, IndependentScalesShrinkTheLargerCurve) {
  Session session;
  SetCurves(
      session, 3, [](int i) { return i; }, [](int i) { return i == 2 ? 2000 : 1; },
      [](int i) { return i == 3 ? 500 : 1; });
  session.View.LogTime = false;
  ComputeChartFrame(session, 1000, 500);
  const ChartFrame& f = session.Frame;
  EXPECT_TRUE(f.Valid);
  EXPECT_EQ(f.YMax, 500);
  EXPECT_EQ(f.PFFactor, 0.25);
  EXPECT_EQ(f.DFFactor, 1);
  EXPECT_NEAR(f.MarginLeft, 60 * 3.0 / 1000, 1e-12);
  EXPECT_NEAR(f.MarginBottom, 50 * 1.0, 1e-12);

  const auto pf = YTicks(session, YAxis::PF);
  ASSERT_EQ(pf.size(), 6u);
  EXPECT_EQ(pf[1].Value, 400);
  EXPECT_EQ(pf[1].Height, 100);
  EXPECT_EQ(Labels(pf), (std::vector<std::string>{"", "400", "800", "1200", "1600", "2000"}));
}

TEST(ChartFrame, TickStepsFallBackToTwoAndDecadesCarryStandardLabels) {
  Session session;
  SetCurves(
      session, 3, [](int i) { return i; }, [](int) { return 20; }, [](int) { return 20; });
  session.View.UniversalY = true;
  session.View.LogTime = false;
  ComputeChartFrame(session, 1000, 500);
  EXPECT_EQ(YTicks(session, YAxis::Universal).size(), 11u);  // 0, 2, ..., 20
  EXPECT_EQ(Labels(XTicksLinear(session.Frame)), (std::vector<std::string>{"", "2"}));

  ChartFrame decades;
  decades.XTo = 1000;
  const auto ticks = XTicksLog(decades);
  std::vector<std::string> majors;
  for (const AxisTick& tick : ticks)
    if (tick.Major) majors.push_back(tick.Label);
  EXPECT_EQ(majors,
            (std::vector<std::string>{"0.01", "0.10", "1.00", "10.00", "100.00", "1,000.00"}));
  EXPECT_EQ(ticks.size() - majors.size(), 5u * 9);  // the decade at the range end has none
}

TEST(ChartFrame, FramesWithoutARangeAreNotValidAndTicksStayFinite) {
  Session session;
  // A curve zero throughout (no DF recorded) leaves the other on its own scale; both zero: no y
  // range.
  for (const auto& [pf, df] : {std::pair{0, 5}, {5, 0}, {0, 0}}) {
    SetCurves(
        session, 3, [](int i) { return i; }, [pf = pf](int) { return pf; },
        [df = df](int) { return df; });
    ComputeChartFrame(session, 800, 400);
    ASSERT_EQ(session.Frame.Valid, pf + df > 0);
    if (!session.Frame.Valid) break;
    EXPECT_EQ(session.Frame.YMax, 5);
    EXPECT_EQ(session.Frame.PFFactor, 1);
    EXPECT_EQ(session.Frame.DFFactor, 1);
  }

  SetCurves(
      session, 3, [](int i) { return 0.3 * i; }, [](int) { return 5; }, [](int) { return 5; });
  session.Record.TimeValues[1] = 1;  // S = 1 and the range ends at 0.9: no logarithmic range
  ComputeChartFrame(session, 800, 400);
  EXPECT_FALSE(session.Frame.Valid);

  ChartFrame endless;
  endless.XFrom = 1e20;
  endless.XTo = 1e20 + 1e5;
  endless.YMax = INFINITY;
  EXPECT_LE(XTicksLinear(endless).size(), 1000u);
  endless.XTo = INFINITY;
  EXPECT_TRUE(XTicksLog(endless).empty());
}

TEST(NearestPoint, WalksToTheNearerPointTiesGoToTheLaterAndTheRangeEndsAtTheFirstReachingIt) {
  Session session;
  SetCurves(
      session, 100, [](int i) { return i; }, [](int) { return 1; }, [](int) { return 1; });
  session.View.LogTime = false;
  EXPECT_EQ(NearestPointIndex(session, 25.5), 26);
  EXPECT_EQ(NearestPointIndex(session, 25.4), 25);
  EXPECT_EQ(NearestPointIndex(session, -5), 0);
  EXPECT_EQ(NearestPointIndex(session, 1e9), 100);
  EXPECT_EQ(RangeEnd(session.Record, 25.5), 26);
  EXPECT_EQ(RangeEnd(session.Record, 25), 25);
  EXPECT_EQ(RangeEnd(session.Record, 101), 0);

  // Sparse early and dense later: the first guess lies past the nearest point.
  SetCurves(
      session, 100, [](int i) { return i <= 10 ? i : 90 + (i - 10) * 0.1; }, [](int) { return 1; },
      [](int) { return 1; });
  EXPECT_EQ(NearestPointIndex(session, 12), 10);

  // The cursor stops at the last addressable point.
  SetCurves(
      session, 40000, [](int i) { return i; }, [](int) { return 1; }, [](int) { return 1; });
  EXPECT_EQ(NearestPoint(session, 39000), 39000);
  EXPECT_EQ(NearestPointIndex(session, 39000), kMaxPointIndex);
}

}  // namespace
}  // namespace tolmek
