#include "ChartDrawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "ChartScale.h"
#include "data/Errors.h"

namespace tolmek {

namespace {

constexpr std::array<const char*, 7> kPFLabels = {"", "I", "D", "M", "M1", "M2", "S"};

// Runs one drawing step; a step whose arithmetic fails (a point out of range, a division by zero)
// is left out and the drawing goes on without it. Any other failure, such as running out of memory,
// is not the drawing's to hide: it goes up to the command that drew.
template <typename Step>
void DrawOrSkip(Step step) {
  try {
    step();
  } catch (const ErrorText&) {
  }
}

// Distances given in pixels, in world units of the frame.
struct Pixels {
  const ChartFrame& frame;
  double X(double n) const { return n * frame.XUnitsPerPixel; }
  double Y(double n) const { return n * frame.YUnitsPerPixel; }
};

// Where the letters of a printed text lie, in world units (y growing upwards).
struct TextBox {
  double Left = 0;
  double Top = 0;
  double Right = 0;
  double Bottom = 0;
  // Whether the boxes come closer than dx and dy to each other.
  bool Near(const TextBox& other, double dx, double dy) const {
    return Left < other.Right + dx && other.Left < Right + dx && Bottom < other.Top + dy &&
           other.Bottom < Top + dy;
  }
};

// Text extents measured on the surface, in world units of the frame's world rectangle. The
// surface's pixels are a little larger than the frame's nominal ones, as the margins are added
// after the units per pixel were taken.
struct TextMetrics {
  const DrawingSurface& surface;
  const ChartFrame& frame;
  double PixelX() const {
    return (frame.XTo - frame.XFrom + frame.MarginLeft + frame.MarginRight) / surface.Width();
  }
  double PixelY() const {
    return (frame.YMax + frame.MarginTop + frame.MarginBottom) / surface.Height();
  }
  double LineHeight() const { return surface.TextHeight() * PixelY(); }
  // The box of the text printed at (x, y).
  TextBox Box(double x, double y, const std::string& text) const {
    const PixelBox letters = surface.TextBounds(text);
    return {x + letters.Left * PixelX(), y - letters.Top * PixelY(), x + letters.Right * PixelX(),
            y - letters.Bottom * PixelY()};
  }
  // Whether a text at box would overprint one of taken: their letters must be a pixel apart.
  bool Overprints(const TextBox& box, const std::vector<TextBox>& taken) const {
    return std::any_of(taken.begin(), taken.end(),
                       [&](const TextBox& t) { return t.Near(box, PixelX(), PixelY()); });
  }
};

// The boxes of the texts printed so far: a tick label that would overprint one is left out.
using TakenBoxes = std::vector<TextBox>;

// The frame lines: left, right, base (y = 0) and top.
struct FrameLines {
  double Left = 0;
  double Right = 0;
  double Top = 0;
};

FrameLines FrameLinesOf(const ChartFrame& f) {
  return {f.XFrom - f.MarginLeft / 3, f.XTo + f.MarginRight / 3, f.YMax + f.YUnitsPerPixel * 8};
}

// A set point's marker: its dotted line from the base line and its label.
struct Marker {
  double X = 0;
  double LineTop = 0;
  Colour Pen;
  double LabelX = 0;
  double LabelY = 0;
  std::string Label;
  bool PFGroup = false;
};

// The markers in drawing order; a marker that fails ends the list.
struct MarkerPlan {
  std::vector<Marker> Markers;
  bool DFGroup = false;
  bool PFGroup = false;
};

void SetFrameWorld(DrawingSurface& surface, const ChartFrame& f) {
  surface.SetWorld(f.XFrom - f.MarginLeft, f.YMax + f.MarginTop, f.XTo + f.MarginRight,
                   -f.MarginBottom);
}

void DrawFrameLines(DrawingSurface& surface, const ChartFrame& f) {
  const FrameLines lines = FrameLinesOf(f);
  const double xl = lines.Left;
  const double xr = lines.Right;
  const double yt = lines.Top;
  surface.SetPenWidth(2);
  surface.Line(xl, 0, xr, 0, kBlack);
  surface.Line(xl, 0, xl, yt, kBlack);
  surface.Line(xr, 0, xr, yt, kBlack);
  surface.Line(xl, yt, xr, yt, kBlack);
}

// A frame that cannot be computed still shows the empty frame, placed as on a unit range.
void DrawFrameOnly(DrawingSurface& surface) {
  ChartFrame unit;
  unit.XTo = unit.YMax = 1;
  unit.XUnitsPerPixel = 1 / surface.Width();
  unit.YUnitsPerPixel = 1 / surface.Height();
  unit.MarginLeft = unit.MarginRight = 60 * unit.XUnitsPerPixel;
  unit.MarginTop = 25 * unit.YUnitsPerPixel;
  unit.MarginBottom = 50 * unit.YUnitsPerPixel;
  surface.Clear();
  SetFrameWorld(surface, unit);
  DrawFrameLines(surface, unit);
}

// The titles' boxes are taken: no tick label is printed over them.
void DrawTitles(DrawingSurface& surface, const ChartFrame& f, TakenBoxes& taken) {
  const Pixels px{f};
  const TextMetrics metrics{surface, f};
  surface.SetTextBold(true);
  const double pfX = f.XFrom - f.MarginLeft + px.X(5);
  const double pfY = f.YMax + f.MarginTop - px.Y(3);
  surface.SetTextPosition(pfX, pfY);
  surface.SetTextColour(kPFColour);
  surface.Print("PF");
  taken.push_back(metrics.Box(pfX, pfY, "PF"));
  // "DF" goes on the line below "PF", where Print left the text position.
  const double dfX = f.XTo + f.MarginRight / 3 + px.X(4);
  surface.SetTextX(dfX);
  surface.SetTextColour(kDFColour);
  surface.Print("DF");
  taken.push_back(metrics.Box(dfX, pfY - metrics.LineHeight(), "DF"));
  surface.SetTextColour(kBlack);
  surface.SetTextBold(false);
}

// A tick label, unless it would overprint a title, a marker label or an earlier tick label.
void DrawTickLabel(DrawingSurface& surface, const TextMetrics& metrics, TakenBoxes& taken, double x,
                   double y, const std::string& label) {
  if (!label.empty()) {
    const TextBox box = metrics.Box(x, y, label);
    if (metrics.Overprints(box, taken)) return;
    taken.push_back(box);
  }
  surface.SetTextPosition(x, y);
  surface.Print(label);
}

void DrawYAxes(const Session& session, DrawingSurface& surface, TakenBoxes& taken) {
  const ChartFrame& f = session.Frame;
  const Pixels px{f};
  const TextMetrics metrics{surface, f};
  const FrameLines lines = FrameLinesOf(f);
  const double xl = lines.Left;
  const double xr = lines.Right;
  const double labelLeft = f.XFrom - f.MarginLeft + px.X(5);
  if (!session.View.UniversalY) {
    for (const AxisTick& tick : YTicks(session, YAxis::PF)) {
      surface.Line(xl, tick.Height, xl + px.X(5), tick.Height, kBlack);
      DrawTickLabel(surface, metrics, taken, labelLeft, tick.Height + px.Y(11), tick.Label);
    }
    for (const AxisTick& tick : YTicks(session, YAxis::DF)) {
      surface.Line(xr - px.X(5), tick.Height, xr, tick.Height, kBlack);
      DrawTickLabel(surface, metrics, taken, xr + px.X(3), tick.Height + px.Y(11), tick.Label);
    }
    return;
  }
  for (const AxisTick& tick : YTicks(session, YAxis::Universal)) {
    const double v = tick.Height;
    surface.Line(f.XFrom, v, f.XFrom + px.X(5), v, kBlack);
    surface.Line(f.XTo, v, f.XTo - px.X(5), v, kBlack);
    DrawTickLabel(surface, metrics, taken, labelLeft, v + px.Y(11), tick.Label);
    DrawTickLabel(surface, metrics, taken, f.XTo + px.X(3), v + px.Y(11), tick.Label);
  }
}

// The marker at x of a point drawn at height: the line cut at the frame's top, the label moved
// from its place beside the line's upper end as far as it takes to keep its letters two pixels
// inside the frame (so above the base line and clear of the time axis labels).
Marker PlaceMarker(const TextMetrics& metrics, const FrameLines& lines, double x, double height,
                   double labelShift, std::string label) {
  Marker marker{x, std::min(height, lines.Top), kBlack, 0, 0, std::move(label), false};
  const double gapX = 2 * metrics.PixelX();
  const double gapY = 2 * metrics.PixelY();
  const TextBox letters = metrics.Box(0, 0, marker.Label);
  const double rightmost = lines.Right - gapX - letters.Right;
  const double highest = lines.Top - gapY - letters.Top;
  marker.LabelX = std::max(std::min(x + labelShift, rightmost), lines.Left + gapX - letters.Left);
  marker.LabelY = std::max(std::min(height, highest), gapY - letters.Bottom);
  return marker;
}

// Plans the markers of the set points of the curves shown. A point outside the drawn time range
// gets no marker.
MarkerPlan PlanMarkers(const Session& session, const DrawingSurface& surface, bool logarithmic) {
  const Measurement& m = session.Record;
  const ChartFrame& f = session.Frame;
  const Pixels px{f};
  const TextMetrics metrics{surface, f};
  const FrameLines lines = FrameLinesOf(f);
  // The logarithm may put the range's own ends a rounding error outside it.
  const double slack = f.XUnitsPerPixel / 100;
  MarkerPlan plan;
  auto add = [&](int p, double height, Colour pen, double labelShift, std::string label,
                 bool pfGroup) {
    const double t = At(m.TimeValues, p);
    const double x = logarithmic ? TimeToX(session, t) : t;
    if (!(x >= f.XFrom - slack && x <= f.XTo + slack)) return;
    plan.Markers.push_back(PlaceMarker(metrics, lines, x, height, labelShift, std::move(label)));
    plan.Markers.back().Pen = pen;
    plan.Markers.back().PFGroup = pfGroup;
  };
  try {
    if (session.View.ViewMode != ViewMode::PF) {
      plan.DFGroup = true;
      for (int k = 1; k <= kWaveCount; ++k) {
        for (const bool decay : {false, true}) {
          const int p = decay ? m.DFPoints[k].D : m.DFPoints[k].I;
          // A peak kept from a longer file lies beyond this curve: it has no place to be drawn.
          if (p == 0 || p > m.PointCount) continue;
          add(p, At(m.DFValues, p) * f.DFFactor, kDFColour, decay ? px.X(2) : -px.X(12),
              DFMarkerLabel(k, decay), false);
        }
      }
    }
    if (session.View.ViewMode != ViewMode::DF) {
      plan.PFGroup = true;
      for (int k = 1; k <= 6; ++k) {
        const int p = m.PFPoints[k];
        if (p == 0 || (logarithmic && p < 0) || p > m.PointCount) continue;
        add(p, At(m.PFValues, p) * f.PFFactor, kPFColour, k == 1 ? -px.X(12) : px.X(2),
            PFMarkerLabel(k), true);
      }
    }
  } catch (const ErrorText&) {
    // A marker whose point cannot be read ends the markers: those planned before it are drawn.
  }
  return plan;
}

void DrawMarkerGroup(DrawingSurface& surface, const MarkerPlan& plan, bool pfGroup) {
  surface.SetPenWidth(1);
  surface.SetDotted(true);
  for (const Marker& marker : plan.Markers) {
    if (marker.PFGroup != pfGroup) continue;
    // A point at or below the base line has no line above it.
    if (marker.LineTop > 0) surface.Line(marker.X, 0, marker.X, marker.LineTop, marker.Pen);
    surface.SetTextPosition(marker.LabelX, marker.LabelY);
    surface.Print(marker.Label);
  }
  surface.SetDotted(false);
}

void DrawMarkers(DrawingSurface& surface, const MarkerPlan& plan) {
  if (plan.DFGroup) DrawMarkerGroup(surface, plan, false);
  if (plan.PFGroup) DrawMarkerGroup(surface, plan, true);
}

void DrawDots(const Session& session, DrawingSurface& surface, int32_t i, double x) {
  const Measurement& m = session.Record;
  const ChartFrame& f = session.Frame;
  if (session.View.ViewMode != ViewMode::DF)
    surface.Dot(x, At(m.PFValues, i) * f.PFFactor, kPFColour);
  if (session.View.ViewMode != ViewMode::PF)
    surface.Dot(x, At(m.DFValues, i) * f.DFFactor, kDFColour);
}

int32_t LastArrayIndex(const Measurement& m) {
  return static_cast<int32_t>(
             std::min({m.TimeValues.size(), m.PFValues.size(), m.DFValues.size()})) -
         1;
}

void DrawLogAxis(Session& session, DrawingSurface& surface, TakenBoxes& taken,
                 const MarkerPlan& markers) {
  const ChartFrame& f = session.Frame;
  const Pixels px{f};
  const TextMetrics metrics{surface, f};
  for (const AxisTick& tick : XTicksLog(f)) {
    DrawOrSkip([&] {
      const double x = TimeToX(session, tick.Value);
      surface.Line(x, 0, x, px.Y(tick.Major ? 8 : 5), kBlack);
      if (tick.Major) DrawTickLabel(surface, metrics, taken, x - px.X(10), 0, tick.Label);
    });
  }
  const int lineWidth = std::max<int>(1, session.Options.LineWidth);
  surface.SetPenWidth(lineWidth);
  // Points evenly spaced in log10 of the index: about W / LineWidth dots per curve.
  const double top = Log10(f.EndIndex);
  const double step = top / surface.Width() * lineWidth;
  const int32_t last = std::min(f.EndIndex, LastArrayIndex(session.Record));
  const double s = session.View.LogTimeFactor;
  for (long k = 1; step > 0 && k * step <= top; ++k) {
    const auto i = static_cast<int32_t>(std::nearbyint(std::pow(10.0, k * step)));
    if (i > last) break;
    const double t = session.Record.TimeValues[i];
    if (s * t < 1) continue;
    DrawOrSkip([&] { DrawDots(session, surface, i, TimeToX(session, t)); });
  }
  DrawMarkers(surface, markers);
}

void DrawLinearAxis(Session& session, DrawingSurface& surface, TakenBoxes& taken,
                    const MarkerPlan& markers) {
  const ChartFrame& f = session.Frame;
  const Pixels px{f};
  const TextMetrics metrics{surface, f};
  for (const AxisTick& tick : XTicksLinear(f)) {
    surface.Line(tick.Value, 0, tick.Value, px.Y(5), kBlack);
    DrawTickLabel(surface, metrics, taken, tick.Value - px.X(6), 0, tick.Label);
  }
  const int lineWidth = std::max<int>(1, session.Options.LineWidth);
  surface.SetPenWidth(lineWidth);
  // Every step-th point: about W / LineWidth dots per curve whatever the number of points.
  const double perPixel = f.EndIndex / surface.Width();
  const int32_t step = perPixel < 1 ? 1 : static_cast<int32_t>(std::floor(perPixel)) * lineWidth;
  const int32_t last = std::min(f.EndIndex - 1, LastArrayIndex(session.Record));
  for (int32_t i = NearestPoint(session, f.XFrom); i <= last; i += step)
    DrawOrSkip([&] { DrawDots(session, surface, i, session.Record.TimeValues[i]); });
  DrawMarkers(surface, markers);
}

}  // namespace

const char* PFMarkerLabel(int slot) {
  return slot >= 1 && slot <= 6 ? kPFLabels[slot] : "";
}

std::string DFMarkerLabel(int wave, bool decay) {
  return (decay ? "D" : "I") + std::to_string(wave);
}

void DrawPointMarkers(const Session& session, DrawingSurface& surface, bool logarithmic) {
  DrawMarkers(surface, PlanMarkers(session, surface, logarithmic));
}

void DrawChart(Session& session, DrawingSurface& surface, ChartDrawMode mode) {
  if (session.Record.PointCount == 0) return;
  ComputeChartFrame(session, surface.Width(), surface.Height());
  const ChartFrame& f = session.Frame;
  if (f.EndIndex <= 0) {
    // A manual range that no point reaches: the picture is only cleared.
    if (mode == ChartDrawMode::Full) surface.Clear();
    return;
  }
  if (!f.Valid) {
    if (mode == ChartDrawMode::Full) DrawFrameOnly(surface);
    return;
  }
  SetFrameWorld(surface, f);
  const bool logarithmic = session.View.LogTime;
  if (mode == ChartDrawMode::Markers) {
    DrawOrSkip([&] { DrawPointMarkers(session, surface, logarithmic); });
    surface.SetDotted(false);
    return;
  }
  surface.Clear();
  DrawFrameLines(surface, f);
  TakenBoxes taken;
  DrawTitles(surface, f, taken);
  // The marker labels are drawn last, over the curves, but their places are taken first.
  const MarkerPlan markers = PlanMarkers(session, surface, logarithmic);
  const TextMetrics metrics{surface, f};
  for (const Marker& marker : markers.Markers)
    taken.push_back(metrics.Box(marker.LabelX, marker.LabelY, marker.Label));
  DrawYAxes(session, surface, taken);
  if (logarithmic) {
    DrawLogAxis(session, surface, taken, markers);
  } else {
    DrawLinearAxis(session, surface, taken, markers);
  }
  surface.SetDotted(false);
}

}  // namespace tolmek
