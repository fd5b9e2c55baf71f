// DF peaks: the search used by manual setting and by re-centring, the DF peak table, the
// re-centring of kept peaks, and the edits of the "DF Min/Max" window as plain functions.
#pragma once

#include <string>

#include "data/Session.h"

namespace tolmek {

enum class DFSearchMode { Max, Min, Flattest };

// Index of the largest DF (Max), smallest DF (Min) or smallest |DFSlope| (Flattest) in from..to;
// the first of equal candidates wins. Throws ErrorText for an index outside the arrays.
int FindDFExtremum(const Measurement& record, int from, int to, DFSearchMode mode);

// Recomputes rows 0..8 of the DF peak table from DFPoints. An index outside the arrays stops the
// computation; what was computed before stays.
void FillDFPeakTable(Session& session);

// Re-centres kept DF peaks after an instrument recording is loaded, then FillDFPeakTable and
// FillPFResultRow.
void AdjustKeptPeaks(Session& session);

// A curve whose DF is 0 at every point (an OJIP text export, a recording without a DF channel)
// has no DF peaks: kept ones would put times and values of peaks that are not there into its
// tables. Moves the kept peaks of such a measurement to HeldDFPoints, so it gets the results it
// has when processed alone.
void HoldKeptPeaksOfZeroDF(Measurement& record);

// The peaks held back while a measurement without DF was loaded return as the kept peaks of the
// next one, unless peaks were set in the meantime or keep-peaks is off. Run before each read.
void RestoreHeldPeaks(Measurement& record, bool keepPeaks);

// "Delete" of the DF table at the current cell (table row 1..8, wave column 1..6): clears the I
// point of the wave when the row describes it (DF(I), dI/dt, t(I), t(dI)), otherwise its D point;
// then the tables are recomputed. False (nothing changes) for a cell outside the waves.
bool DeleteDFPeak(Session& session, int column, int row);

// "Move Left" / "Move Right" of waves firstColumn..lastColumn. Returns false (the caller beeps)
// when the move is not possible; otherwise moves, recomputes the tables and returns true.
bool MoveDFPeaksLeft(Session& session, int firstColumn, int lastColumn);
bool MoveDFPeaksRight(Session& session, int firstColumn, int lastColumn);

// "Copy" of the DF table: TAB-separated cells of the selection, CR LF rows, with headings.
std::string DFPeakTableCopyText(const DFPeakTable& table, int firstRow, int lastRow,
                                int firstColumn, int lastColumn);

}  // namespace tolmek
