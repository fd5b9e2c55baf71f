// Reading a measurement with the reader its name chooses, and the steps after a load that combine
// the record with the analysis.
#pragma once

#include "data/FileChoice.h"
#include "data/Session.h"
#include "ui/Feedback.h"

namespace tolmek {

// Reads CurrentFilePath with the chosen reader, then FindResultRow and the results: the DF peak
// table and the PF results row (instrument recordings with "Adjust peak position" re-centre kept
// DF peaks first). Every outcome but Loaded leaves the empty state.
ReadOutcome ReadMeasurement(Session& session, Feedback& feedback);

// The non-window steps of loading the current file: keep the path, reset, read; DataLoaded = -1
// when the file was loaded.
ReadOutcome LoadCurrentFile(Session& session, Feedback& feedback);

}  // namespace tolmek
