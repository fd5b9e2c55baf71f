#include "InstrumentFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "AsciiFile.h"
#include "ByteReader.h"
#include "Errors.h"
#include "FileIO.h"
#include "Measurement.h"
#include "NumberText.h"
#include "ReaderExit.h"
#include "ui/Progress.h"

namespace tolmek {

namespace {

constexpr int16_t kMagic = 3310;
constexpr int16_t kTypeInduction = 1;
constexpr int16_t kTypeTemperature = 4;
constexpr int16_t kTypeLongHeader = 5;

constexpr int64_t kMagicPosition = 1;
constexpr int64_t kTypePosition = 3;
constexpr int64_t kHeaderPosition = 5;
constexpr int64_t kHeaderLineLength = 40;
constexpr int64_t kTimeStepPosition = 213;
constexpr int64_t kCountPosition = 255;
constexpr double kTimeStepCodeScale = 1000000;
// Every header field of every type lies in the first bytes: the longest header (type 5, count
// byte 255) ends at 255 x 4 + 258 + 1.
constexpr size_t kHeaderBytes = 1280;

constexpr int32_t kMaxRawPoints = 50000;
// The stored time-step code only decides whether a file is accepted; every file uses this step.
constexpr double kTimeStep = 0.011;
constexpr double kPFDisplayFactor = 6;
constexpr double kDFDisplayFactor = 120;
constexpr double kMinGain = 1;
constexpr double kMaxGain = 1500;
// The light is off once a raw PF sample falls below this share of the last stored point.
constexpr double kTailRatio = 0.2;

// Segments of the time base: boundaries A(1)..A(4) (A(5) is the recording's end) and group sizes.
constexpr int kSegmentCount = 4;
constexpr std::array<int64_t, kSegmentCount + 1> kSegmentStarts = {0, 20, 100, 500, 5000};
constexpr std::array<int64_t, kSegmentCount + 1> kGroupSizes = {0, 3, 11, 55, 200};

constexpr int64_t kFirstTemperaturePosition = 120;
constexpr int64_t kLastTemperaturePosition = 121;
constexpr int64_t kTemperatureCheckPosition = 128;
constexpr int64_t kTemperatureDFOffset = 129;
constexpr int64_t kTemperaturePFOffset = 130;

constexpr const char* kTemperatureTitle = "Temperature curve";

// Where the samples of both channels lie: DF sample q at dfBase + 2q, PF sample q at pfBase + 2q.
struct SampleLayout {
  int64_t DFBase = 0;
  int64_t PFBase = 0;
  int32_t Count = 0;
  // The last byte any sample occupies: the recording is read up to here and no further.
  int64_t End() const { return std::max(DFBase, PFBase) + 2 * int64_t{Count} + 1; }
};

// The raw samples of both channels at raw positions 1..M; a position beyond the recording is
// outside the arrays, even where the file has bytes there.
class RawSamples {
 public:
  RawSamples(const ByteReader& bytes, const SampleLayout& layout)
      : bytes_(bytes), layout_(layout) {}

  int32_t Count() const { return layout_.Count; }
  double DF(int64_t q) const { return bytes_.Int16(Position(layout_.DFBase, q)); }
  double PF(int64_t q) const { return bytes_.Int16(Position(layout_.PFBase, q)); }

  // The samples first..last of both channels, checked once for a loop over all of them: the
  // error the first failing single read would raise.
  void RequireRange(int64_t first, int64_t last) const {
    Position(layout_.DFBase, first);
    bytes_.Int16(Position(layout_.DFBase, last));
    bytes_.Int16(Position(layout_.PFBase, last));
  }
  // Sample q of a range RequireRange accepted.
  int16_t DFIn(int64_t q) const { return bytes_.Int16Unchecked(layout_.DFBase + 2 * q); }
  int16_t PFIn(int64_t q) const { return bytes_.Int16Unchecked(layout_.PFBase + 2 * q); }

 private:
  int64_t Position(int64_t base, int64_t q) const {
    if (q < 1 || q > layout_.Count) throw ErrorText(errors::kSubscriptOutOfRange);
    return base + 2 * q;
  }

  const ByteReader& bytes_;
  SampleLayout layout_;
};

bool GainInRange(double gain) {
  return gain >= kMinGain && gain <= kMaxGain;
}

// The header lines into the record and the gains from them, asked for when out of range.
void TakeHeader(Measurement& record, Feedback& feedback, const ByteReader& bytes) {
  std::string header;
  for (int k = 0; k < kHeaderCommentCount; ++k) {
    record.HeaderComments[k] =
        bytes.Text(kHeaderPosition + k * kHeaderLineLength, kHeaderLineLength);
    header += record.HeaderComments[k];
  }
  DisplayGains gains = ParseHeaderGains(header);
  if (!GainInRange(gains.PF) || !GainInRange(gains.DF)) {
    feedback.SetBusy(false);
    const auto answer = feedback.AskGains({gains, record.HeaderComments[1]});
    if (!answer) throw ReadCancelled{};
    feedback.SetBusy(true);
    gains = *answer;
  }
  record.DFAmplification = gains.DF / kDFDisplayFactor;
  record.PFAmplification = gains.PF / kPFDisplayFactor;
}

// Checks the time-step code and the point count and finds where the samples lie.
SampleLayout LocateSamples(const ByteReader& bytes, int16_t type) {
  const double step = bytes.Int16(kTimeStepPosition) / kTimeStepCodeScale;
  if (step <= 0 || step > 1) throw UnreadableFile{};
  int64_t base = kCountPosition;
  int64_t countByte = 0;
  int32_t count = 0;
  if (type == kTypeLongHeader) {
    countByte = bytes.Byte(kCountPosition);
    base = countByte * 4 + kCountPosition + 3;
    count = bytes.Int32(base - 2);
  } else {
    count = bytes.Int16(kCountPosition);
  }
  if (count < 1 || count > kMaxRawPoints) throw UnreadableFile{};
  const int64_t pfBase =
      type == kTypeLongHeader ? base + (2 * int64_t{count} + 4) * countByte : base + 2 * count + 4;
  return SampleLayout{base, pfBase, count};
}

void StorePoint(Measurement& record, int idx, double time, double dfRaw, double pfRaw) {
  At(record.TimeValues, idx) = ToSingle(time);
  At(record.DFValues, idx) = ToSingle(Divide(dfRaw, record.DFAmplification));
  At(record.PFValues, idx) = ToSingle(Divide(pfRaw, record.PFAmplification));
  ComputeSlopes(record, idx);
}

// Whether a raw PF sample lies below kTailRatio of the last stored point, decided as the quotient
// sample / last would decide it but without a division for the samples far from the threshold,
// which are nearly all of them.
class LightOffTest {
 public:
  explicit LightOffTest(float last) : last_(last) {
    if (last == 0) ThrowError(errors::kDivisionByZero);
    // The quotient of a 16-bit sample by a nonzero single is always finite, so it never
    // overflows. Its rounding moves it by far less than this margin.
    constexpr double kMargin = 1e-9;
    const double threshold = kTailRatio * last;
    const double band = std::abs(threshold) * kMargin;
    below_ = threshold - band;
    above_ = threshold + band;
  }
  bool IsOff(int16_t sample) const {
    const double value = sample;
    const bool low = value < below_;
    if (low || value > above_) return low == (last_ > 0);
    return value / last_ < kTailRatio;
  }
  // Whether any sample between lowest and highest is off: the test is monotonic in the sample.
  bool IsOffSomewhere(int16_t lowest, int16_t highest) const {
    return IsOff(last_ > 0 ? lowest : highest);
  }

 private:
  double last_;
  double below_ = 0;
  double above_ = 0;
};

struct GroupPass {
  int Points = 0;
  int64_t TailStart = 0;  // raw position where the tail block starts; 0 without a tail
};

// One point per group of raw samples in the later segments, until the light goes off. A group
// is formed only when it ends inside the recording.
GroupPass ReadGroups(Measurement& record, const RawSamples& raw, Feedback& feedback,
                     int firstPoints) {
  PercentProgress progress(feedback, record.CancelRequested);
  const int64_t count = raw.Count();
  GroupPass pass{firstPoints, 0};
  for (int s = 1; s <= kSegmentCount; ++s) {
    const int64_t size = kGroupSizes[s];
    const int64_t end = s < kSegmentCount ? kSegmentStarts[s + 1] : count;
    for (int64_t r = kSegmentStarts[s]; r <= end - size; r += size) {
      const int64_t last = r + size - 1;
      if (last > count) return pass;
      // The errors come in the order single reads would raise them: the first sample, the
      // division by the last point, the rest of the group.
      raw.RequireRange(r, r);
      const LightOffTest lightOff(At(record.PFValues, pass.Points));
      raw.RequireRange(r, last);
      // Sums of 16-bit samples are exact in integers, as they were in doubles.
      int64_t dfSum = 0;
      int64_t pfSum = 0;
      int16_t lowest = raw.PFIn(r);
      int16_t highest = lowest;
      for (int64_t q = r; q <= last; ++q) {
        dfSum += raw.DFIn(q);
        const int16_t pf = raw.PFIn(q);
        pfSum += pf;
        lowest = std::min(lowest, pf);
        highest = std::max(highest, pf);
      }
      if (lightOff.IsOffSomewhere(lowest, highest)) {
        int64_t q = r;
        while (!lightOff.IsOff(raw.PFIn(q))) ++q;
        pass.TailStart = q - 2;
        return pass;
      }
      ++pass.Points;
      const double time = (static_cast<double>(r) + static_cast<double>(size) / 2) * kTimeStep;
      StorePoint(record, pass.Points, time, static_cast<double>(dfSum) / size,
                 static_cast<double>(pfSum) / size);
      if (progress.Step(static_cast<double>(last), static_cast<double>(count)))
        throw ReadCancelled{};
    }
  }
  return pass;
}

void StoreTail(Measurement& record, const RawSamples& raw, int64_t tailStart) {
  const int64_t count = raw.Count();
  const auto size = static_cast<size_t>(count - tailStart + 2);
  record.DecayTimes.assign(size, 0.0f);
  record.DecayValues.assign(size, 0.0f);
  for (int64_t j = tailStart; j <= count; ++j) {
    At(record.DecayTimes, j - tailStart + 1) = ToSingle(static_cast<double>(j) * kTimeStep);
    At(record.DecayValues, j - tailStart + 1) = ToSingle(Divide(raw.DF(j), record.DFAmplification));
  }
}

// The first PF sample is distorted by the shutter; extrapolate it from the next two points.
void RepairFirstPoint(Measurement& record, Feedback& feedback) {
  auto& pf = record.PFValues;
  const double pf1 = At(pf, 1);
  const double pf2 = At(pf, 2);
  const double pf3 = At(pf, 3);
  if (pf2 > 0) {
    At(pf, 1) = ToSingle(pf2 + pf1 - Divide(pf1 * pf3, pf2));
  } else {
    feedback.ShowMessage(kCorruptedFileText, MessageIcon::Exclamation);
    At(pf, 1) = 0;
  }
  At(record.DFValues, 1) = 0;
}

void ReadCurves(Measurement& record, Feedback& feedback, const RawSamples& raw) {
  const int32_t count = raw.Count();
  SizeCurveArrays(record, count);
  const int firstPoints = static_cast<int>(kSegmentStarts[1]) - 1;
  for (int i = 1; i <= firstPoints; ++i) StorePoint(record, i, i * kTimeStep, raw.DF(i), raw.PF(i));
  const GroupPass pass = ReadGroups(record, raw, feedback, firstPoints);
  record.PointCount = pass.Points;
  if (pass.TailStart > 0) StoreTail(record, raw, pass.TailStart);
  At(record.DFSlope, 1) = 0;
  At(record.PFSlope, 1) = 0;
  RepairFirstPoint(record, feedback);
  PrepareCurves(record);
}

// The last byte a temperature curve with the end temperature at kLastTemperaturePosition uses.
int64_t TemperatureCurveEnd(const ByteReader& head) {
  const int64_t last = std::max<int64_t>(head.Int16(kLastTemperaturePosition), 0);
  return 2 * last + kTemperaturePFOffset + 1;
}

// Reads the header part of the file first and then only as far as the recording it describes
// reaches: bytes after the samples are never read, however many there are.
ReadOutcome ReadRecording(Session& session, Feedback& feedback, InputFile& file) {
  Measurement& record = session.Record;
  std::string bytes;
  file.ReadUpTo(bytes, kHeaderBytes);
  const ByteReader head(bytes);
  if (head.Int16(kMagicPosition) != kMagic) throw UnreadableFile{};
  record.FileTypeCode = head.Int16(kTypePosition);
  const int16_t type = record.FileTypeCode;
  if (type != kTypeInduction && type != kTypeTemperature && type != kTypeLongHeader)
    throw UnreadableFile{};
  TakeHeader(record, feedback, head);
  if (type == kTypeTemperature) {
    file.ReadUpTo(bytes, static_cast<size_t>(TemperatureCurveEnd(head)));
    return ExportTemperatureCurve(session, feedback, bytes);
  }
  const SampleLayout layout = LocateSamples(head, type);
  file.ReadUpTo(bytes, static_cast<size_t>(layout.End()));
  const ByteReader whole(bytes);
  ReadCurves(record, feedback, RawSamples(whole, layout));
  return ReadOutcome::Loaded;
}

double GainFromText(const std::string& text) {
  const size_t star = text.find('*');
  if (star == std::string::npos) return 0;
  return Val(std::string_view(text).substr(star + 1)) * Val(std::string_view(text).substr(0, star));
}

void StoreTemperature(Measurement& record, const ByteReader& reader, int i, int last) {
  const int16_t df = reader.Int16(i + kTemperatureDFOffset);
  const int16_t pf = reader.Int16(i + last + kTemperaturePFOffset);
  At(record.DFValues, i) = ToSingle(Divide(df, record.DFAmplification));
  At(record.PFValues, i) = ToSingle(Divide(pf, record.PFAmplification));
  At(record.TimeValues, i) = static_cast<float>(i);
}

ReadOutcome WriteTemperatureCurve(Session& session, Feedback& feedback, const std::string& bytes) {
  Measurement& record = session.Record;
  const ByteReader reader(bytes);
  const int first = reader.Int16(kFirstTemperaturePosition);
  const int last = reader.Int16(kLastTemperaturePosition);
  if (reader.Int16(kTemperatureCheckPosition) != last) throw UnreadableFile{};
  if (last < 0) throw ErrorText(errors::kSubscriptOutOfRange);
  for (auto* values : {&record.TimeValues, &record.DFValues, &record.PFValues})
    values->assign(static_cast<size_t>(last) + 1, 0.0f);
  for (int i = first; i <= last - 1; ++i) StoreTemperature(record, reader, i, last);

  const std::string& path = record.CurrentFilePath;
  const std::string target = DropLast(path, 4) + "." + LastChars(SiblingPath(path, "asc"), 3);
  const bool written = WriteAsciiFile(feedback, target, record.TimeValues, record.PFValues,
                                      record.DFValues, first, last - 1);
  if (!written) {
    ResetState(session);
    return ReadOutcome::Failed;
  }
  if (record.CancelRequested) throw ReadCancelled{};
  feedback.ShowMessage(std::string(kTemperatureTitle) + " " + std::to_string(first) + "°C -" + " " +
                           std::to_string(last) + "°C was saved to file" + "\n" + target + ".",
                       MessageIcon::Information, kTemperatureTitle);
  // The curve is exported, not loaded.
  ResetState(session);
  return ReadOutcome::Exported;
}

}  // namespace

DisplayGains ParseHeaderGains(const std::string& header) {
  const std::string upper = ToUpper(header);
  std::string dfText;
  std::string pfText;
  for (size_t p = upper.find("DF"); p != std::string::npos; p = upper.find("DF", p + 1)) {
    const size_t q = upper.find('F', p + 2);
    if (q == std::string::npos) continue;
    dfText = upper.substr(p + 2, q - p - 2);
    pfText = upper.substr(q + 1);
  }
  return DisplayGains{GainFromText(pfText), GainFromText(dfText)};
}

ReadOutcome ReadInstrumentFile(Session& session, Feedback& feedback, const std::string& path) {
  // The busy scope ends inside, so the progress window is gone before a failure is reported.
  return RunReader(
      session, feedback,
      [&] {
        BusyScope busy(feedback);
        session.Record.BytesRead = 0;
        InputFile file(path, session.Record.BytesRead);
        return ReadRecording(session, feedback, file);
      },
      kReaderErrorPrefix);
}

ReadOutcome ExportTemperatureCurve(Session& session, Feedback& feedback, const std::string& bytes) {
  return RunReader(
      session, feedback, [&] { return WriteTemperatureCurve(session, feedback, bytes); },
      kReaderErrorPrefix);
}

}  // namespace tolmek
