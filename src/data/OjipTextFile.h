// The text export of hand-held OJIP fluorometers: a first line ending in "ASCII Export File", a few
// header lines, the lines `index`, `time` and `id` with one TAB-separated field per measurement,
// one line per sample (time in microseconds, then one signal per measurement), the background line
// `Bckg`, the instrument's own parameters and a `description` line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FileChoice.h"
#include "Session.h"
#include "ui/Feedback.h"

namespace tolmek {

constexpr const char* kOjipExportMarker = "ASCII Export File";
constexpr int16_t kOjipFileType = 7;
// Samples before this time are the background and the rise of the light; the instrument takes Fo
// at the first sample from here on.
constexpr double kOjipFirstMicroseconds = 40;
// Measurements one export may hold side by side.
constexpr int kOjipMaxMeasurements = 1000;

// Everything the program takes from an export. Only the samples from kOjipFirstMicroseconds on
// are kept; Signals holds the columns asked for.
struct OjipExport {
  int Measurements = 0;
  std::vector<std::string> Indexes;  // per measurement: the `index`, `time`, `id` and
  std::vector<std::string> Times;    // `description` fields (empty when the line is missing)
  std::vector<std::string> Ids;
  std::vector<std::string> Descriptions;
  std::vector<double> Microseconds;         // sample times
  std::vector<std::vector<float>> Signals;  // [measurement][sample], background subtracted
  std::vector<double> Background;           // per measurement
};

// True when the name ends in "txt" (any case) and the file's first line ends in the marker.
bool IsOjipTextExport(const std::string& path);

// Takes an export line by line (without line ends). keptColumns: how many measurements keep their
// signals (all of them for a split, one for a load). Throws ErrorText on input that is not an
// export, UnreadableFile when the first line lacks the marker.
class OjipExportParser {
 public:
  explicit OjipExportParser(int keptColumns) : kept_(keptColumns) {}
  void Line(std::string_view line);
  // True after the `description` line that ends an export: nothing after it is read.
  bool Complete() const { return complete_; }
  // The export read; throws ErrorText when a part of it is missing.
  OjipExport Finish();

 private:
  void HeaderLine(std::string_view label, std::vector<std::string_view>& fields);
  void SampleLine(double microseconds, const std::vector<std::string_view>& fields);
  void BackgroundLine(const std::vector<std::string_view>& fields);

  int kept_;
  long long lineNumber_ = 0;
  bool backgroundSeen_ = false;
  bool complete_ = false;
  bool haveSample_ = false;
  double lastMicroseconds_ = 0;
  std::vector<std::vector<double>> raw_;  // signals before the background is known
  OjipExport export_;
};

// Reads the export line by line, keeping the signals of the first keptColumns measurements.
// Throws as the parser does.
OjipExport ReadOjipExport(const std::string& path, int keptColumns);

// Loads the first measurement into the record, as the ASCII reader would load its table: time in
// ms, PF = signal - Bckg, DF = 0, both gains 1, FileTypeCode 7, the time, id and description as
// header comments, PrepareCurves run. Says how many measurements the file holds when there are
// more. A failure is reported and leaves the empty state.
ReadOutcome ReadOjipTextFile(Session& session, Feedback& feedback, const std::string& path);

// Writes each measurement of the export as an ASCII measurement beside it:
// <name without extension>-<index>.asc, the extension in the case of the export's. Failures are
// reported; returns whether all were written.
bool SplitOjipExport(Feedback& feedback, const std::string& path);

}  // namespace tolmek
