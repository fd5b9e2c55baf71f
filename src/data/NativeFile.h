// The program's own measurement format (tmk): versions "TOLMEK12", "TOLMEK13", "TOLMEK32" and the
// oldest layout without a version line. The writer always writes version 13.
#pragma once

#include <string>
#include <vector>

#include "FileChoice.h"
#include "Session.h"
#include "ui/Feedback.h"

namespace tolmek {

// Reads the file into the record (FileTypeCode 6, both gains 1, PrepareCurves run, then the
// stored point slots). A failure is reported and leaves the empty state.
ReadOutcome ReadNativeFile(Session& session, Feedback& feedback, const std::string& path);

// The text of a version-13 file of points 1..count of the arrays, with the header texts and the
// point slots of the record. sourcePath is the file the measurement came from: its date and time
// form the information line of instrument data (FileTypeCode 1 or 5).
std::string NativeFileText(const Measurement& record, const std::vector<float>& time,
                           const std::vector<float>& pf, const std::vector<float>& df, int count,
                           const std::string& sourcePath);

// Writes that text to path, replacing an existing file safely. A failure is reported (critical
// icon, the error text); returns whether the file was written.
bool WriteNativeFile(const Measurement& record, Feedback& feedback, const std::string& path,
                     const std::vector<float>& time, const std::vector<float>& pf,
                     const std::vector<float>& df, int count, const std::string& sourcePath);

}  // namespace tolmek
