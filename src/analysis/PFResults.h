// The PF results row of the loaded file (values and ratios), the column names of the results
// table and the text of the "PF min/max" view.
#pragma once

#include <string>

#include "data/Session.h"

namespace tolmek {

// Writes the 16 column names and the 12 names of the DF fields ("I1", "D1", ...) into row 0.
void FillResultColumnNames(ResultTable& table);

// Recomputes row ResultRow from the curves, PFPoints and DFPoints. A column whose computation
// fails (division by zero, an index outside the arrays) is skipped and keeps its old text. The
// row also keeps the DF fields of FL.RES (empty for a point outside the curve) and the file name;
// I1/Fo and I4/Fm are emptied like those fields while their peak lies outside the curve.
void FillPFResultRow(Session& session);

// The file-name cell: the name unchanged, or when stripped the first 7 characters and the
// last one of the name without extension, in a field of exactly 8 characters.
std::string ResultFileNameCell(const std::string& fileName, bool stripFileName);

// The lines of the "PF min/max" view, each ended by CR LF. A line whose point lies outside the
// arrays (nothing loaded, or a slot beyond the curve) or whose DF peak lies beyond the curve is
// left out; the others are shown.
std::string ViewPFPeaksText(const Measurement& record);

// True when a DF point lies beyond the loaded curve: kept from a longer recording, or nothing is
// loaded. The arrays may reach further than the curve (an ASCII table is read into 10000 points).
bool DFPointBeyondCurve(const Measurement& record, int point);

}  // namespace tolmek
