#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "chart/ChartDrawing.h"
#include "chart/ChartScale.h"
#include "chart/ChartTestSupport.h"
#include "support/TestSupport.h"

namespace tolmek {
namespace {

using test::BoxesOverlap;
using test::DrawnOp;
using test::RecordingSurface;
using test::SetCurves;

// PF up to 2000 and DF up to 500 on the times 1..n.
void TwoCurves(Session& session, int n) {
  SetCurves(
      session, n, [](int i) { return i; }, [n](int i) { return 2000.0 * i / n; },
      [n](int i) { return 500.0 * i / n; });
}

TEST(DrawChart, FrameTitlesAndAQuarterScaledPFCurveInIndependentMode) {
  Session session;
  TwoCurves(session, 100);
  session.View.LogTime = false;
  RecordingSurface surface(1000, 500);
  DrawChart(session, surface, ChartDrawMode::Full);
  const ChartFrame& f = session.Frame;
  ASSERT_GE(surface.Ops.size(), 3u);
  EXPECT_EQ(surface.Ops[1].What, DrawnOp::Clear);  // after the world is set
  const DrawnOp& base = surface.Ops[2];            // the base line of the frame comes first
  EXPECT_EQ(base.What, DrawnOp::Line);
  EXPECT_DOUBLE_EQ(base.X1, f.XFrom - f.MarginLeft / 3);
  EXPECT_DOUBLE_EQ(base.X2, f.XTo + f.MarginRight / 3);
  const DrawnOp* pf = surface.TextOp("PF");
  const DrawnOp* df = surface.TextOp("DF");
  ASSERT_TRUE(pf && df);
  EXPECT_EQ(pf->Pen, kPFColour);
  EXPECT_EQ(df->Pen, kDFColour);
  EXPECT_LT(df->Y1, pf->Y1);                   // one text line lower
  EXPECT_NE(surface.TextOp("1600"), nullptr);  // a label of the PF axis

  // Point 40: PF 800 is drawn at 200, DF 200 at its value.
  for (const Colour colour : {kPFColour, kDFColour}) {
    bool found = false;
    for (const DrawnOp& dot : surface.Dots(colour))
      found |= dot.X1 == 40 && test::IsNear(dot.Y1, 200, 1e-3);
    EXPECT_TRUE(found);
  }
}

TEST(DrawChart, MarkersAreLabelledAtTheirPointsAndOnlyPFHidesTheDFDotsAndMarkers) {
  Session session;
  TwoCurves(session, 100);
  session.View.LogTime = false;
  session.Record.PFPoints[3] = 60;
  session.Record.DFPoints[1] = {20, 30};
  RecordingSurface surface(1000, 500);
  DrawChart(session, surface, ChartDrawMode::Full);
  const ChartFrame& f = session.Frame;
  const DrawnOp* m = surface.TextOp("M");
  const DrawnOp* i1 = surface.TextOp("I1");
  const DrawnOp* d1 = surface.TextOp("D1");
  ASSERT_TRUE(m && i1 && d1);
  EXPECT_DOUBLE_EQ(m->X1, 60 + 2 * f.XUnitsPerPixel);
  EXPECT_NEAR(m->Y1, 1200 * f.PFFactor, 1e-3);
  EXPECT_DOUBLE_EQ(i1->X1, 20 - 12 * f.XUnitsPerPixel);
  EXPECT_NEAR(d1->Y1, 150, 1e-3);
  bool dottedLine = false;
  for (const DrawnOp& line : surface.Of(DrawnOp::Line))
    dottedLine |= line.Dotted && line.X1 == 60 && line.Pen == kPFColour;
  EXPECT_TRUE(dottedLine);

  // Markers only: nothing cleared, only the markers again; a peak kept from a longer file has no
  // point on this curve and gets no marker.
  session.Record.DFPoints[2] = {150, 0};
  RecordingSurface markers(1000, 500);
  DrawChart(session, markers, ChartDrawMode::Markers);
  EXPECT_TRUE(markers.Of(DrawnOp::Clear).empty());
  EXPECT_TRUE(markers.Of(DrawnOp::Dot).empty());
  EXPECT_EQ(markers.Of(DrawnOp::Print).size(), 3u);

  session.View.ViewMode = ViewMode::PF;
  RecordingSurface pfOnly(1000, 500);
  DrawChart(session, pfOnly, ChartDrawMode::Full);
  EXPECT_TRUE(pfOnly.Dots(kDFColour).empty());
  EXPECT_EQ(pfOnly.TextOp("I1"), nullptr);
  EXPECT_NE(pfOnly.TextOp("M"), nullptr);
  EXPECT_NE(pfOnly.TextOp("DF"), nullptr);  // the DF axis keeps its title and labels
  EXPECT_NE(pfOnly.TextOp("400"), nullptr);
}

// Curves beyond the addressable points are drawn whole on either axis.
TEST(DrawChart, LinearAxisThinsToTheWidthAndLogAxisSkipsEarlyTimes) {
  Session session;
  TwoCurves(session, 40000);
  session.View.LogTime = false;
  session.Options.LineWidth = 2;
  RecordingSurface linear(500, 300);
  DrawChart(session, linear, ChartDrawMode::Full);
  const auto dots = linear.Dots(kPFColour);
  ASSERT_EQ(dots.size(), 250u);  // points 0, 160, ..., 39840
  EXPECT_EQ(dots[1].X1, 160);
  EXPECT_EQ(dots[1].PenWidth, 2);
  EXPECT_GT(dots.back().X1, 39000);
  session.View.LogTime = true;
  RecordingSurface wholeLog(1000, 500);
  DrawChart(session, wholeLog, ChartDrawMode::Full);
  EXPECT_GT(wholeLog.Dots(kPFColour).back().X1, TimeToX(session, 39000));

  SetCurves(
      session, 1000, [](int i) { return 0.005 * i; }, [](int) { return 1; }, [](int) { return 1; });
  RecordingSurface log(500, 300);  // S = 100: times below 0.01 are not drawn
  DrawChart(session, log, ChartDrawMode::Full);
  ASSERT_FALSE(log.Dots(kPFColour).empty());
  for (const DrawnOp& dot : log.Dots(kPFColour)) EXPECT_GE(dot.X1, -1e-9);
}

TEST(DrawChart, DegenerateRangesDrawOnlyWhatCanBeDrawn) {
  Session session;
  TwoCurves(session, 100);
  session.View.LogTime = false;
  session.View.AutoRange = false;
  session.View.RangeFrom = 10;
  session.View.RangeTo = 500;
  session.View.RangePoints = 0;  // no point reaches the range's end
  RecordingSurface empty(800, 400);
  DrawChart(session, empty, ChartDrawMode::Full);
  ASSERT_EQ(empty.Ops.size(), 1u);
  EXPECT_EQ(empty.Ops[0].What, DrawnOp::Clear);

  session.View.AutoRange = true;
  session.Record.PFMax = session.Record.DFMax = 0;  // no y range
  RecordingSurface frameOnly(800, 400);
  DrawChart(session, frameOnly, ChartDrawMode::Full);
  EXPECT_EQ(frameOnly.Of(DrawnOp::Line).size(), 4u);
  EXPECT_TRUE(frameOnly.Of(DrawnOp::Dot).empty());
  EXPECT_TRUE(frameOnly.Of(DrawnOp::Print).empty());
}

// The frame lines of the last drawing: left, right, base and top.
struct FrameBox {
  double Left, Right, Bottom, Top;
};
FrameBox FrameOf(const ChartFrame& f) {
  return {f.XFrom - f.MarginLeft / 3, f.XTo + f.MarginRight / 3, 0, f.YMax + 8 * f.YUnitsPerPixel};
}

bool IsTickLabel(const DrawnOp& op) {
  return !op.Text.empty() && op.Text.find_first_not_of("0123456789.,") == std::string::npos;
}
bool IsMarkerLabel(const DrawnOp& op) {
  return !op.Bold && !op.Text.empty() && !IsTickLabel(op);
}

// No tick label is printed over an axis title or a marker label.
void ExpectTickLabelsClear(const RecordingSurface& surface, const std::string& view) {
  const auto texts = surface.Of(DrawnOp::Print);
  for (const DrawnOp& tick : texts) {
    if (!IsTickLabel(tick)) continue;
    for (const DrawnOp& other : texts) {
      const bool covered = (other.Bold || IsMarkerLabel(other)) && BoxesOverlap(tick, other);
      EXPECT_FALSE(covered) << view << ": tick label " << tick.Text << " over " << other.Text;
    }
  }
}

// Marker lines and labels stay inside the frame, the labels above the base line.
void ExpectMarkersInside(const RecordingSurface& surface, const ChartFrame& f,
                         const std::string& view) {
  const FrameBox frame = FrameOf(f);
  for (const DrawnOp& line : surface.Of(DrawnOp::Line)) {
    if (!line.Dotted) continue;
    EXPECT_TRUE(line.X1 >= f.XFrom && line.X1 <= f.XTo) << view << ": marker line at " << line.X1;
    for (const double y : {line.Y1, line.Y2})
      EXPECT_TRUE(y >= frame.Bottom && y <= frame.Top) << view << ": marker line to " << y;
  }
  for (const DrawnOp& label : surface.Of(DrawnOp::Print)) {
    if (!IsMarkerLabel(label)) continue;
    EXPECT_TRUE(label.X1 >= frame.Left && label.X2 <= frame.Right)
        << view << ": " << label.Text << " from " << label.X1 << " to " << label.X2;
    EXPECT_TRUE(label.Y2 > frame.Bottom && label.Y1 <= frame.Top)
        << view << ": " << label.Text << " from " << label.Y1 << " down to " << label.Y2;
  }
}

// PF up to 3000 and DF up to 2450, both with a tick at their maximum; the PF curve ends at 2400,
// where its Fs marker sits at the end of the range.
void CurvesWithTopTicks(Session& session) {
  SetCurves(
      session, 200, [](int i) { return i; },
      [](int i) { return i <= 100 ? 30.0 * i : 3000 - 600.0 * (i - 100) / 100; },
      [](int i) { return 2450 * std::sin(3.14159 * i / 200); });
  session.Record.PFPoints[kSlotFm] = 100;
  session.Record.PFPoints[kSlotFs] = 200;
  session.Record.DFPoints[1] = {100, 150};
}

TEST(DrawChart, TickLabelsAreLeftOutWhereTheyWouldOverprintATitleOrAMarkerLabel) {
  Session session;
  CurvesWithTopTicks(session);
  for (const bool universal : {false, true}) {
    for (const bool logTime : {false, true}) {
      session.View.UniversalY = universal;
      session.View.LogTime = logTime;
      RecordingSurface surface(1000, 500);
      DrawChart(session, surface, ChartDrawMode::Full);
      const std::string view = std::string(universal ? "universal" : "independent") +
                               (logTime ? " logarithmic" : " linear");
      ExpectTickLabelsClear(surface, view);
      // The labels clear of the titles and markers are still there, and the marker of the
      // range's last point.
      EXPECT_NE(surface.TextOp("S"), nullptr) << view;
      EXPECT_NE(surface.TextOp("1800"), nullptr) << view;
      EXPECT_NE(surface.TextOp(universal ? "600" : "1960"), nullptr) << view;
    }
  }
}

TEST(DrawChart, MarkersOfPointsOutsideTheDrawnTimeRangeAreNotDrawn) {
  Session session;
  CurvesWithTopTicks(session);
  session.Record.DFPoints[2] = {7, 60};
  session.View.LogTime = false;
  session.View.AutoRange = false;
  session.View.RangeFrom = 10;
  session.View.RangeTo = 100;
  session.View.RangePoints = 100;
  RecordingSurface surface(1000, 500);
  DrawChart(session, surface, ChartDrawMode::Full);
  EXPECT_EQ(surface.TextOp("I2"), nullptr);  // point 7 lies left of the range
  EXPECT_NE(surface.TextOp("D2"), nullptr);
  EXPECT_EQ(surface.TextOp("D1"), nullptr);  // points 150 and 200 lie right of it
  EXPECT_EQ(surface.TextOp("S"), nullptr);
  EXPECT_NE(surface.TextOp("M"), nullptr);
  ExpectMarkersInside(surface, session.Frame, "manual range");

  // The markers alone, over the picture: the same rule.
  RecordingSurface markers(1000, 500);
  DrawChart(session, markers, ChartDrawMode::Markers);
  EXPECT_EQ(markers.TextOp("I2"), nullptr);
  ExpectMarkersInside(markers, session.Frame, "markers only");

  // On the logarithmic axis the last time, placed by its logarithm, may land a rounding error
  // beyond the range's end: its marker is drawn all the same.
  SetCurves(
      session, 200, [](int i) { return 1 + (i - 1) * 5.98005295 / 199; }, [](int) { return 5; },
      [](int) { return 5; });
  session.Record.PFPoints[kSlotFs] = 200;
  session.View.LogTime = true;
  RecordingSurface log(1000, 500);
  DrawChart(session, log, ChartDrawMode::Full);
  EXPECT_NE(log.TextOp("S"), nullptr);
}

TEST(DrawChart, MarkersOfNegativeValuesStayInsideTheFrame) {
  Session session;
  // PF dips below zero around its Fi and Fd points.
  SetCurves(
      session, 200, [](int i) { return i; }, [](int i) { return i < 20 ? -50.0 * i : 10.0 * i; },
      [](int i) { return 5.0 * i; });
  session.Record.PFPoints[kSlotFi] = 5;
  session.Record.PFPoints[kSlotFd] = 15;
  session.Record.PFPoints[kSlotFm] = 200;
  for (const bool logTime : {false, true}) {
    session.View.LogTime = logTime;
    RecordingSurface surface(1000, 500);
    DrawChart(session, surface, ChartDrawMode::Full);
    ASSERT_NE(surface.TextOp("I"), nullptr);
    ASSERT_NE(surface.TextOp("D"), nullptr);
    ExpectMarkersInside(surface, session.Frame, logTime ? "logarithmic" : "linear");
  }
}

TEST(DrawChart, MarkerLabelsOfZeroHeightStayClearOfTheTimeAxisLabels) {
  Session session;
  // A file without DF whose DF peaks were kept: the peaks mark points of height 0.
  SetCurves(
      session, 400, [](int i) { return 0.01 * i; }, [](int i) { return 100.0 + i; },
      [](int) { return 0; });
  session.Record.DFPoints[1] = {100, 101};
  session.Record.DFPoints[2] = {10, 400};
  for (const bool logTime : {false, true}) {
    session.View.LogTime = logTime;
    RecordingSurface surface(1000, 500);
    DrawChart(session, surface, ChartDrawMode::Full);
    const std::string view = logTime ? "logarithmic" : "linear";
    ASSERT_NE(surface.TextOp("I1"), nullptr) << view;
    ExpectMarkersInside(surface, session.Frame, view);
    ExpectTickLabelsClear(surface, view);
  }
}

// The larger DF is shrunk to the height of PF, not PF's maximum blown up.
TEST(DrawChart, IndependentScaleShrinksADFCurveLargerThanPF) {
  Session session;
  SetCurves(
      session, 100, [](int i) { return i; }, [](int i) { return 5.0 * i; },
      [](int i) { return 2000 * std::sin(3.14159 * i / 100); });
  session.View.LogTime = false;
  RecordingSurface surface(1000, 500);
  DrawChart(session, surface, ChartDrawMode::Full);
  const ChartFrame& f = session.Frame;
  const FrameBox frame = FrameOf(f);
  const auto dots = surface.Dots(kDFColour);
  ASSERT_FALSE(dots.empty());
  double highest = 0;
  for (const DrawnOp& dot : dots) {
    EXPECT_TRUE(dot.Y1 >= 0 && dot.Y1 <= frame.Top) << "DF dot at " << dot.X1 << ", " << dot.Y1;
    highest = std::max(highest, dot.Y1);
  }
  EXPECT_GT(highest, 0.95 * f.YMax);
}

// The last point of the drawn range: below the range's end index on the linear axis, the end
// index itself on the logarithmic one.
TEST(DrawChart, TheLastPointOfTheRangeIsDrawnOnBothCurves) {
  Session session;
  SetCurves(
      session, 300, [](int i) { return i; }, [](int i) { return 10.0 * i; },
      [](int i) { return 3.0 * i; });
  auto drawnAt = [](const RecordingSurface& surface, Colour colour, double x) {
    const auto dots = surface.Dots(colour);
    return std::any_of(dots.begin(), dots.end(),
                       [x](const DrawnOp& dot) { return test::IsNear(dot.X1, x); });
  };
  struct Case {
    bool LogTime, AutoRange;
    double Width, LastTime;
  };
  for (const Case c : {Case{false, true, 1000, 299}, Case{false, false, 1000, 149},
                       Case{true, true, 1000, 300}, Case{true, true, 600, 300}}) {
    session.View.LogTime = c.LogTime;
    session.View.AutoRange = c.AutoRange;
    session.View.RangeFrom = 20;
    session.View.RangeTo = 150;
    session.View.RangePoints = 150;
    RecordingSurface surface(c.Width, 400);
    DrawChart(session, surface, ChartDrawMode::Full);
    const double x = TimeToX(session, c.LastTime);
    EXPECT_TRUE(drawnAt(surface, kPFColour, x)) << "log " << c.LogTime << " width " << c.Width;
    EXPECT_TRUE(drawnAt(surface, kDFColour, x)) << "log " << c.LogTime << " width " << c.Width;
  }
}

}  // namespace
}  // namespace tolmek
