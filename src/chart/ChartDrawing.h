// Drawing the chart of the loaded measurement onto a drawing surface: frame, titles, axes, the
// curves as dots thinned to the width of the picture, and the markers of the set points.
#pragma once

#include "DrawingSurface.h"
#include "data/Session.h"

namespace tolmek {

enum class ChartDrawMode { Full, Markers };

// Computes the chart frame for the surface's size and draws: Full everything (the surface is
// cleared first), Markers only the markers over what the surface already shows. Nothing is drawn
// when no measurement is loaded. An operation that fails is skipped and the drawing goes on. A
// tick label that would overprint a title, a marker label or an earlier label is left out.
void DrawChart(Session& session, DrawingSurface& surface, ChartDrawMode mode);

// The dotted marker lines and labels of the set PF points and DF peaks of the curves shown; a
// failure ends the markers. Points outside the drawn time range get no marker; the lines end at
// the frame and the labels stay inside it, above the time axis.
void DrawPointMarkers(const Session& session, DrawingSurface& surface, bool logarithmic);

// The labels of PF slot 1..6 and of DF wave k's two points.
const char* PFMarkerLabel(int slot);
std::string DFMarkerLabel(int wave, bool decay);

}  // namespace tolmek
