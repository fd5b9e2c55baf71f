// Setting PF points and DF peaks at the chart's cursor, and the DF pattern that proposes which
// peak to set next: the work behind the two point selection dialogs.
#pragma once

#include <array>
#include <cstdint>

#include "data/Session.h"

namespace tolmek {

// Check marks of a dialog, indexed 1..6.
using SlotChecks = std::array<bool, 7>;

// Stores CursorIndex into the checked PF slots, then recomputes the results row. True when a slot
// that was set moved to another point (the whole chart must be drawn again).
bool SetPFPoints(Session& session, const SlotChecks& checked);

// The DF point to set: the cursor's, or with a snap mode the extremum of the points within five
// of it.
int SnappedCursorPoint(const Session& session);

// Stores the snapped cursor point into the checked I and D slots; the proposal continues after the
// last peak set. Then the DF peak table and the results row are recomputed. True when a slot that
// was set moved.
bool SetDFPoints(Session& session, const SlotChecks& checkedI, const SlotChecks& checkedD,
                 int16_t& nextPatternPosition);

// The pattern of the checked peaks, always in the order I1, D1, I2, D2, ...
void SetDFPatternFromChecks(Settings& settings, const SlotChecks& checkedI,
                            const SlotChecks& checkedD);

// Moves on to the next position of the pattern (back to the first after the last) and returns
// the peak there; None when the pattern is empty or its number there names no peak.
DFPeakCode ProposeNextPatternPeak(const Settings& settings, int16_t& nextPatternPosition);

}  // namespace tolmek
