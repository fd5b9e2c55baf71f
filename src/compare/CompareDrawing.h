// Drawing a comparison onto any DrawingSurface: the curves against time with a legend and the
// JIP-test's steps marked, and the radar of the JIP-test parameters.
#pragma once

#include <array>
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
};

// Clears the surface and draws the frame, the axes with their ticks, every curve as a line in its
// style (a group's standard error as a light band behind it), the steps and the legend. On a
// logarithmic axis points at times of 0 or less are left out.
void DrawCompareChart(DrawingSurface& surface, const std::vector<CompareCurve>& curves,
                      const CompareChartOptions& options);

// Clears the surface and draws the radar: a spoke per parameter, the reference's circle at 1 and
// one outline per row in its curve style, with a legend. A ratio that is missing leaves its two
// edges out; a negative ratio sits at the centre.
void DrawRadar(DrawingSurface& surface, const RadarTable& table);

}  // namespace tolmek
