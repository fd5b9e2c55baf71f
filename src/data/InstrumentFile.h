// Binary recordings of the PX3310 fluorometer (.dat): induction kinetics (type 1), the longer
// header of type 5, and temperature curves (type 4), which are exported to ASCII at once.
#pragma once

#include <string>

#include "FileChoice.h"
#include "Session.h"
#include "ui/Feedback.h"

namespace tolmek {

constexpr const char* kCorruptedFileText = "File is possibly corrupted.";
constexpr const char* kReaderErrorPrefix = "The following error occured";

// Gains in display units from the five header lines joined (upper-cased inside): the text
// between the last "DF" and the next "F" is the DF gain, the text after that "F" the PF gain,
// each "a*b" giving a times b; a text without "*" gives 0.
DisplayGains ParseHeaderGains(const std::string& header);

// Reads the recording. Gains out of range are asked for through feedback.AskGains (cancel ends
// the load quietly). A type-4 recording is exported by ExportTemperatureCurve and the outcome is
// Exported. The reader stops after PrepareCurves; the steps after a load are the caller's.
ReadOutcome ReadInstrumentFile(Session& session, Feedback& feedback, const std::string& path);

// Writes the temperature curve held in bytes (the whole file) to CurrentFilePath with extension
// asc, shows where, and leaves the empty state.
ReadOutcome ExportTemperatureCurve(Session& session, Feedback& feedback, const std::string& bytes);

}  // namespace tolmek
