// Drawing a comparison onto any DrawingSurface: the curves against time with a legend and the
// JIP-test's steps marked, and the radar of the JIP-test parameters.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "CompareCurves.h"
#include "CompareRadar.h"
#include "chart/DrawingSurface.h"

namespace tolmek {

// Colours that readers with colour-blindness can tell apart (Okabe and Ito); curves after the
// eighth repeat them dashed.
constexpr std::array<Colour, 8> kCompareColours = {
    Colour{0, 0, 0},      Colour{230, 159, 0}, Colour{86, 180, 233}, Colour{0, 158, 115},
    Colour{240, 228, 66}, Colour{0, 114, 178}, Colour{213, 94, 0},   Colour{204, 121, 167}};

struct CurveStyle {
  Colour Pen;
  bool Dashed = false;
};
CurveStyle CompareCurveStyle(size_t index);

// A step marked on the time axis.
struct StepMark {
  std::string Name;
  double Time = 0;
};
// The O, K, J, I and P steps of a measurement that it has.
std::vector<StepMark> StepMarks(const CompareItem& item);

struct CompareChartOptions {
  bool Logarithmic = true;
  std::string ValueTitle;  // the quantity's name, above the value axis
  std::vector<StepMark> Steps;
  bool Legend = true;
  // The style of each curve; curves beyond it take CompareCurveStyle of their index.
  std::vector<CurveStyle> Styles = {};
};

// Where the curves were drawn: the plot box in pixels from the top-left corner and the time range
// across it, so that a pointer position can be read back as a time.
struct ComparePlotFrame {
  bool Drawn = false;  // false: no curve had a point to draw
  double Left = 0, Right = 0, Top = 0, Bottom = 0;
  double TimeLow = 0, TimeHigh = 0;
  bool Logarithmic = true;
  // The time at pixel column x; empty outside the plot box.
  std::optional<double> TimeAt(double x) const;
};

// Clears the surface and draws the frame, the axes with their ticks, every curve as a line in its
// style (a group's standard error as a light band behind it), the steps and the legend. On a
// logarithmic axis points at times of 0 or less are left out.
ComparePlotFrame DrawCompareChart(DrawingSurface& surface, const std::vector<CompareCurve>& curves,
                                  const CompareChartOptions& options);

// The radar's outer ring: ratios up to the largest one drawn, but at most kRadarLimit, so that one
// outlier does not squeeze the others towards the centre. A ratio beyond the ring sits on it,
// labelled with its value.
constexpr double kRadarLimit = 2.5;

// Clears the surface and draws the radar: a spoke per parameter, the reference's circle at 1 and
// one outline per row in its style (styles beyond those given: CompareCurveStyle of the row's
// index), with a legend. A ratio that is missing leaves its two edges out; a negative ratio sits
// at the centre.
void DrawRadar(DrawingSurface& surface, const RadarTable& table,
               const std::vector<CurveStyle>& styles = {});

}  // namespace tolmek
