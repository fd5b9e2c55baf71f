#include "DFPeaks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "Computable.h"
#include "PFResults.h"
#include "data/Errors.h"
#include "data/NumberText.h"

namespace tolmek {

namespace {

constexpr size_t kCellWidth = 9;
constexpr std::array<const char*, kDFTableRows> kRowLabels = {
    "     ", "DF(I)", "DF(D)", "dI/dt", "dD/dt", "t(I) ", "t(D) ", "t(dI)", "t(dD)"};

enum DFTableRow : int {
  kRowWave = 0,
  kRowValueI,
  kRowValueD,
  kRowRise,
  kRowFall,
  kRowTimeI,
  kRowTimeD,
  kRowTimeRise,
  kRowTimeFall
};

// Re-centring looks this many points to either side of a kept peak.
constexpr int kAdjustReach = 5;
// The fourth wave is looked for after the fast first phase of the curve.
constexpr int kI4SearchStart = 20;
// A candidate on a slope this steep lies on a flank, not on a peak, and is not taken.
constexpr double kSteepSlope = 1000;

std::string RightAligned(const std::string& text) {
  if (text.size() >= kCellWidth) return text.substr(0, kCellWidth);
  return std::string(kCellWidth - text.size(), ' ') + text;
}

void SetValue(DFPeakTable& table, int row, int wave, double value) {
  table.Cells[row][wave] = RightAligned(FormatFixed(value));
}

// The decay point before wave k: the nearest positive D of an earlier wave, else wave 0's D.
int PreviousDecayPoint(const Measurement& m, int k) {
  for (int j = k; j >= 1; --j)
    if (m.DFPoints[j - 1].D > 0) return m.DFPoints[j - 1].D;
  return m.DFPoints[0].D;
}

struct SlopeAt {
  double Slope;
  double Time;
};

// The largest (rising) or smallest DFSlope in from..to, starting from the point start; empty when
// the search meets a point outside the arrays.
std::optional<SlopeAt> Steepest(const Measurement& m, int start, int from, int to, bool rising) {
  const auto startSlope = ElementAt(m.DFSlope, start);
  const auto startTime = ElementAt(m.TimeValues, start);
  if (!startSlope || !startTime) return std::nullopt;
  SlopeAt best{*startSlope, *startTime};
  for (int n = from; n <= to; ++n) {
    const auto slope = ElementAt(m.DFSlope, n);
    if (!slope) return std::nullopt;
    if (rising ? *slope > best.Slope : *slope < best.Slope) {
      const auto time = ElementAt(m.TimeValues, n);
      if (!time) return std::nullopt;
      best = {*slope, *time};
    }
  }
  return best;
}

// Writes the cells of wave k in this order; a value outside the arrays stops the writing there.
// False when it stopped.
bool FillWave(const Measurement& m, DFPeakTable& table, int k) {
  const int i = m.DFPoints[k].I;
  const int d = m.DFPoints[k].D;
  const auto rise = Steepest(m, i, PreviousDecayPoint(m, k) + 1, i, true);
  if (!rise) return false;
  SetValue(table, kRowRise, k, rise->Slope);
  SetValue(table, kRowTimeRise, k, rise->Time);
  const auto fall = Steepest(m, d, i + 1, d, false);
  if (!fall) return false;
  SetValue(table, kRowFall, k, fall->Slope);
  SetValue(table, kRowTimeFall, k, fall->Time);
  const std::array<std::pair<int, std::optional<double>>, 4> values = {
      {{kRowValueI, ElementAt(m.DFValues, i)},
       {kRowValueD, ElementAt(m.DFValues, d)},
       {kRowTimeI, ElementAt(m.TimeValues, i)},
       {kRowTimeD, ElementAt(m.TimeValues, d)}}};
  for (const auto& [row, value] : values) {
    if (!value) return false;
    SetValue(table, row, k, *value);
  }
  return true;
}

// The index of DF extremum in from..to (see FindDFExtremum); empty when the range reaches outside
// the array searched.
std::optional<int> FindExtremumInArrays(const Measurement& record, int from, int to,
                                        DFSearchMode mode) {
  const std::vector<float>& values =
      mode == DFSearchMode::Flattest ? record.DFSlope : record.DFValues;
  const int size = static_cast<int>(values.size());
  if (from < 0 || from >= size || (to > from && to >= size)) return std::nullopt;
  auto key = [&](int n) -> double {
    if (mode == DFSearchMode::Flattest) return std::fabs(values[static_cast<size_t>(n)]);
    return values[static_cast<size_t>(n)];
  };
  int best = from;
  double bestKey = key(from);
  for (int n = from + 1; n <= to; ++n) {
    const double candidate = key(n);
    if (mode == DFSearchMode::Max ? candidate > bestKey : candidate < bestKey) {
      best = n;
      bestKey = candidate;
    }
  }
  return best;
}

// A found point as the 16-bit index the peaks keep; empty when it does not fit one.
std::optional<int16_t> PointIndex(int point) {
  if (point < std::numeric_limits<int16_t>::min() || point > std::numeric_limits<int16_t>::max())
    return std::nullopt;
  return static_cast<int16_t>(point);
}

void RecomputeTables(Session& session) {
  FillDFPeakTable(session);
  FillPFResultRow(session);
}

// Moves a kept point to the extremum of its neighbourhood, unless that lies on a steep flank.
// A neighbourhood outside this curve's arrays leaves the point where it is.
void Recentre(const Measurement& m, int16_t& point, int prev, int i4, int k, DFSearchMode mode) {
  const int from = std::max(point - kAdjustReach, prev);
  int to = point + kAdjustReach;
  if (k < 4 && i4 != 0 && to > i4) to = i4;
  to = std::min(to, m.PointCount);
  const auto x = FindExtremumInArrays(m, from, to, mode);
  if (!x) return;
  const auto here = ElementAt(m.DFSlope, *x);
  const auto next = ElementAt(m.DFSlope, *x + 1);
  const auto moved = PointIndex(*x);
  if (!here || !next || !moved) return;
  const bool steep = mode == DFSearchMode::Max ? (*here >= kSteepSlope || *next >= kSteepSlope)
                                               : (*here <= -kSteepSlope || *next <= -kSteepSlope);
  if (!steep) point = *moved;
}

// With AdjustI4, I4 is searched anew after the first three waves, and D5 after it. Returns I4.
// A search reaching outside the arrays leaves its point, and what follows it, as it was.
int AdjustI4Point(Session& session) {
  Measurement& m = session.Record;
  auto& waves = m.DFPoints;
  if (!session.Options.AdjustI4 || waves[4].I == 0) return waves[4].I;
  const int start = std::max({kI4SearchStart, int{waves[1].I}, int{waves[2].I}, int{waves[3].I}});
  const auto found = FindExtremumInArrays(m, start, m.PointCount - 1, DFSearchMode::Max);
  const auto i4 = found ? PointIndex(*found) : std::nullopt;
  if (!i4) return waves[4].I;
  waves[4].I = *i4;
  if (waves[5].D != 0) {
    const int to = waves[6].I > *i4 ? waves[6].I : m.PointCount - 1;
    const auto d5 = FindExtremumInArrays(m, *i4, to, DFSearchMode::Min);
    if (const auto point = d5 ? PointIndex(*d5) : std::nullopt) waves[5].D = *point;
  }
  return waves[4].I;
}

bool NoPeaksSet(const std::array<DFPeakPair, 7>& waves) {
  return std::all_of(waves.begin(), waves.end(),
                     [](const DFPeakPair& w) { return w == DFPeakPair{}; });
}

bool IsWaveColumn(int column) {
  return column >= 1 && column <= kWaveCount;
}

}  // namespace

int FindDFExtremum(const Measurement& record, int from, int to, DFSearchMode mode) {
  const auto found = FindExtremumInArrays(record, from, to, mode);
  if (!found) ThrowError(errors::kSubscriptOutOfRange);
  return *found;
}

void FillDFPeakTable(Session& session) {
  DFPeakTable& table = session.DFTable;
  for (int k = 1; k <= kWaveCount; ++k)
    if (!FillWave(session.Record, table, k)) return;
  for (int k = 1; k <= kWaveCount; ++k)
    table.Cells[kRowWave][k] = RightAligned(" " + std::to_string(k));
  for (int r = 0; r < kDFTableRows; ++r) table.Cells[r][0] = kRowLabels[r];
}

void AdjustKeptPeaks(Session& session) {
  Measurement& m = session.Record;
  auto& waves = m.DFPoints;
  const int i4 = AdjustI4Point(session);
  int prev = std::max(waves[1].I, waves[1].D);  // wave 1 is never moved
  for (int k = 2; k <= kWaveCount; ++k) {
    if (waves[k].I != 0 && k != 4) {
      Recentre(m, waves[k].I, prev, i4, k, DFSearchMode::Max);
      prev = waves[k].I;
    }
    if (waves[k].D != 0) {
      Recentre(m, waves[k].D, prev, i4, k, DFSearchMode::Min);
      prev = waves[k].D;
    }
  }
  RecomputeTables(session);
}

void HoldKeptPeaksOfZeroDF(Measurement& record) {
  const int last = std::min<int>(record.PointCount, static_cast<int>(record.DFValues.size()) - 1);
  for (int i = 1; i <= last; ++i)
    if (record.DFValues[i] != 0) return;
  if (!NoPeaksSet(record.DFPoints)) record.HeldDFPoints = record.DFPoints;
  record.DFPoints.fill(DFPeakPair{});
}

void RestoreHeldPeaks(Measurement& record, bool keepPeaks) {
  if (keepPeaks && NoPeaksSet(record.DFPoints)) record.DFPoints = record.HeldDFPoints;
  record.HeldDFPoints.fill(DFPeakPair{});
}

bool DeleteDFPeak(Session& session, int column, int row) {
  if (!IsWaveColumn(column) || row < kRowValueI || row >= kDFTableRows) return false;
  DFPeakPair& wave = session.Record.DFPoints[column];
  // Rows DF(I), dI/dt, t(I) and t(dI) describe the induction maximum, the others the decay.
  const bool inductionRow =
      row == kRowValueI || row == kRowRise || row == kRowTimeI || row == kRowTimeRise;
  (inductionRow ? wave.I : wave.D) = 0;
  RecomputeTables(session);
  return true;
}

bool MoveDFPeaksLeft(Session& session, int firstColumn, int lastColumn) {
  if (firstColumn < 2 || lastColumn > kWaveCount || lastColumn < firstColumn) return false;
  auto& waves = session.Record.DFPoints;
  for (int c = firstColumn; c <= lastColumn; ++c) waves[c - 1] = waves[c];
  waves[lastColumn] = DFPeakPair{};
  RecomputeTables(session);
  return true;
}

bool MoveDFPeaksRight(Session& session, int firstColumn, int lastColumn) {
  if (lastColumn > kWaveCount - 1 || firstColumn < 1 || lastColumn < firstColumn) return false;
  auto& waves = session.Record.DFPoints;
  for (int c = lastColumn; c >= firstColumn; --c) waves[c + 1] = waves[c];
  waves[firstColumn] = DFPeakPair{};
  RecomputeTables(session);
  return true;
}

std::string DFPeakTableCopyText(const DFPeakTable& table, int firstRow, int lastRow,
                                int firstColumn, int lastColumn) {
  firstRow = std::max(firstRow, 0);
  lastRow = std::min(lastRow, kDFTableRows - 1);
  firstColumn = std::max(firstColumn, 0);
  lastColumn = std::min(lastColumn, kDFTableColumns - 1);
  std::string text = TabText;
  for (int c = firstColumn; c <= lastColumn; ++c) text += Trim(table.Cells[kRowWave][c]) + TabText;
  text += NewLineText;
  for (int r = firstRow; r <= lastRow; ++r) {
    text += Trim(table.Cells[r][0]) + TabText;
    for (int c = firstColumn; c <= lastColumn; ++c) text += Trim(table.Cells[r][c]) + TabText;
    text += NewLineText;
  }
  return text;
}

}  // namespace tolmek
