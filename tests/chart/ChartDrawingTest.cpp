#include <gtest/gtest.h>

#include "chart/ChartDrawing.h"
#include "chart/ChartScale.h"
#include "chart/ChartTestSupport.h"

namespace tolmek {
namespace {

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
  session.View.LogTime = 0;
  RecordingSurface surface(1000, 500);
  DrawChart(session, surface, kDrawFull);
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
      found |= dot.X1 == 40 && std::abs(dot.Y1 - 200) < 1e-3;
    EXPECT_TRUE(found);
  }
}

TEST(DrawChart, MarkersAreLabelledAtTheirPointsAndOnlyPFHidesTheDFDotsAndMarkers) {
  Session session;
  TwoCurves(session, 100);
  session.View.LogTime = 0;
  session.Record.PFPoints[3] = 60;
  session.Record.DFPoints[1] = {20, 30};
  RecordingSurface surface(1000, 500);
  DrawChart(session, surface, kDrawFull);
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
  DrawChart(session, markers, kDrawMarkers);
  EXPECT_TRUE(markers.Of(DrawnOp::Clear).empty());
  EXPECT_TRUE(markers.Of(DrawnOp::Dot).empty());
  EXPECT_EQ(markers.Of(DrawnOp::Print).size(), 3u);

  session.View.ViewMode = 1;
  RecordingSurface pfOnly(1000, 500);
  DrawChart(session, pfOnly, kDrawFull);
  EXPECT_TRUE(pfOnly.Dots(kDFColour).empty());
  EXPECT_EQ(pfOnly.TextOp("I1"), nullptr);
  EXPECT_NE(pfOnly.TextOp("M"), nullptr);
  EXPECT_NE(pfOnly.TextOp("DF"), nullptr);  // the DF axis keeps its title and labels
  EXPECT_NE(pfOnly.TextOp("500"), nullptr);
}

// Curves beyond the addressable points are drawn whole on either axis.
TEST(DrawChart, LinearAxisThinsToTheWidthAndLogAxisSkipsEarlyTimes) {
  Session session;
  TwoCurves(session, 40000);
  session.View.LogTime = 0;
  session.Options.LineWidth = 2;
  RecordingSurface linear(500, 300);
  DrawChart(session, linear, kDrawFull);
  const auto dots = linear.Dots(kPFColour);
  ASSERT_EQ(dots.size(), 250u);  // points 0, 160, ..., 39840
  EXPECT_EQ(dots[1].X1, 160);
  EXPECT_EQ(dots[1].PenWidth, 2);
  EXPECT_GT(dots.back().X1, 39000);
  session.View.LogTime = 1;
  RecordingSurface wholeLog(1000, 500);
  DrawChart(session, wholeLog, kDrawFull);
  EXPECT_GT(wholeLog.Dots(kPFColour).back().X1, TimeToX(session, 39000));

  SetCurves(
      session, 1000, [](int i) { return 0.005 * i; }, [](int) { return 1; }, [](int) { return 1; });
  RecordingSurface log(500, 300);  // S = 100: times below 0.01 are not drawn
  DrawChart(session, log, kDrawFull);
  ASSERT_FALSE(log.Dots(kPFColour).empty());
  for (const DrawnOp& dot : log.Dots(kPFColour)) EXPECT_GE(dot.X1, -1e-9);
}

TEST(DrawChart, DegenerateRangesDrawOnlyWhatCanBeDrawn) {
  Session session;
  TwoCurves(session, 100);
  session.View.LogTime = 0;
  session.View.AutoRange = 0;
  session.View.RangeFrom = 10;
  session.View.RangeTo = 500;
  session.View.RangePoints = 0;  // no point reaches the range's end
  RecordingSurface empty(800, 400);
  DrawChart(session, empty, kDrawFull);
  ASSERT_EQ(empty.Ops.size(), 1u);
  EXPECT_EQ(empty.Ops[0].What, DrawnOp::Clear);

  session.View.AutoRange = 1;
  session.Record.PFMax = session.Record.DFMax = 0;  // no y range
  RecordingSurface frameOnly(800, 400);
  DrawChart(session, frameOnly, kDrawFull);
  EXPECT_EQ(frameOnly.Of(DrawnOp::Line).size(), 4u);
  EXPECT_TRUE(frameOnly.Of(DrawnOp::Dot).empty());
  EXPECT_TRUE(frameOnly.Of(DrawnOp::Print).empty());
}

}  // namespace
}  // namespace tolmek
