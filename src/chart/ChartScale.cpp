#include "ChartScale.h"

#include <algorithm>
#include <cmath>

#include "data/Errors.h"
#include "data/NumberText.h"

namespace tolmek {

namespace {

constexpr double kMarginSidePixels = 60;
constexpr double kMarginTopPixels = 25;
constexpr double kMarginBottomPixels = 50;
// More ticks than this on one axis means the numbers are not a sensible scale: stop there.
constexpr size_t kMaxTicks = 1000;
constexpr const char* kInvalidArgument = "Invalid procedure call or argument";

double LogFactor(const Measurement& record) {
  return record.TimeValues.size() > 1 && record.TimeValues[1] < 1 ? 100.0 : 1.0;
}

void ComputeYScale(const Session& session, ChartFrame& frame) {
  const Measurement& m = session.Record;
  frame.PFFactor = frame.DFFactor = 1;
  if (!session.View.UniversalY) {
    // A curve that is zero throughout (a measurement without DF, such as an OJIP export) leaves
    // the other on its own scale instead of an empty chart.
    if (m.PFMax <= 0 || m.DFMax <= 0) {
      frame.YMax = std::max(m.PFMax, m.DFMax);
      return;
    }
    // The larger curve is shrunk until both maxima sit at the same height.
    if (m.DFMax > m.PFMax) {
      frame.YMax = m.PFMax;
      frame.DFFactor = m.DFMax > 0 ? m.PFMax / m.DFMax : 0;
    } else {
      frame.YMax = m.DFMax;
      frame.PFFactor = m.PFMax > 0 ? m.DFMax / m.PFMax : 0;
    }
    return;
  }
  switch (session.View.ViewMode) {
    case ViewMode::PF:
      frame.YMax = m.PFMax;
      break;
    case ViewMode::DF:
      frame.YMax = m.DFMax;
      break;
    default:
      frame.YMax = m.PFMax > m.DFMax ? m.PFMax : m.DFMax;
  }
}

bool Usable(double value) {
  return std::isfinite(value) && value > 0;
}

// Ticks from start by step while the value stays at or below end.
template <typename MakeTick>
std::vector<AxisTick> StepTicks(double start, double step, double end, MakeTick makeTick) {
  std::vector<AxisTick> ticks;
  if (!std::isfinite(start) || !std::isfinite(end) || !Usable(step)) return ticks;
  for (size_t k = 0; ticks.size() < kMaxTicks; ++k) {
    const double value = start + static_cast<double>(k) * step;
    if (value > end) break;
    ticks.push_back(makeTick(value));
  }
  return ticks;
}

// floor(range / divisor) x multiple, or 2 when that is 0.
double TickStep(double range, double divisor, double multiple) {
  const double step = std::floor(range / divisor) * multiple;
  return step == 0 ? 2 : step;
}

}  // namespace

XRange ViewRange(const Session& session) {
  const ViewState& view = session.View;
  if (view.AutoRange || view.LogTime) return {0, session.Record.TimeMax, session.Record.PointCount};
  return {view.RangeFrom, view.RangeTo, view.RangePoints};
}

void ComputeChartFrame(Session& session, double w, double h) {
  ChartFrame frame;
  const XRange range = ViewRange(session);
  frame.XFrom = range.From;
  frame.XTo = range.To;
  frame.EndIndex = range.End;
  const double s = LogFactor(session.Record);
  session.View.LogTimeFactor = s;
  ComputeYScale(session, frame);
  frame.XUnitsPerPixel = (frame.XTo - frame.XFrom) / w;
  frame.YUnitsPerPixel = frame.YMax / h;
  frame.MarginLeft = frame.MarginRight = kMarginSidePixels * frame.XUnitsPerPixel;
  frame.MarginTop = kMarginTopPixels * frame.YUnitsPerPixel;
  frame.MarginBottom = kMarginBottomPixels * frame.YUnitsPerPixel;
  const bool logarithmic = session.View.LogTime;
  if (logarithmic && s * frame.XTo > 1) frame.LogSpan = s * frame.XTo / std::log10(s * frame.XTo);
  frame.Valid = Usable(frame.XUnitsPerPixel) && Usable(frame.YUnitsPerPixel) &&
                std::isfinite(frame.PFFactor) && std::isfinite(frame.DFFactor) &&
                (!logarithmic || (Usable(frame.LogSpan) && frame.EndIndex > 1));
  session.Frame = frame;
}

double Log10(double x) {
  if (x == 0) return 0;
  if (x < 0 || std::isnan(x)) throw ErrorText(kInvalidArgument);
  return std::log10(x);
}

double TimeToX(const Session& session, double t) {
  if (!session.View.LogTime) return t;
  const double s = session.View.LogTimeFactor;
  return Log10(s * t) * session.Frame.LogSpan / s;
}

double XToTime(const Session& session, double x) {
  if (!session.View.LogTime) return x;
  const double s = session.View.LogTimeFactor;
  const double to = session.Frame.XTo;
  return std::pow(s * to, x / to) / s;
}

int32_t NearestPoint(const Session& session, double x) {
  const XRange range = ViewRange(session);
  const std::vector<float>& times = session.Record.TimeValues;
  if (times.empty()) return 0;
  const auto last = static_cast<int32_t>(times.size() - 1);
  x = std::clamp(x, range.From, std::max(range.From, range.To));
  double target = x;
  double guess = 0;
  if (session.View.LogTime && x > 0) {
    const double s = session.View.LogTimeFactor;
    target = std::pow(s * range.To, x / range.To) / s;
    guess = std::nearbyint(range.End * target / range.To);
  } else {
    guess = std::floor(range.End * x / range.To);
  }
  // A guess the arithmetic cannot give (no range) starts the walk at the first index.
  int32_t i = std::isfinite(guess) ? static_cast<int32_t>(std::clamp<double>(guess, 0, last)) : 0;
  auto distance = [&](int32_t k) { return std::fabs(static_cast<double>(times[k]) - target); };
  // The guess assumes times in proportion to the index; where they are not, it may lie past the
  // nearest point: walk back while the point before is strictly nearer, then forward.
  while (i > 0 && distance(i - 1) < distance(i)) --i;
  double best = distance(i);
  while (i < last && distance(i + 1) <= best) best = distance(++i);
  return i;
}

int32_t NearestPointIndex(const Session& session, double x) {
  return std::min(NearestPoint(session, x), kMaxPointIndex);
}

int32_t RangeEnd(const Measurement& record, double t) {
  const auto last =
      std::min<int64_t>(record.PointCount, static_cast<int64_t>(record.TimeValues.size()) - 1);
  for (int64_t i = 1; i <= last; ++i)
    if (record.TimeValues[i] >= t) return static_cast<int32_t>(i);
  return 0;
}

std::vector<AxisTick> YTicks(const Session& session, YAxis axis) {
  const Measurement& m = session.Record;
  const ChartFrame& frame = session.Frame;
  double maximum = frame.YMax;
  double factor = 1;
  double step = TickStep(frame.YMax, 25, 5);
  if (axis != YAxis::Universal) {
    const bool pf = axis == YAxis::PF;
    maximum = pf ? m.PFMax : m.DFMax;
    factor = pf ? frame.PFFactor : frame.DFFactor;
    step = TickStep(maximum, 50, 10);
  }
  return StepTicks(0, step, maximum, [factor](double v) {
    return AxisTick{v, v * factor, true, FormatWhole(v)};
  });
}

std::vector<AxisTick> XTicksLinear(const ChartFrame& frame) {
  const double step = TickStep(frame.XTo - frame.XFrom, 25, 5);
  return StepTicks(frame.XFrom, step, frame.XTo, [](double x) {
    return AxisTick{x, 0, true, FormatWhole(x)};
  });
}

std::vector<AxisTick> XTicksLog(const ChartFrame& frame) {
  std::vector<AxisTick> ticks;
  if (!std::isfinite(frame.XTo)) return ticks;
  for (double d = 0.01; d <= frame.XTo && ticks.size() < kMaxTicks; d *= 10) {
    ticks.push_back({d, 0, true, FormatStandard(d)});
    for (int k = 1; k <= 9; ++k)
      if (k * d < frame.XTo) ticks.push_back({k * d, 0, false, {}});
  }
  return ticks;
}

}  // namespace tolmek
