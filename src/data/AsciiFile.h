// The ASCII measurement table: time, PF, DF per line. Written in 14-character print zones, as three
// columns (asc) or, for a name ending exactly in "ddf", two columns.
#pragma once

#include <string>
#include <vector>

#include "FileChoice.h"
#include "Session.h"
#include "ui/Feedback.h"

namespace tolmek {

constexpr int kAsciiCapacity = 10000;
constexpr const char* kNonMonotonousText = "Non-monotonous time scale. Aborting.";

// Reads the table into the record (at most 10000 points, both gains 1, FileTypeCode 0,
// PrepareCurves run). A failure is reported and leaves the empty state.
ReadOutcome ReadAsciiFile(Session& session, Feedback& feedback, const std::string& path);

// The text of points first..last; two columns (time, a) when twoColumns, else three.
std::string AsciiFileText(const std::vector<float>& time, const std::vector<float>& a,
                          const std::vector<float>& b, int first, int last, bool twoColumns);

// Writes points first..last to path, two columns when the name ends exactly in "ddf". Replaces an
// existing file safely. A failure is reported; returns whether the file was written.
bool WriteAsciiFile(Feedback& feedback, const std::string& path, const std::vector<float>& time,
                    const std::vector<float>& a, const std::vector<float>& b, int first, int last);

// "Save ASC": the measurement to its path with "asc" as the last three characters and, when the
// record holds the tail block of an instrument recording, that block with "ddf" instead.
bool SaveAscWithDecay(const Measurement& record, Feedback& feedback,
                      const std::string& measurementPath);

}  // namespace tolmek
