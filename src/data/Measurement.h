// The fixed preparation of freshly read curves, the results-table row of the loaded file and the
// reset to the empty state.
#pragma once

#include "Session.h"

namespace tolmek {

// Sizes the five curve arrays to indices 0..upper, all zero.
void SizeCurveArrays(Measurement& record, int upper);

// dPF/dt and dDF/dt of point i against point i-1. A zero time difference is the arithmetic error.
void ComputeSlopes(Measurement& record, int i);

// Maxima of time, PF and DF over points 2..N and the automatic PF points (Fi, Fd, Fm, Fs).
// Reads PF up to index 8 for the Fi search; an index outside the arrays throws ErrorText.
void PrepareCurves(Measurement& record);

// TimeMax, PFMax and DFMax over points 2..N; returns the first point of the largest PF (0 when no
// PF value is above 0).
int FindCurveMaxima(Measurement& record);

// Finds the results-table row of the loaded file (by its full path), or adds one for it.
void FindResultRow(Session& session);

// The empty state: nothing loaded, points cleared (DF points only without keep-peaks), the DF
// peak table uncomputed, the view back to both curves on the log axis.
void ResetState(Session& session);

}  // namespace tolmek
