#include "NativeFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "Errors.h"
#include "FileIO.h"
#include "Measurement.h"
#include "NumberText.h"
#include "ReaderExit.h"
#include "TextFields.h"
#include "ui/Progress.h"

namespace tolmek {

namespace {

constexpr const char* kVersion12 = "TOLMEK12";
constexpr const char* kVersion13 = "TOLMEK13";
constexpr const char* kVersion32 = "TOLMEK32";
constexpr const char* kUnknownText = "Unknown";
constexpr const char* kLineEnd = "\r\n";
constexpr int16_t kNativeFileType = 6;
constexpr int kDFPairCount = 6;
// The shortest point line, "1,2,3" and a line end: a count that the rest of the file cannot hold
// is refused before anything is allocated for it.
constexpr double kShortestPointLine = 6;
// Slots stored by the oldest layout, in file order; Fm1 and Fm2 are not stored there.
constexpr std::array<int, 4> kOldLayoutSlots = {kSlotFi, kSlotFd, kSlotFm, kSlotFs};

// Reads the version, information and comment lines. Returns false for the oldest layout, whose
// first field is already the first comment.
bool ReadHeader(TextFields& fields, Measurement& record) {
  const std::string first = fields.ReadField();
  int nextComment = 0;
  bool versioned = true;
  if (first == kVersion12 || first == kVersion13) {
    record.ExperimentText = fields.ReadField();
  } else if (first == kVersion32) {
    record.ExperimentText = kUnknownText;
  } else {
    record.HeaderComments[0] = first;
    nextComment = 1;
    versioned = false;
  }
  for (int i = nextComment; i < kHeaderCommentCount; ++i)
    record.HeaderComments[i] = fields.ReadField();
  return versioned;
}

// A count the file cannot hold is the end of the file; one that it holds but the 16-bit point
// indices cannot reach is refused with the count and the limit.
int ReadPointCount(TextFields& fields, const std::string& path) {
  const double count = std::nearbyint(fields.ReadNumberField());
  if (count < 0 || count * kShortestPointLine > static_cast<double>(fields.Remaining()))
    throw ErrorText(errors::kInputPastEnd);
  if (count > kMaxPointCount)
    throw ErrorText(TooManyPointsText(FileNameOf(path), static_cast<long long>(count)));
  return static_cast<int>(count);
}

// The arrays grow with the points actually read, so a count that the file's lines do not bear out
// costs no memory; at the end they hold indices 0..count+1.
constexpr int kFirstArraySize = 1024;
void MakeRoomFor(Measurement& record, int i, int count) {
  if (static_cast<size_t>(i) + 1 < record.TimeValues.size()) return;
  const size_t size = static_cast<size_t>(std::min(count + 1, 2 * i)) + 1;
  for (auto* values :
       {&record.TimeValues, &record.PFValues, &record.DFValues, &record.PFSlope, &record.DFSlope})
    values->resize(size, 0.0f);
}

void ReadPoints(TextFields& fields, Measurement& record, int count, PercentProgress& progress) {
  for (int i = 1; i <= count; ++i) {
    MakeRoomFor(record, i, count);
    At(record.TimeValues, i) = ToSingle(fields.ReadNumberField());
    At(record.PFValues, i) = ToSingle(fields.ReadNumberField());
    At(record.DFValues, i) = ToSingle(fields.ReadNumberField());
    ComputeSlopes(record, i);
    if (progress.Step(i, count)) throw ReadCancelled{};
  }
}

// The stored slots replace the derived ones only once all of them were read, so a file that ends
// early does not leave half of its DF peaks behind for keep-peaks.
void ReadStoredSlots(TextFields& fields, Measurement& record, bool versioned) {
  std::array<int16_t, 7> pfPoints = record.PFPoints;
  if (versioned) {
    for (int slot = kSlotFi; slot <= kSlotFs; ++slot)
      pfPoints[slot] = ToInt16(fields.ReadNumberField());
  } else {
    for (int slot : kOldLayoutSlots) pfPoints[slot] = ToInt16(fields.ReadNumberField());
  }
  std::array<DFPeakPair, 7> dfPoints = record.DFPoints;
  for (int wave = 1; wave <= kDFPairCount; ++wave) {
    dfPoints[wave].I = ToInt16(fields.ReadNumberField());
    dfPoints[wave].D = ToInt16(fields.ReadNumberField());
  }
  record.PFPoints = pfPoints;
  record.DFPoints = dfPoints;
}

std::string InformationLine(const Measurement& record, const std::string& sourcePath) {
  switch (record.FileTypeCode) {
    case 1:
    case 5:
      return FileDateTimeText(sourcePath);
    case kNativeFileType:
      return record.ExperimentText;
    default:
      return kUnknownText;
  }
}

// A text field on its own line. A line break inside it would split the field and a double quote
// would end it early, shifting every line after it: the break becomes a space, the double quote a
// single one.
char WritableInQuotes(char c) {
  if (c == '\r' || c == '\n') return ' ';
  return c == '"' ? '\'' : c;
}

void AppendQuotedLine(std::string& text, std::string_view field) {
  text += '"';
  for (char c : field) text += WritableInQuotes(c);
  text += '"';
  text += kLineEnd;
}

std::string BuildNativeText(const Measurement& record, const std::vector<float>& time,
                            const std::vector<float>& pf, const std::vector<float>& df, int count,
                            const std::string& sourcePath, PercentProgress* progress) {
  std::string text;
  constexpr size_t kLongestLine = 48;  // three numbers of the general format, commas, CR LF
  constexpr size_t kHeadAndSlots = 1024;
  text.reserve(static_cast<size_t>(std::max(count, 0)) * kLongestLine + kHeadAndSlots);
  AppendQuotedLine(text, kVersion13);
  AppendQuotedLine(text, InformationLine(record, sourcePath));
  for (const std::string& comment : record.HeaderComments) AppendQuotedLine(text, comment);
  text += std::to_string(count) + kLineEnd;
  for (int i = 1; i <= count; ++i) {
    AppendShortest(text, At(time, i));
    text += ',';
    AppendShortest(text, At(pf, i));
    text += ',';
    AppendShortest(text, At(df, i));
    text += kLineEnd;
    if (progress) progress->Step(i, count);
  }
  for (int slot = kSlotFi; slot <= kSlotFs; ++slot)
    text += std::to_string(record.PFPoints[slot]) + (slot < kSlotFs ? "," : kLineEnd);
  for (int wave = 1; wave <= kDFPairCount; ++wave)
    text += std::to_string(record.DFPoints[wave].I) + "," +
            std::to_string(record.DFPoints[wave].D) + kLineEnd;
  return text;
}

}  // namespace

ReadOutcome ReadNativeFile(Session& session, Feedback& feedback, const std::string& path) {
  Measurement& record = session.Record;
  return RunReader(session, feedback, [&] {
    record.FileTypeCode = kNativeFileType;
    BusyScope busy(feedback);
    record.PFAmplification = 1;
    record.DFAmplification = 1;
    record.PointCount = 0;
    record.BytesRead = 0;
    InputFile file(path, record.BytesRead);
    TextFields fields(file);
    const bool versioned = ReadHeader(fields, record);
    const int count = ReadPointCount(fields, path);
    SizeCurveArrays(record, std::min(count, kFirstArraySize) + 1);
    PercentProgress progress(feedback, record.CancelRequested);
    ReadPoints(fields, record, count, progress);
    record.PointCount = count;
    At(record.DFSlope, 1) = 0;
    At(record.PFSlope, 2) = 0;
    PrepareCurves(record);
    ReadStoredSlots(fields, record, versioned);
    return ReadOutcome::Loaded;
  });
}

std::string NativeFileText(const Measurement& record, const std::vector<float>& time,
                           const std::vector<float>& pf, const std::vector<float>& df, int count,
                           const std::string& sourcePath) {
  return BuildNativeText(record, time, pf, df, count, sourcePath, nullptr);
}

bool WriteNativeFile(const Measurement& record, Feedback& feedback, const std::string& path,
                     const std::vector<float>& time, const std::vector<float>& pf,
                     const std::vector<float>& df, int count, const std::string& sourcePath) {
  return RunWriter(feedback, [&] {
    BusyScope busy(feedback);
    bool noCancel = false;  // the writer cannot be cancelled
    PercentProgress progress(feedback, noCancel);
    WriteFileReplacing(path, BuildNativeText(record, time, pf, df, count, sourcePath, &progress));
  });
}

}  // namespace tolmek
