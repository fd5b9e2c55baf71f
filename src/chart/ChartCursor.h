// The cursor of the chart and its readout, the span markers, the find tools and the zoom, as
// state changes of the Session that the chart window shows.
#pragma once

#include <string>

#include "data/Session.h"

namespace tolmek {

enum CursorLineNumber : int { kCursorLine = 1, kSpanStartLine = 2, kSpanEndLine = 3 };
enum class FindKind { Max, Min, Flattest };
enum class ZoomDirection { In, Out };

// "t=  12.50 PF=1500.00 dPF=    -0.50 ..." for point index (fixed-width fields).
std::string CursorReadout(const Measurement& record, int index);

// Writes the readout of point index, places line lineNo on it and sets the find and zoom
// commands. Nothing happens while no measurement is loaded. A point outside the drawn range
// hides the line.
void ShowCursorLine(Session& session, int index, CursorLineNumber lineNo);

// The chart's state after a load or a redraw: the cursor and the span inside the new measurement,
// the end of a kept manual range recomputed for it, and the zoom commands of the view.
void ClampChartState(Session& session);
void SetZoomCommandStates(Session& session);

// Moves the cursor to the maximum, minimum or flattest point of the span of the curve shown
// (PF when only PF is shown, else DF) and clears the span.
void FindInSpan(Session& session, FindKind kind);

// Zoom in to the span, when it is one; zoom out back to the whole measurement. True when the
// chart must be drawn again.
bool ZoomChart(Session& session, ZoomDirection direction);

// The last point the keys reach: the end of what is drawn, within the measurement.
int LastCursorPoint(const Session& session);

enum class CursorKey { Left, Right, Home, End, PageUp, PageDown };
// The cursor's new point after a key (ctrl: the Ctrl key alone is held).
int CursorAfterKey(const Session& session, CursorKey key, bool ctrl);

}  // namespace tolmek
