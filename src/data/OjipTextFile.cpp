#include "OjipTextFile.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

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

constexpr size_t kFirstLineLimit = 4096;  // a first line longer than this is not an export's
constexpr double kMicrosecondsPerMs = 1000;
constexpr const char* kTxtKey = "TXT";
constexpr const char* kAsciiExtension = "asc";

enum HeaderComment { kCommentTime = 0, kCommentId = 1, kCommentDescription = 2 };

// The fields of a line: TAB-separated, the empty field after a final TAB left out.
std::vector<std::string_view> TabFields(std::string_view line) {
  std::vector<std::string_view> fields;
  while (true) {
    const size_t tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) break;
    line.remove_prefix(tab + 1);
    if (line.empty()) break;
  }
  return fields;
}

bool EndsWithMarker(std::string_view line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  const std::string_view marker = kOjipExportMarker;
  return line.size() >= marker.size() && line.substr(line.size() - marker.size()) == marker;
}

double FiniteNumber(std::string_view field) {
  const auto number = ParseNumber(field);
  if (!number) throw ErrorText(errors::kTypeMismatch);
  if (!std::isfinite(*number)) throw ErrorText(errors::kOverflow);
  return *number;
}

// The per-measurement texts of a line, one for each measurement (missing fields empty).
std::vector<std::string> ColumnTexts(const std::vector<std::string_view>& fields, int count) {
  std::vector<std::string> texts(static_cast<size_t>(count));
  for (size_t c = 0; c < texts.size() && c + 1 < fields.size(); ++c) texts[c] = Trim(fields[c + 1]);
  return texts;
}

// The file's name without its extension: leaf.txt gives leaf, in the same folder.
std::string WithoutExtension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path;
  return path.substr(0, dot);
}

// The names the split gives its files: the `index` fields when they are distinct whole numbers,
// else the column numbers 1..n.
std::vector<std::string> SplitSuffixes(const OjipExport& data) {
  std::vector<std::string> suffixes;
  std::set<std::string> seen;
  for (const std::string& index : data.Indexes) {
    const bool digits =
        !index.empty() && index.size() <= 9 &&
        std::all_of(index.begin(), index.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || !seen.insert(index).second) {
      suffixes.clear();
      for (int c = 1; c <= data.Measurements; ++c) suffixes.push_back(std::to_string(c));
      return suffixes;
    }
    suffixes.push_back(index);
  }
  return suffixes;
}

// One measurement of the export as the ASCII writer lays it out.
std::string MeasurementAsciiText(const OjipExport& data, int column) {
  const size_t n = data.Microseconds.size();
  std::vector<float> time(n + 1, 0.0f);
  std::vector<float> pf(n + 1, 0.0f);
  const std::vector<float> df(n + 1, 0.0f);
  for (size_t i = 0; i < n; ++i) {
    time[i + 1] = ToSingle(data.Microseconds[i] / kMicrosecondsPerMs);
    pf[i + 1] = data.Signals[static_cast<size_t>(column)][i];
  }
  return AsciiFileText(time, pf, df, 1, static_cast<int>(n), false);
}

void FillRecord(Measurement& record, const OjipExport& data) {
  record.PFAmplification = 1;
  record.DFAmplification = 1;
  SizeCurveArrays(record, kAsciiCapacity);
  const int n = static_cast<int>(data.Microseconds.size());
  for (int i = 1; i <= n; ++i) {
    At(record.TimeValues, i) = ToSingle(data.Microseconds[i - 1] / kMicrosecondsPerMs);
    At(record.PFValues, i) = data.Signals[0][static_cast<size_t>(i - 1)];
    ComputeSlopes(record, i);
  }
  record.PointCount = n;
  At(record.DFSlope, 1) = 0;
  At(record.PFSlope, 2) = 0;
  PrepareCurves(record);
  record.FileTypeCode = kOjipFileType;
  record.HeaderComments[kCommentTime] = data.Times[0];
  record.HeaderComments[kCommentId] = data.Ids[0];
  record.HeaderComments[kCommentDescription] = data.Descriptions[0];
}

}  // namespace

bool IsOjipTextExport(const std::string& path) {
  if (ToUpper(LastChars(path, 3)) != kTxtKey) return false;
  std::string start;
  try {
    int64_t bytesRead = 0;
    InputFile file(path, bytesRead);
    file.ReadUpTo(start, kFirstLineLimit);
  } catch (const ErrorText&) {
    return false;  // the ASCII reader reports what is wrong with the file
  }
  const size_t end = start.find_first_of("\r\n");
  return EndsWithMarker(std::string_view(start).substr(0, end));
}

void OjipExportParser::Line(std::string_view line) {
  ++lineNumber_;
  if (lineNumber_ == 1) {
    if (!EndsWithMarker(line)) throw UnreadableFile{};
    return;
  }
  std::vector<std::string_view> fields = TabFields(line);
  const std::string label = Trim(fields[0]);
  if (label.empty()) return;
  if (export_.Measurements > 0 && !backgroundSeen_) {
    if (const auto time = ParseNumber(label)) {
      SampleLine(*time, fields);
      return;
    }
  }
  HeaderLine(label, fields);
}

void OjipExportParser::HeaderLine(std::string_view label, std::vector<std::string_view>& fields) {
  if (label == "index") {
    // One index line opens the measurements; a second one, or one after the samples, is not
    // part of an export.
    if (export_.Measurements > 0) throw ErrorText(errors::kTypeMismatch);
    const int count = static_cast<int>(fields.size()) - 1;
    if (count < 1) throw ErrorText(errors::kInputPastEnd);
    if (count > kOjipMaxMeasurements) throw ErrorText(errors::kSubscriptOutOfRange);
    export_.Measurements = count;
    export_.Indexes = ColumnTexts(fields, count);
    raw_.resize(static_cast<size_t>(std::min(kept_, count)));
  } else if (label == "time") {
    export_.Times = ColumnTexts(fields, kOjipMaxMeasurements);
  } else if (label == "id") {
    export_.Ids = ColumnTexts(fields, kOjipMaxMeasurements);
  } else if (label == "description") {
    export_.Descriptions = ColumnTexts(fields, kOjipMaxMeasurements);
    complete_ = backgroundSeen_;
  } else if (label == "Bckg" && export_.Measurements > 0 && !backgroundSeen_) {
    BackgroundLine(fields);
  }
  // Any other line (the header, the instrument's own parameters) is not needed.
}

void OjipExportParser::SampleLine(double microseconds,
                                  const std::vector<std::string_view>& fields) {
  if (static_cast<int>(fields.size()) - 1 != export_.Measurements)
    throw ErrorText(errors::kTypeMismatch);
  if (!std::isfinite(microseconds)) throw ErrorText(errors::kOverflow);
  if (haveSample_ && microseconds < lastMicroseconds_) throw ErrorText(kNonMonotonousText);
  haveSample_ = true;
  lastMicroseconds_ = microseconds;
  if (microseconds < kOjipFirstMicroseconds) return;
  if (export_.Microseconds.size() >= static_cast<size_t>(kAsciiCapacity))
    throw ErrorText(errors::kSubscriptOutOfRange);
  export_.Microseconds.push_back(microseconds);
  for (size_t c = 1; c < fields.size(); ++c) {
    const double value = FiniteNumber(fields[c]);
    if (c <= raw_.size()) raw_[c - 1].push_back(value);
  }
}

void OjipExportParser::BackgroundLine(const std::vector<std::string_view>& fields) {
  if (static_cast<int>(fields.size()) - 1 < export_.Measurements)
    throw ErrorText(errors::kInputPastEnd);
  for (int c = 1; c <= export_.Measurements; ++c)
    export_.Background.push_back(FiniteNumber(fields[static_cast<size_t>(c)]));
  for (size_t c = 0; c < raw_.size(); ++c) {
    std::vector<float> signal;
    signal.reserve(raw_[c].size());
    for (double value : raw_[c]) signal.push_back(ToSingle(value - export_.Background[c]));
    export_.Signals.push_back(std::move(signal));
  }
  raw_.clear();
  backgroundSeen_ = true;
}

OjipExport OjipExportParser::Finish() {
  // An export that stops before its measurements, samples or background is cut short.
  if (export_.Measurements == 0 || export_.Microseconds.empty() || !backgroundSeen_)
    throw ErrorText(errors::kInputPastEnd);
  const size_t count = static_cast<size_t>(export_.Measurements);
  for (auto* texts : {&export_.Times, &export_.Ids, &export_.Descriptions}) texts->resize(count);
  return std::move(export_);
}

namespace {

// step(done, total) reports the progress in bytes and returns true when the user cancelled.
OjipExport ReadExport(const std::string& path, int keptColumns, int64_t& bytesRead,
                      const std::function<bool(size_t, size_t)>& step) {
  InputFile file(path, bytesRead);
  TextFields text(file);
  OjipExportParser parser(keptColumns);
  std::string line;
  while (!parser.Complete() && text.ReadLine(line)) {
    parser.Line(line);
    if (step && step(text.Position(), text.Size())) throw ReadCancelled{};
  }
  return parser.Finish();
}

}  // namespace

OjipExport ReadOjipExport(const std::string& path, int keptColumns) {
  int64_t bytesRead = 0;
  return ReadExport(path, keptColumns, bytesRead, {});
}

ReadOutcome ReadOjipTextFile(Session& session, Feedback& feedback, const std::string& path) {
  Measurement& record = session.Record;
  int measurements = 0;
  const ReadOutcome outcome = RunReader(session, feedback, [&] {
    BusyScope busy(feedback);
    record.PointCount = 0;
    record.BytesRead = 0;
    PercentProgress progress(feedback, record.CancelRequested);
    const OjipExport data = ReadExport(path, 1, record.BytesRead, [&](size_t done, size_t total) {
      return progress.Step(static_cast<double>(done), static_cast<double>(total));
    });
    FillRecord(record, data);
    measurements = data.Measurements;
    return ReadOutcome::Loaded;
  });
  if (outcome == ReadOutcome::Loaded && measurements > 1)
    feedback.ShowMessage("The file holds " + std::to_string(measurements) +
                             " measurements; the first is loaded. tolmek-batch --split writes "
                             "each as its own file.",
                         MessageIcon::Information);
  return outcome;
}

bool SplitOjipExport(Feedback& feedback, const std::string& path) {
  try {
    const OjipExport data = ReadOjipExport(path, kOjipMaxMeasurements);
    const std::vector<std::string> suffixes = SplitSuffixes(data);
    const std::string base = WithoutExtension(path);
    std::string written;
    for (int c = 0; c < data.Measurements; ++c) {
      // The extension takes the case of the export's: LEAF.TXT gives LEAF-1.ASC.
      const std::string target =
          SiblingPath(base + "-" + suffixes[static_cast<size_t>(c)] + "." + LastChars(path, 3),
                      kAsciiExtension);
      WriteFileReplacing(target, MeasurementAsciiText(data, c));
      written += (written.empty() ? "" : ", ") + FileNameOf(target);
    }
    feedback.ShowMessage("Written: " + written, MessageIcon::Information);
    return true;
  } catch (const UnreadableFile&) {
    feedback.ShowMessage(kUnreadableFileText, MessageIcon::Critical);
  } catch (const ErrorText& error) {
    feedback.ShowMessage(error.what(), MessageIcon::Critical);
  } catch (const std::bad_alloc&) {
    feedback.ShowMessage(kOutOfMemoryText, MessageIcon::Critical);
  }
  return false;
}

}  // namespace tolmek
