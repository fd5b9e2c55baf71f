// FL.RES and DF.RES in the data folder, and the edits of the "Results" window as plain functions.
#pragma once

#include <string>

#include "data/Session.h"
#include "ui/Feedback.h"

namespace tolmek {

constexpr const char* kFLResName = "fl.res";
constexpr const char* kDFResName = "df.res";

// "Are you sure?" with Yes and No and the question icon; true for Yes.
bool AreYouSure(Feedback& feedback);

// Quiet appends the loaded file's row (FL.RES) or block (DF.RES) without asking; otherwise it
// asks when the file exists (Yes appends all rows, No overwrites after "Are you sure?", Cancel
// writes nothing). An FL.RES made anew (missing, or replaced after No) gets the heading, the rows
// of the files in the data folder and the loaded file's row, not the rows of other folders.
// The file is backed up first. Failures are reported; returns false when nothing could be written
// because of an error.
bool WriteFLRes(Session& session, Feedback& feedback, bool quiet);
bool WriteDFRes(Session& session, Feedback& feedback, bool quiet);

// The 28-field heading line and the data line of row r (its cells with two decimals, then the DF
// fields kept with the row), each field followed by TAB, with CR LF.
std::string FLResHeading(const ResultTable& table);
std::string FLResDataLine(const Session& session, int row);
// One DF.RES block: the name without extension, the nine table rows, an empty line.
std::string DFResBlock(const Session& session);

// "Copy" of the results window: TAB-separated selection with the column names, CR LF rows.
std::string ResultTableCopyText(const ResultTable& table, int firstRow, int lastRow,
                                int firstColumn, int lastColumn);

// "Delete rows" firstRow..lastRow; false (the caller beeps) when the selection ends on the last
// row or holds the loaded file's row (ResultRow), which follows its file when rows before it go.
bool DeleteResultRows(ResultTable& table, int firstRow, int lastRow);

constexpr const char* kClearTableQuestion = "This will clear the whole table. Are you sure?";

// "Clear" after its question (kClearTableQuestion, Yes/No, exclamation icon, No the default):
// empties the table, rewrites the names and recomputes the loaded file into row 1 (with nothing
// loaded the table keeps no row).
void ClearResultTable(Session& session);

}  // namespace tolmek
