#include "PointSelection.h"

#include <algorithm>
#include <limits>

#include "DFPeaks.h"
#include "PFResults.h"

namespace tolmek {

namespace {

constexpr int kSnapReach = 5;
constexpr int kPatternCapacity = 12;

int PatternLength(const Settings& settings) {
  return std::clamp<int>(settings.DFPattern[0], 0, kPatternCapacity);
}

// Stores point into slot; true when the slot held another point.
bool Store(int16_t& slot, int16_t point) {
  const bool moved = slot != 0 && slot != point;
  slot = point;
  return moved;
}

// Slots hold 16-bit point indices; the chart's cursor never goes beyond them.
int16_t SlotIndex(int point) {
  return static_cast<int16_t>(std::clamp<int>(point, 0, std::numeric_limits<int16_t>::max()));
}

void FollowPattern(const Settings& settings, DFPeakCode peak, int16_t& nextPatternPosition) {
  for (int j = PatternLength(settings); j >= 1; --j) {
    if (PeakOfNumber(settings.DFPattern[j]) == peak) {
      nextPatternPosition = static_cast<int16_t>(j);
      return;
    }
  }
}

}  // namespace

bool SetPFPoints(Session& session, const SlotChecks& checked) {
  bool moved = false;
  const int16_t point = SlotIndex(session.Cursor.CursorIndex);
  for (int k = 1; k <= 6; ++k)
    if (checked[k] && Store(session.Record.PFPoints[k], point)) moved = true;
  FillPFResultRow(session);
  return moved;
}

int SnappedCursorPoint(const Session& session) {
  const int cursor = session.Cursor.CursorIndex;
  DFSearchMode mode = DFSearchMode::Max;
  switch (session.Options.SnapMode) {
    case DFSnap::Off:
      return cursor;
    case DFSnap::Max:
      break;
    case DFSnap::Min:
      mode = DFSearchMode::Min;
      break;
    case DFSnap::Flattest:
      mode = DFSearchMode::Flattest;
      break;
  }
  const int from = std::max(1, cursor - kSnapReach);
  const int to = std::min(session.Record.PointCount - 1, cursor + kSnapReach);
  return FindDFExtremum(session.Record, from, to, mode);
}

bool SetDFPoints(Session& session, const SlotChecks& checkedI, const SlotChecks& checkedD,
                 int16_t& nextPatternPosition) {
  const int16_t point = SlotIndex(SnappedCursorPoint(session));
  bool moved = false;
  for (int k = 1; k <= kWaveCount; ++k) {
    DFPeakPair& pair = session.Record.DFPoints[k];
    if (checkedI[k]) {
      moved = Store(pair.I, point) || moved;
      FollowPattern(session.Options, InductionPeak(k), nextPatternPosition);
    }
    if (checkedD[k]) {
      moved = Store(pair.D, point) || moved;
      FollowPattern(session.Options, DecayPeak(k), nextPatternPosition);
    }
  }
  FillDFPeakTable(session);
  FillPFResultRow(session);
  return moved;
}

void SetDFPatternFromChecks(Settings& settings, const SlotChecks& checkedI,
                            const SlotChecks& checkedD) {
  int n = 0;
  for (int k = 1; k <= kWaveCount; ++k) {
    if (checkedI[k]) settings.DFPattern[++n] = NumberOfPeak(InductionPeak(k));
    if (checkedD[k]) settings.DFPattern[++n] = NumberOfPeak(DecayPeak(k));
  }
  settings.DFPattern[0] = static_cast<int16_t>(n);
}

DFPeakCode ProposeNextPatternPeak(const Settings& settings, int16_t& nextPatternPosition) {
  const int n = PatternLength(settings);
  if (n == 0) return DFPeakCode::None;
  nextPatternPosition = nextPatternPosition >= n ? int16_t{1} : int16_t(nextPatternPosition + 1);
  return PeakOfNumber(settings.DFPattern[nextPatternPosition]);
}

}  // namespace tolmek
