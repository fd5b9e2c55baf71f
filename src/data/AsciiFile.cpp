#include "AsciiFile.h"

#include "Errors.h"
#include "FileIO.h"
#include "Measurement.h"
#include "NumberText.h"
#include "ReaderExit.h"
#include "TextFields.h"
#include "ui/Progress.h"

namespace tolmek {

namespace {

constexpr int kTimeDecimals = 3;
constexpr int kValueDecimals = 2;  // the format "Fixed"
constexpr const char* kTwoColumnEnding = "ddf";

// Reads point after point until only white space is left.
void ReadPoints(TextFields& fields, Measurement& record, Feedback& feedback) {
  PercentProgress progress(feedback, record.CancelRequested);
  int count = 0;
  while (!fields.OnlyWhiteSpaceLeft()) {
    ++count;
    At(record.TimeValues, count) = ToSingle(fields.ReadNumber());
    At(record.PFValues, count) = ToSingle(fields.ReadNumber());
    At(record.DFValues, count) = ToSingle(fields.ReadNumber());
    if (record.TimeValues[count] < record.TimeValues[count - 1])
      throw ErrorText(kNonMonotonousText);
    ComputeSlopes(record, count);
    if (progress.Step(static_cast<double>(fields.Position()), static_cast<double>(fields.Size())))
      throw ReadCancelled{};
  }
  // A table without a single point is not a measurement.
  if (count == 0) throw ErrorText(errors::kInputPastEnd);
  record.PointCount = count;
}

// One data line straight into the text: time "0.000", the values "Fixed", in print zones.
std::string BuildAsciiText(const std::vector<float>& time, const std::vector<float>& a,
                           const std::vector<float>& b, int first, int last, bool twoColumns,
                           PercentProgress* progress) {
  std::string text;
  constexpr size_t kTypicalLine = 44;
  if (last >= first) text.reserve(static_cast<size_t>(last - first + 1) * kTypicalLine);
  for (int i = first; i <= last; ++i) {
    const size_t lineStart = text.size();
    AppendDecimals(text, At(time, i), kTimeDecimals);
    PadToNextZone(text, lineStart);
    AppendDecimals(text, At(a, i), kValueDecimals);
    if (!twoColumns) {
      PadToNextZone(text, lineStart);
      AppendDecimals(text, At(b, i), kValueDecimals);
    }
    text += "\r\n";
    if (progress) progress->Step(i, last);
  }
  return text;
}

bool WriteAsciiColumns(Feedback& feedback, const std::string& path, const std::vector<float>& time,
                       const std::vector<float>& a, const std::vector<float>& b, int first,
                       int last, bool twoColumns) {
  return RunWriter(feedback, [&] {
    BusyScope busy(feedback);
    bool noCancel = false;  // the writer cannot be cancelled
    PercentProgress progress(feedback, noCancel);
    WriteFileReplacing(path, BuildAsciiText(time, a, b, first, last, twoColumns, &progress));
  });
}

}  // namespace

ReadOutcome ReadAsciiFile(Session& session, Feedback& feedback, const std::string& path) {
  Measurement& record = session.Record;
  return RunReader(session, feedback, [&] {
    BusyScope busy(feedback);
    record.PFAmplification = 1;
    record.DFAmplification = 1;
    record.PointCount = 0;
    SizeCurveArrays(record, kAsciiCapacity);
    record.BytesRead = 0;
    InputFile file(path, record.BytesRead);
    TextFields fields(file);
    ReadPoints(fields, record, feedback);
    At(record.DFSlope, 1) = 0;
    At(record.PFSlope, 2) = 0;
    PrepareCurves(record);
    return ReadOutcome::Loaded;
  });
}

std::string AsciiFileText(const std::vector<float>& time, const std::vector<float>& a,
                          const std::vector<float>& b, int first, int last, bool twoColumns) {
  return BuildAsciiText(time, a, b, first, last, twoColumns, nullptr);
}

bool WriteAsciiFile(Feedback& feedback, const std::string& path, const std::vector<float>& time,
                    const std::vector<float>& a, const std::vector<float>& b, int first, int last) {
  const bool twoColumns = LastChars(path, 3) == kTwoColumnEnding;
  return WriteAsciiColumns(feedback, path, time, a, b, first, last, twoColumns);
}

bool SaveAscWithDecay(const Measurement& record, Feedback& feedback,
                      const std::string& measurementPath) {
  // The names are made as the autosave makes them, in the case of the measurement's extension;
  // the tail block has two columns whatever the case of its name.
  if (!WriteAsciiFile(feedback, SiblingPath(measurementPath, "asc"), record.TimeValues,
                      record.PFValues, record.DFValues, 1, record.PointCount))
    return false;
  if (record.DecayValues.size() <= 1) return true;
  const int last = static_cast<int>(record.DecayValues.size()) - 1;
  return WriteAsciiColumns(feedback, SiblingPath(measurementPath, "ddf"), record.DecayTimes,
                           record.DecayValues, record.DecayValues, 1, last, true);
}

}  // namespace tolmek
