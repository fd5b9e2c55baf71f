// The chart's arithmetic: the frame of a drawing, the mapping of times to horizontal positions on
// the linear and the logarithmic axis, the point nearest to a position and the axis ticks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/Session.h"

namespace tolmek {

// Point indices of the chart and of the point slots are 16-bit: the cursor reaches at most this
// point, while the curves are drawn whole.
constexpr int32_t kMaxPointIndex = 32767;

// Fills LogTimeFactor and the chart frame for a drawing area of w x h pixels. Frame.Valid is false
// when no usable frame exists (no y range, no x range, or a logarithmic axis whose range ends at
// or before time 1/S); then only the cleared area and the frame can be drawn.
void ComputeChartFrame(Session& session, double w, double h);

// The x range of the view: from, to and the index of its last point.
struct XRange {
  double From = 0;
  double To = 0;
  int32_t End = 0;
};
XRange ViewRange(const Session& session);

// Decimal logarithm with Log10(0) = 0; a negative argument throws ErrorText.
double Log10(double x);

// Horizontal world position of time t, and back, on the view's axis (frame of the last drawing).
double TimeToX(const Session& session, double t);
double XToTime(const Session& session, double x);

// The point nearest to the world position x (whatever its index), and the same limited to the
// points the cursor can address (kMaxPointIndex).
int32_t NearestPoint(const Session& session, double x);
int32_t NearestPointIndex(const Session& session, double x);

// The index of the first point 1..PointCount whose time is >= t; 0 when there is none.
int32_t RangeEnd(const Measurement& record, double t);

struct AxisTick {
  double Value = 0;   // the value or time the tick stands for
  double Height = 0;  // y ticks: where it is drawn (the value times the curve's factor)
  bool Major = true;  // logarithmic axis: a decade (labelled) or a minor tick
  std::string Label;
};

enum class YAxis { PF, DF, Universal };

std::vector<AxisTick> YTicks(const Session& session, YAxis axis);
std::vector<AxisTick> XTicksLinear(const ChartFrame& frame);
std::vector<AxisTick> XTicksLog(const ChartFrame& frame);

}  // namespace tolmek
