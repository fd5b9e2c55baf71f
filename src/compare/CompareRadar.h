// The JIP-test radar: chosen parameters of each measurement or replicate group divided by the
// reference's, so that the reference lies on the circle 1.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CompareCurves.h"
#include "analysis/JipTest.h"

namespace tolmek {

// Fv/Fm, Fv/Fo, Mo, Vj, Psi_o, Phi_Eo, ABS/RC, TRo/RC, ETo/RC, DIo/RC, Sm, PI_abs.
const std::vector<JipParameter>& DefaultRadarParameters();

struct RadarRow {
  std::string Label;
  std::vector<std::optional<double>> Ratios;  // one per parameter; empty: cannot be computed
  std::vector<size_t> Members = {};           // the items the row stands for
};

struct RadarTable {
  std::vector<JipParameter> Parameters;
  std::vector<RadarRow> Rows;              // the reference's row (or its group's) included
  std::vector<CompareExclusion> Excluded;  // "label parameter" with the reason
};

// The ratios of every item (or, with groups, of each group's mean values) to the reference's.
// A group's value is the mean over the members that have it.
RadarTable ComputeRadar(const std::vector<CompareItem>& items, size_t reference,
                        const std::vector<JipParameter>& parameters, bool groups);

}  // namespace tolmek
