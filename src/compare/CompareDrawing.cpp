#include "CompareDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <utility>

#include "data/NumberText.h"

namespace tolmek {

namespace {

constexpr double kLeft = 70;
constexpr double kRight = 20;
constexpr double kTop = 25;
constexpr double kBottom = 50;
constexpr double kTickLength = 5;
constexpr double kLegendLine = 24;
constexpr double kLegendGap = 6;
constexpr int kCurvePen = 2;
// Beyond this many curves they are drawn one pixel wide: thick lines would merge into one band.
constexpr size_t kThickCurvesUpTo = 20;
constexpr Colour kGrey{160, 160, 160};
constexpr int kCircleSegments = 72;
constexpr size_t kMaxTicks = 100;

struct Range {
  double Low = 0;
  double High = 0;
};

// The world is the picture in pixels with y growing upwards: the plot box, mapping helpers.
struct Plot {
  double Left = 0, Right = 0, Bottom = 0, Top = 0;
  Range Time, Value;
  bool Logarithmic = true;

  double AxisOf(double t) const { return Logarithmic ? std::log10(t) : t; }
  double X(double t) const {
    const double low = AxisOf(Time.Low);
    return Left + (AxisOf(t) - low) / (AxisOf(Time.High) - low) * (Right - Left);
  }
  double Y(double v) const {
    return Bottom + (v - Value.Low) / (Value.High - Value.Low) * (Top - Bottom);
  }
  bool Drawable(double t, double v) const {
    return std::isfinite(v) && std::isfinite(t) && (!Logarithmic || t > 0);
  }
};

Colour Tint(Colour colour) {
  const auto light = [](uint8_t c) { return static_cast<uint8_t>(c * 0.35 + 255 * 0.65); };
  return {light(colour.Red), light(colour.Green), light(colour.Blue)};
}

double TextWidth(const DrawingSurface& surface, const std::string& text) {
  return surface.TextBounds(text).Right;
}

// Prints text with its top-left corner at (x, y).
void PrintAt(DrawingSurface& surface, double x, double y, const std::string& text,
             Colour colour = kBlack) {
  surface.SetTextColour(colour);
  surface.SetTextPosition(x, y);
  surface.Print(text);
}

// Steps of 1, 2 or 5 times a power of ten, about six over the range.
std::vector<double> LinearTicks(Range range) {
  const double raw = (range.High - range.Low) / 6;
  const double power = std::pow(10, std::floor(std::log10(raw)));
  double step = power * 5;
  for (double factor : {1.0, 2.0, 5.0}) {
    if (power * factor >= raw) {
      step = power * factor;
      break;
    }
  }
  std::vector<double> ticks;
  for (double k = std::ceil(range.Low / step); k * step <= range.High && ticks.size() < kMaxTicks;
       ++k)
    ticks.push_back(k * step == 0 ? 0 : k * step);
  return ticks;
}

// Decades (labelled) and their multiples 2..9 within the range.
std::vector<std::pair<double, bool>> LogTicks(Range range) {
  std::vector<std::pair<double, bool>> ticks;
  for (double d = std::pow(10, std::floor(std::log10(range.Low)));
       d <= range.High && ticks.size() < kMaxTicks; d *= 10)
    for (int k = 1; k <= 9; ++k)
      if (k * d >= range.Low && k * d <= range.High) ticks.push_back({k * d, k == 1});
  return ticks;
}

// A range that has room: equal ends are spread, values padded by 5 % each side.
Range Padded(Range range, bool logarithmic) {
  if (logarithmic) {
    if (range.Low == range.High) range = {range.Low / 10, range.High * 10};
    return range;
  }
  if (range.Low == range.High) return {range.Low - 1, range.High + 1};
  const double pad = (range.High - range.Low) * 0.05;
  return {range.Low - pad, range.High + pad};
}

bool FindRanges(const std::vector<CompareCurve>& curves, Plot& plot) {
  bool any = false;
  for (const CompareCurve& curve : curves) {
    for (size_t i = 0; i < curve.Time.size(); ++i) {
      if (!plot.Drawable(curve.Time[i], curve.Value[i])) continue;
      const double error = i < curve.Error.size() ? curve.Error[i] : 0;
      const double t = curve.Time[i];
      const double low = curve.Value[i] - error, high = curve.Value[i] + error;
      if (!any) plot.Time = {t, t}, plot.Value = {low, high};
      plot.Time = {std::min(plot.Time.Low, t), std::max(plot.Time.High, t)};
      plot.Value = {std::min(plot.Value.Low, low), std::max(plot.Value.High, high)};
      any = true;
    }
  }
  if (!any) return false;
  if (!plot.Logarithmic && plot.Time.Low == plot.Time.High)
    plot.Time = {plot.Time.Low - 1, plot.Time.High + 1};
  plot.Time = plot.Logarithmic ? Padded(plot.Time, true) : plot.Time;
  plot.Value = Padded(plot.Value, false);
  return true;
}

void DrawFrame(DrawingSurface& surface, const Plot& plot) {
  surface.SetPenWidth(1);
  surface.SetDotted(false);
  surface.Line(plot.Left, plot.Bottom, plot.Right, plot.Bottom, kBlack);
  surface.Line(plot.Right, plot.Bottom, plot.Right, plot.Top, kBlack);
  surface.Line(plot.Right, plot.Top, plot.Left, plot.Top, kBlack);
  surface.Line(plot.Left, plot.Top, plot.Left, plot.Bottom, kBlack);
}

void DrawTimeTick(DrawingSurface& surface, const Plot& plot, double t, bool labelled) {
  const double x = plot.X(t);
  surface.Line(x, plot.Bottom, x, plot.Bottom - (labelled ? kTickLength : kTickLength / 2), kBlack);
  if (!labelled) return;
  const std::string label = FormatGeneral(t);
  PrintAt(surface, x - TextWidth(surface, label) / 2, plot.Bottom - kTickLength - 2, label);
}

void DrawAxes(DrawingSurface& surface, const Plot& plot, const std::string& valueTitle) {
  if (plot.Logarithmic) {
    for (const auto& [t, decade] : LogTicks(plot.Time)) DrawTimeTick(surface, plot, t, decade);
  } else {
    for (double t : LinearTicks(plot.Time)) DrawTimeTick(surface, plot, t, true);
  }
  const double lineHeight = surface.TextHeight();
  for (double v : LinearTicks(plot.Value)) {
    const double y = plot.Y(v);
    surface.Line(plot.Left - kTickLength, y, plot.Left, y, kBlack);
    const std::string label = FormatGeneral(v);
    PrintAt(surface, plot.Left - kTickLength - 2 - TextWidth(surface, label), y + lineHeight / 2,
            label);
  }
  const std::string timeTitle = "Time (ms)";
  PrintAt(surface, (plot.Left + plot.Right - TextWidth(surface, timeTitle)) / 2,
          plot.Bottom - kTickLength - 4 - lineHeight, timeTitle);
  PrintAt(surface, plot.Left, plot.Top + lineHeight + 4, valueTitle);
}

void DrawBand(DrawingSurface& surface, const Plot& plot, const CompareCurve& curve, Colour colour) {
  const Colour tint = Tint(colour);
  surface.SetPenWidth(1);
  surface.SetDotted(false);
  for (size_t i = 0; i < curve.Error.size() && i < curve.Time.size(); ++i) {
    if (!plot.Drawable(curve.Time[i], curve.Value[i]) || curve.Error[i] <= 0) continue;
    const double x = plot.X(curve.Time[i]);
    surface.Line(x, plot.Y(curve.Value[i] - curve.Error[i]), x,
                 plot.Y(curve.Value[i] + curve.Error[i]), tint);
  }
}

void DrawCurve(DrawingSurface& surface, const Plot& plot, const CompareCurve& curve,
               CurveStyle style, int pen) {
  surface.SetPenWidth(pen);
  surface.SetDotted(style.Dashed);
  // One line through each run of drawable points.
  std::vector<WorldPoint> run;
  const auto flush = [&] {
    if (run.size() > 1) surface.Polyline(run, style.Pen);
    run.clear();
  };
  for (size_t i = 0; i < curve.Time.size(); ++i) {
    if (!plot.Drawable(curve.Time[i], curve.Value[i])) {
      flush();
      continue;
    }
    run.push_back({plot.X(curve.Time[i]), plot.Y(curve.Value[i])});
  }
  flush();
  surface.SetDotted(false);
}

void DrawSteps(DrawingSurface& surface, const Plot& plot, const std::vector<StepMark>& steps) {
  surface.SetPenWidth(1);
  for (const StepMark& step : steps) {
    if (!plot.Drawable(step.Time, 0) || step.Time < plot.Time.Low || step.Time > plot.Time.High)
      continue;
    const double x = plot.X(step.Time);
    surface.SetDotted(true);
    surface.Line(x, plot.Bottom, x, plot.Top, kGrey);
    surface.SetDotted(false);
    PrintAt(surface, x + 2, plot.Bottom + surface.TextHeight() + 2, step.Name);
  }
}

// Three significant digits: enough to read an outlier's size.
std::string ShortNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3g", value);
  return text;
}

CurveStyle StyleOf(const std::vector<CurveStyle>& styles, size_t index) {
  return index < styles.size() ? styles[index] : CompareCurveStyle(index);
}

// Labels with a short line of their style each, from the top-left corner (x, y) downwards.
void DrawLegend(DrawingSurface& surface, double x, double y, const std::vector<std::string>& labels,
                const std::vector<CurveStyle>& styles, int pen = kCurvePen) {
  const double lineHeight = surface.TextHeight();
  for (size_t i = 0; i < labels.size(); ++i) {
    const CurveStyle style = StyleOf(styles, i);
    const double top = y - static_cast<double>(i) * lineHeight;
    surface.SetPenWidth(pen);
    surface.SetDotted(style.Dashed);
    surface.Line(x, top - lineHeight / 2, x + kLegendLine, top - lineHeight / 2, style.Pen);
    surface.SetDotted(false);
    PrintAt(surface, x + kLegendLine + kLegendGap, top, labels[i]);
  }
}

void DrawCircle(DrawingSurface& surface, double cx, double cy, double radius, Colour colour) {
  for (int s = 0; s < kCircleSegments; ++s) {
    const double a0 = 2 * std::numbers::pi * s / kCircleSegments;
    const double a1 = 2 * std::numbers::pi * (s + 1) / kCircleSegments;
    surface.Line(cx + radius * std::cos(a0), cy + radius * std::sin(a0), cx + radius * std::cos(a1),
                 cy + radius * std::sin(a1), colour);
  }
}

double LegendWidth(const DrawingSurface& surface, const std::vector<std::string>& labels) {
  double widest = 0;
  for (const auto& label : labels) widest = std::max(widest, TextWidth(surface, label));
  return labels.empty() ? 0 : kLegendLine + kLegendGap + widest;
}

}  // namespace

CurveStyle CompareCurveStyle(size_t index) {
  return {kCompareColours[index % kCompareColours.size()], index >= kCompareColours.size()};
}

std::vector<StepMark> StepMarks(const CompareItem& item) {
  std::vector<StepMark> marks;
  for (int step = 0; step < kStepCount; ++step)
    if (item.Steps[step].Time) marks.push_back({kStepNames[step], *item.Steps[step].Time});
  return marks;
}

std::optional<double> ComparePlotFrame::TimeAt(double x) const {
  if (!Drawn || x < Left || x > Right || Right <= Left) return std::nullopt;
  const double share = (x - Left) / (Right - Left);
  if (!Logarithmic) return TimeLow + share * (TimeHigh - TimeLow);
  return std::pow(10, std::log10(TimeLow) + share * (std::log10(TimeHigh) - std::log10(TimeLow)));
}

ComparePlotFrame DrawCompareChart(DrawingSurface& surface, const std::vector<CompareCurve>& curves,
                                  const CompareChartOptions& options) {
  surface.Clear();
  const double w = surface.Width(), h = surface.Height();
  surface.SetWorld(0, h, w, 0);
  std::vector<std::string> labels;
  if (options.Legend)
    for (const CompareCurve& curve : curves) labels.push_back(curve.Label);
  // The legend stands right of the frame, so it never hides a curve.
  const double legendWidth = labels.empty() ? 0 : LegendWidth(surface, labels) + kLegendGap;
  Plot plot;
  plot.Logarithmic = options.Logarithmic;
  plot.Left = kLeft, plot.Right = std::max(kLeft + 1, w - kRight - legendWidth);
  plot.Bottom = kBottom, plot.Top = h - kTop;
  DrawFrame(surface, plot);
  ComparePlotFrame frame{false,           plot.Left, plot.Right, h - plot.Top,
                         h - plot.Bottom, 0,         0,          plot.Logarithmic};
  if (!FindRanges(curves, plot)) return frame;
  DrawAxes(surface, plot, options.ValueTitle);
  DrawSteps(surface, plot, options.Steps);
  const int pen = curves.size() > kThickCurvesUpTo ? 1 : kCurvePen;
  for (size_t c = 0; c < curves.size(); ++c)
    DrawBand(surface, plot, curves[c], StyleOf(options.Styles, c).Pen);
  for (size_t c = 0; c < curves.size(); ++c)
    DrawCurve(surface, plot, curves[c], StyleOf(options.Styles, c), pen);
  if (!labels.empty())
    DrawLegend(surface, plot.Right + kLegendGap, plot.Top, labels, options.Styles, pen);
  frame.Drawn = true;
  frame.TimeLow = plot.Time.Low, frame.TimeHigh = plot.Time.High;
  return frame;
}

void DrawRadar(DrawingSurface& surface, const RadarTable& table,
               const std::vector<CurveStyle>& styles) {
  surface.Clear();
  const double w = surface.Width(), h = surface.Height();
  surface.SetWorld(0, h, w, 0);
  std::vector<std::string> labels;
  for (const RadarRow& row : table.Rows) labels.push_back(row.Label);
  const double legendWidth = LegendWidth(surface, labels) + 2 * kLegendGap;
  const double cx = legendWidth + (w - legendWidth) / 2, cy = h / 2;
  const double radius = std::max(10.0, std::min(w - legendWidth, h) / 2 - 4 * kTop);
  double largest = 1;
  for (const RadarRow& row : table.Rows)
    for (const auto& ratio : row.Ratios)
      if (ratio && std::isfinite(*ratio)) largest = std::max(largest, *ratio);
  const double outer = std::min(largest * 1.1, kRadarLimit);
  const double scale = radius / outer;
  const size_t spokes = table.Parameters.size();
  const auto angle = [&](size_t k) {
    return std::numbers::pi / 2 - 2 * std::numbers::pi * static_cast<double>(k) /
                                      static_cast<double>(std::max<size_t>(spokes, 1));
  };
  const auto at = [&](size_t k, double r) {
    return std::pair{cx + r * std::cos(angle(k)), cy + r * std::sin(angle(k))};
  };
  surface.SetPenWidth(1);
  surface.SetDotted(false);
  for (size_t k = 0; k < spokes; ++k) {
    const auto [x, y] = at(k, radius);
    surface.Line(cx, cy, x, y, kGrey);
    const std::string name = kJipNames[table.Parameters[k]];
    const double tx = x >= cx ? x + 4 : x - 4 - TextWidth(surface, name);
    PrintAt(surface, tx, y + surface.TextHeight() / 2, name);
  }
  DrawCircle(surface, cx, cy, scale, kBlack);
  PrintAt(surface, cx + 3, cy + scale + surface.TextHeight(), "1");
  if (largest * 1.1 > kRadarLimit) {
    // The ring, its value just inside it between the first two spokes, clear of their names.
    DrawCircle(surface, cx, cy, radius, kGrey);
    const double between =
        angle(0) - std::numbers::pi / static_cast<double>(std::max<size_t>(spokes, 1));
    const std::string value = FormatGeneral(kRadarLimit);
    const double inside = radius - 4;
    PrintAt(surface, cx + inside * std::cos(between) - TextWidth(surface, value),
            cy + inside * std::sin(between), value);
  }
  for (size_t r = 0; r < table.Rows.size(); ++r) {
    const CurveStyle style = StyleOf(styles, r);
    const auto& ratios = table.Rows[r].Ratios;
    const auto radiusOf = [&](double ratio) { return std::clamp(ratio, 0.0, outer) * scale; };
    surface.SetPenWidth(kCurvePen);
    surface.SetDotted(style.Dashed);
    for (size_t k = 0; k < ratios.size() && spokes > 1; ++k) {
      const auto& a = ratios[k];
      const auto& b = ratios[(k + 1) % ratios.size()];
      if (!a || !b || !std::isfinite(*a) || !std::isfinite(*b)) continue;
      const auto [x0, y0] = at(k, radiusOf(*a));
      const auto [x1, y1] = at((k + 1) % ratios.size(), radiusOf(*b));
      surface.Line(x0, y0, x1, y1, style.Pen);
    }
    surface.SetDotted(false);
    // A ratio beyond the ring is named where it meets the ring.
    for (size_t k = 0; k < ratios.size() && k < spokes; ++k) {
      if (!ratios[k] || !std::isfinite(*ratios[k]) || *ratios[k] <= outer) continue;
      const auto [x, y] = at(k, radius);
      PrintAt(surface, x + 3, y - 3, ShortNumber(*ratios[k]), style.Pen);
    }
  }
  DrawLegend(surface, kLegendGap, h - kLegendGap, labels, styles);
}

}  // namespace tolmek
