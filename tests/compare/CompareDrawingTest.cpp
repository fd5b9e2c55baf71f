#include <gtest/gtest.h>

#include <cmath>

#include "chart/ChartTestSupport.h"
#include "compare/CompareDrawing.h"

namespace tolmek {
namespace {

using test::DrawnOp;
using test::RecordingSurface;

// Records each polyline's number of points and pen width, and draws it as its segments.
class PolylineRecordingSurface : public RecordingSurface {
 public:
  using RecordingSurface::RecordingSurface;
  void SetPenWidth(int pixels) override {
    pen_ = pixels;
    RecordingSurface::SetPenWidth(pixels);
  }
  void Polyline(const std::vector<WorldPoint>& points, Colour colour) override {
    Polylines.push_back({points.size(), pen_});
    RecordingSurface::Polyline(points, colour);
  }
  std::vector<std::pair<size_t, int>> Polylines;

 private:
  int pen_ = 1;
};

// The curve lines of a colour: pen width 2 (the legend's line included).
std::vector<DrawnOp> CurveLines(const RecordingSurface& surface, Colour colour) {
  std::vector<DrawnOp> lines;
  for (const DrawnOp& op : surface.Of(DrawnOp::Line, colour))
    if (op.PenWidth == 2) lines.push_back(op);
  return lines;
}

TEST(CompareChart, OneLinePerCurveInItsStyleWithLegendAndSteps) {
  std::vector<CompareCurve> curves;
  for (int c = 0; c < 9; ++c)
    curves.push_back({"curve" + std::to_string(c), {0, 0.1, 1, 10}, {0, 1.0 * c, 2, 3}, {}});
  curves[1].Error = {0, 0.5, 0.5, 0.5};
  RecordingSurface surface(800, 500);
  DrawCompareChart(surface, curves, {true, "V_OP", {{"K", 0.3}, {"J", 2}, {"I", 30}, {"P", 500}}});

  for (int c = 1; c < 8; ++c) {
    // Three segments (the point at time 0 has no place on the log axis) and the legend's line.
    const auto lines = CurveLines(surface, kCompareColours[c]);
    ASSERT_EQ(lines.size(), 3u) << c;
    EXPECT_FALSE(lines[0].Dotted);
    EXPECT_NE(surface.TextOp("curve" + std::to_string(c)), nullptr);
  }
  // The ninth curve repeats the first colour dashed; black also draws the first curve.
  const auto black = CurveLines(surface, kCompareColours[0]);
  ASSERT_EQ(black.size(), 6u);
  EXPECT_TRUE(black[3].Dotted);
  // Logarithmic time: each decade equally wide.
  EXPECT_NEAR(black[0].X2 - black[0].X1, black[1].X2 - black[1].X1, 1e-9);
  for (const char* step : {"K", "J"}) EXPECT_NE(surface.TextOp(step), nullptr) << step;
  for (const char* step : {"I", "P"}) EXPECT_EQ(surface.TextOp(step), nullptr) << step;
  EXPECT_NE(surface.TextOp("V_OP"), nullptr);
  // The legend stands right of every curve, so it hides none.
  for (int c = 1; c < 8; ++c)
    EXPECT_GT(surface.TextOp("curve" + std::to_string(c))->X1,
              CurveLines(surface, kCompareColours[c])[1].X2);
  // The group's band: light vertical lines from mean - SE to mean + SE at its three points.
  const Colour tint{246, 221, 165};
  EXPECT_EQ(surface.Of(DrawnOp::Line, tint).size(), 3u);

  RecordingSurface linear(800, 500);
  DrawCompareChart(linear, {curves[2]}, {false, "F", {}});
  const auto lines = CurveLines(linear, kCompareColours[0]);
  ASSERT_EQ(lines.size(), 4u);  // time 0 counts on a linear axis
  EXPECT_GT(lines[2].X2 - lines[2].X1, 5 * (lines[1].X2 - lines[1].X1));
}

TEST(CompareChart, ManyCurvesAreDrawnThinEachInOnePiece) {
  std::vector<CompareCurve> curves(21, CompareCurve{"c", {1, 2, 3, 4}, {1, 2, 3, 4}, {}});
  PolylineRecordingSurface surface(800, 500);
  DrawCompareChart(surface, curves, {true, "V_OP", {}});
  ASSERT_EQ(surface.Polylines.size(), 21u);
  for (const auto& [points, pen] : surface.Polylines) {
    EXPECT_EQ(points, 4u);
    EXPECT_EQ(pen, 1);
  }
  curves.pop_back();
  PolylineRecordingSurface twenty(800, 500);
  DrawCompareChart(twenty, curves, {true, "V_OP", {}});
  EXPECT_EQ(twenty.Polylines.front().second, 2);
}

TEST(CompareRadarChart, TheReferenceOnTheCircleAndMissingRatiosLeaveTheirEdgesOut) {
  RadarTable table;
  table.Parameters = {kJipFvFm, kJipVj, kJipMo, kJipSm};
  table.Rows = {{"ref", {1.0, 1.0, 1.0, 1.0}}, {"other", {0.5, 2.0, std::nullopt, 1.5}}};
  RecordingSurface surface(600, 600);
  DrawRadar(surface, table);
  const auto reference = CurveLines(surface, kCompareColours[0]);
  ASSERT_EQ(reference.size(), 5u);  // four edges and the legend's line
  EXPECT_EQ(CurveLines(surface, kCompareColours[1]).size(), 3u);  // two edges and the legend's
  // The spokes start at the centre; the reference's corners lie on the circle.
  const auto spokes = surface.Of(DrawnOp::Line, Colour{160, 160, 160});
  ASSERT_EQ(spokes.size(), 4u);
  const double cx = spokes[0].X1, cy = spokes[0].Y1;
  double circle = 0;
  for (const DrawnOp& op : surface.Of(DrawnOp::Line, kBlack))
    if (op.PenWidth == 1) circle = std::hypot(op.X1 - cx, op.Y1 - cy);
  EXPECT_NEAR(std::hypot(reference[0].X1 - cx, reference[0].Y1 - cy), circle, 1e-6);
  for (const char* name : {"Fv/Fm", "Vj", "Mo", "Sm", "ref", "other"})
    EXPECT_NE(surface.TextOp(name), nullptr) << name;
}

TEST(CompareRadarChart, AnOutlierSitsOnTheRingWithItsValueAndDoesNotSqueezeTheOthers) {
  RadarTable table;
  table.Parameters = {kJipFvFm, kJipVj, kJipMo, kJipSm};
  table.Rows = {{"ref", {1.0, 1.0, 1.0, 1.0}}, {"outlier", {41.37, 1.0, 1.0, 1.0}}};
  RecordingSurface surface(600, 600);
  DrawRadar(surface, table, {{kCompareColours[3], false}, {kCompareColours[4], true}});
  // Four spokes, then the ring at their ends in 72 pieces, labelled with its value.
  const auto spokes = surface.Of(DrawnOp::Line, Colour{160, 160, 160});
  ASSERT_EQ(spokes.size(), 4u + 72u);
  const double cx = spokes[0].X1, cy = spokes[0].Y1;
  const double spoke = std::hypot(spokes[0].X2 - cx, spokes[0].Y2 - cy);
  EXPECT_NEAR(std::hypot(spokes[4].X1 - cx, spokes[4].Y1 - cy), spoke, 1e-6);
  EXPECT_NE(surface.TextOp("2.5"), nullptr);
  // The reference in the colour given for it, its corners on the circle at 1 / kRadarLimit of the
  // spoke; the outlier's corner at the spoke's end, named with its value.
  const auto reference = CurveLines(surface, kCompareColours[3]);
  ASSERT_FALSE(reference.empty());
  EXPECT_NEAR(std::hypot(reference[0].X1 - cx, reference[0].Y1 - cy), spoke / kRadarLimit, 1e-6);
  const auto outlier = CurveLines(surface, kCompareColours[4]);
  ASSERT_FALSE(outlier.empty());
  EXPECT_TRUE(outlier[0].Dotted);
  EXPECT_NEAR(std::hypot(outlier[0].X1 - cx, outlier[0].Y1 - cy), spoke, 1e-6);
  EXPECT_NE(surface.TextOp("41.4"), nullptr);  // three significant digits
}

}  // namespace
}  // namespace tolmek
