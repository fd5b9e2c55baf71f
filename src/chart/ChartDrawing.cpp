#include "ChartDrawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>

#include "ChartScale.h"
#include "data/Errors.h"

namespace tolmek {

namespace {

constexpr std::array<const char*, 7> kPFLabels = {"", "I", "D", "M", "M1", "M2", "S"};

// Runs one drawing operation; one that fails is skipped, as the drawing goes on without it.
template <typename Operation>
void Guarded(Operation operation) {
  try {
    operation();
  } catch (const std::exception&) {
  }
}

// Distances given in pixels, in world units of the frame.
struct Pixels {
  const ChartFrame& frame;
  double X(double n) const { return n * frame.XUnitsPerPixel; }
  double Y(double n) const { return n * frame.YUnitsPerPixel; }
};

void SetFrameWorld(DrawingSurface& surface, const ChartFrame& f) {
  surface.SetWorld(f.XFrom - f.MarginLeft, f.YMax + f.MarginTop, f.XTo + f.MarginRight,
                   -f.MarginBottom);
}

void DrawFrameLines(DrawingSurface& surface, const ChartFrame& f) {
  const Pixels px{f};
  const double xl = f.XFrom - f.MarginLeft / 3;
  const double xr = f.XTo + f.MarginRight / 3;
  const double yt = f.YMax + px.Y(8);
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

void DrawTitles(DrawingSurface& surface, const ChartFrame& f) {
  const Pixels px{f};
  surface.SetTextBold(true);
  surface.SetTextPosition(f.XFrom - f.MarginLeft + px.X(5), f.YMax + f.MarginTop - px.Y(3));
  surface.SetTextColour(kPFColour);
  surface.Print("PF");
  surface.SetTextX(f.XTo + f.MarginRight / 3 + px.X(4));
  surface.SetTextColour(kDFColour);
  surface.Print("DF");
  surface.SetTextColour(kBlack);
  surface.SetTextBold(false);
}

void DrawLabel(DrawingSurface& surface, double x, double y, const std::string& label) {
  surface.SetTextPosition(x, y);
  surface.Print(label);
}

void DrawYAxes(const Session& session, DrawingSurface& surface) {
  const ChartFrame& f = session.Frame;
  const Pixels px{f};
  const double xl = f.XFrom - f.MarginLeft / 3;
  const double xr = f.XTo + f.MarginRight / 3;
  const double labelLeft = f.XFrom - f.MarginLeft + px.X(5);
  if (session.View.UniversalY == 0) {
    for (const AxisTick& tick : YTicks(session, YAxis::PF)) {
      surface.Line(xl, tick.Height, xl + px.X(5), tick.Height, kBlack);
      DrawLabel(surface, labelLeft, tick.Height + px.Y(11), tick.Label);
    }
    for (const AxisTick& tick : YTicks(session, YAxis::DF)) {
      surface.Line(xr - px.X(5), tick.Height, xr, tick.Height, kBlack);
      DrawLabel(surface, xr + px.X(3), tick.Height + px.Y(11), tick.Label);
    }
    return;
  }
  for (const AxisTick& tick : YTicks(session, YAxis::Universal)) {
    const double v = tick.Height;
    surface.Line(f.XFrom, v, f.XFrom + px.X(5), v, kBlack);
    surface.Line(f.XTo, v, f.XTo - px.X(5), v, kBlack);
    DrawLabel(surface, labelLeft, v + px.Y(11), tick.Label);
    DrawLabel(surface, f.XTo + px.X(3), v + px.Y(11), tick.Label);
  }
}

void DrawDots(const Session& session, DrawingSurface& surface, int32_t i, double x) {
  const Measurement& m = session.Record;
  const ChartFrame& f = session.Frame;
  if (session.View.ViewMode != 2) surface.Dot(x, At(m.PFValues, i) * f.PFFactor, kPFColour);
  if (session.View.ViewMode != 1) surface.Dot(x, At(m.DFValues, i) * f.DFFactor, kDFColour);
}

int32_t LastArrayIndex(const Measurement& m) {
  return static_cast<int32_t>(
             std::min({m.TimeValues.size(), m.PFValues.size(), m.DFValues.size()})) -
         1;
}

void DrawLogAxis(Session& session, DrawingSurface& surface) {
  const ChartFrame& f = session.Frame;
  const Pixels px{f};
  for (const AxisTick& tick : XTicksLog(f)) {
    Guarded([&] {
      const double x = TimeToX(session, tick.Value);
      surface.Line(x, 0, x, px.Y(tick.Major ? 8 : 5), kBlack);
      if (tick.Major) DrawLabel(surface, x - px.X(10), 0, tick.Label);
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
    Guarded([&] { DrawDots(session, surface, i, TimeToX(session, t)); });
  }
  Guarded([&] { DrawPointMarkers(session, surface, true); });
}

void DrawLinearAxis(Session& session, DrawingSurface& surface) {
  const ChartFrame& f = session.Frame;
  const Pixels px{f};
  for (const AxisTick& tick : XTicksLinear(f)) {
    surface.Line(tick.Value, 0, tick.Value, px.Y(5), kBlack);
    DrawLabel(surface, tick.Value - px.X(6), 0, tick.Label);
  }
  const int lineWidth = std::max<int>(1, session.Options.LineWidth);
  surface.SetPenWidth(lineWidth);
  // Every step-th point: about W / LineWidth dots per curve whatever the number of points.
  const double perPixel = f.EndIndex / surface.Width();
  const int32_t step = perPixel < 1 ? 1 : static_cast<int32_t>(std::floor(perPixel)) * lineWidth;
  const int32_t last = std::min(f.EndIndex - 1, LastArrayIndex(session.Record));
  for (int32_t i = NearestPoint(session, f.XFrom); i <= last; i += step)
    Guarded([&] { DrawDots(session, surface, i, session.Record.TimeValues[i]); });
  Guarded([&] { DrawPointMarkers(session, surface, false); });
}

}  // namespace

const char* PFMarkerLabel(int slot) {
  return slot >= 1 && slot <= 6 ? kPFLabels[slot] : "";
}

std::string DFMarkerLabel(int wave, bool decay) {
  return (decay ? "D" : "I") + std::to_string(wave);
}

void DrawPointMarkers(const Session& session, DrawingSurface& surface, bool logarithmic) {
  const Measurement& m = session.Record;
  const ChartFrame& f = session.Frame;
  const Pixels px{f};
  auto xOf = [&](int p) {
    const double t = At(m.TimeValues, p);
    return logarithmic ? TimeToX(session, t) : t;
  };
  auto marker = [&](int p, double height, Colour colour, double labelShift,
                    const std::string& label) {
    const double x = xOf(p);
    surface.Line(x, 0, x, height, colour);
    surface.SetTextPosition(x + labelShift, height);
    surface.Print(label);
  };
  if (session.View.ViewMode != 1) {
    surface.SetPenWidth(1);
    surface.SetDotted(true);
    for (int k = 1; k <= kWaveCount; ++k) {
      for (const bool decay : {false, true}) {
        const int p = decay ? m.DFPoints[k].D : m.DFPoints[k].I;
        // A peak kept from a longer file lies beyond this curve: it has no place to be drawn.
        if (p == 0 || p > m.PointCount) continue;
        marker(p, At(m.DFValues, p) * f.DFFactor, kDFColour, decay ? px.X(2) : -px.X(12),
               DFMarkerLabel(k, decay));
      }
    }
    surface.SetDotted(false);
  }
  if (session.View.ViewMode != 2) {
    surface.SetPenWidth(1);
    surface.SetDotted(true);
    for (int k = 1; k <= 6; ++k) {
      const int p = m.PFPoints[k];
      if (p == 0 || (logarithmic && p < 0) || p > m.PointCount) continue;
      marker(p, At(m.PFValues, p) * f.PFFactor, kPFColour, k == 1 ? -px.X(12) : px.X(2),
             PFMarkerLabel(k));
    }
    surface.SetDotted(false);
  }
}

void DrawChart(Session& session, DrawingSurface& surface, int mode) {
  if (session.Record.PointCount == 0) return;
  ComputeChartFrame(session, surface.Width(), surface.Height());
  const ChartFrame& f = session.Frame;
  if (f.EndIndex <= 0) {
    // A manual range that no point reaches: the picture is only cleared.
    if (mode == kDrawFull) surface.Clear();
    return;
  }
  if (!f.Valid) {
    if (mode == kDrawFull) DrawFrameOnly(surface);
    return;
  }
  SetFrameWorld(surface, f);
  const bool logarithmic = session.View.LogTime == 1;
  if (mode == kDrawMarkers) {
    Guarded([&] { DrawPointMarkers(session, surface, logarithmic); });
    surface.SetDotted(false);
    return;
  }
  surface.Clear();
  DrawFrameLines(surface, f);
  DrawTitles(surface, f);
  DrawYAxes(session, surface);
  if (logarithmic) {
    DrawLogAxis(session, surface);
  } else {
    DrawLinearAxis(session, surface);
  }
  surface.SetDotted(false);
}

}  // namespace tolmek
