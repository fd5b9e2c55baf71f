// The binary instrument recordings: types 1 and 5 (induction with an optional light-off tail) and
// type 4 (temperature curve).
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "synth/SynthModel.h"
#include "synth/Synthetic.h"

namespace tolmek::synth {

namespace {

constexpr int16_t kMagic = 3310;
constexpr int kTypePosition = 3;
constexpr std::array<int, 5> kHeaderLinePositions = {5, 45, 85, 125, 165};
constexpr size_t kHeaderLineLength = 40;
constexpr int kTimeStepPosition = 213;
constexpr int kCountPosition = 255;
constexpr int32_t kLargestM = 1000000;

constexpr double kRecordingNoise = 0.006;
constexpr double kStartShare = 0.22;   // PF at the start, share of its maximum
constexpr double kTailPFShare = 0.06;  // PF once the light is off, share of the level before
// DF after the light goes off: a fast and a slow decay (ms) and the share of the fast one.
constexpr double kTailDFFast = 3.0;
constexpr double kTailDFSlow = 40.0;
constexpr double kTailDFFastShare = 0.7;
constexpr int kDFWaves = 4;

// Temperature curve: where the first and last temperature and the check value sit.
constexpr int kFromPosition = 120;
constexpr int kCheckPosition = 128;
constexpr int kTemperatureSamplesAt = 129;

// Bytes addressed by 1-based positions, little-endian, as the format is described.
class ByteImage {
 public:
  explicit ByteImage(long long length) : bytes_(static_cast<size_t>(length), '\0') {}

  void Put8(long long position, unsigned value) {
    if (position < 1 || position > static_cast<long long>(bytes_.size()))
      throw std::logic_error("byte position outside the recording");
    bytes_[static_cast<size_t>(position - 1)] = static_cast<char>(value & 0xFF);
  }
  void Put16(long long position, int value) {
    const auto bits = static_cast<uint16_t>(value);
    Put8(position, bits);
    Put8(position + 1, bits >> 8);
  }
  void Put32(long long position, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) Put8(position + i, bits >> (8 * i));
  }
  void PutText(long long position, const std::string& text, size_t width) {
    for (size_t i = 0; i < width; ++i) Put8(position + i, i < text.size() ? text[i] : ' ');
  }
  std::string Take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

void PutHeader(ByteImage& image, int16_t type, std::array<std::string, 5> lines,
               const std::string& dfGain, const std::string& pfGain) {
  image.Put16(1, kMagic);
  image.Put16(kTypePosition, type);
  if (lines[1].empty()) lines[1] = "DF " + dfGain + "  PF " + pfGain;
  for (size_t k = 0; k < lines.size(); ++k)
    image.PutText(kHeaderLinePositions[k], lines[k], kHeaderLineLength);
}

int16_t ToCount(double value) {
  return static_cast<int16_t>(std::clamp(std::round(value), 0.0, 32767.0));
}

struct RawChannels {
  std::vector<int16_t> DF;  // raw positions 1..M
  std::vector<int16_t> PF;
};

// Raw counts of an induction; from the light-off position on, PF falls to a small share of its
// level and DF decays.
RawChannels MakeRawCounts(const RecordingOptions& options, int32_t m) {
  RawChannels raw{std::vector<int16_t>(m + 1, 0), std::vector<int16_t>(m + 1, 0)};
  NoiseSource noise(options.Seed);
  const bool hasTail = options.LightOffAt > 0 && options.LightOffAt <= m;
  const int32_t inductionEnd = hasTail ? options.LightOffAt : m;
  const DFShape waves(20 * kRawStep, std::max(inductionEnd, 20) * kRawStep, kDFWaves);
  auto pfLevel = [&](double t) {
    return options.PFCounts * (kStartShare + (1 - kStartShare) * PFShape(t));
  };
  const double offTime = inductionEnd * kRawStep;
  for (int32_t q = 1; q <= m; ++q) {
    const double t = q * kRawStep;
    double pf = pfLevel(t);
    double df = options.DFCounts * waves(t);
    if (hasTail && q >= options.LightOffAt) {
      pf = kTailPFShare * pfLevel(offTime);
      const double dark = t - offTime;
      df = options.DFCounts * waves(offTime) *
           (kTailDFFastShare * std::exp(-dark / kTailDFFast) +
            (1 - kTailDFFastShare) * std::exp(-dark / kTailDFSlow));
    }
    raw.PF[q] = ToCount(pf * (1 + kRecordingNoise * noise.Normal()));
    raw.DF[q] = ToCount(df * (1 + kRecordingNoise * noise.Normal()));
  }
  return raw;
}

// A plausible byte for the overlapping 16-bit reads of a temperature curve. Bytes that read as
// "D" or "d" are avoided: the header scan for the gain label would meet them.
uint8_t TemperatureByte(double value) {
  int byte = static_cast<int>(std::clamp(std::round(value), 1.0, 127.0));
  if (byte == 'D' || byte == 'd') ++byte;
  return static_cast<uint8_t>(byte);
}

}  // namespace

std::string MakeRecording(const RecordingOptions& options) {
  if (options.Type != 1 && options.Type != 5)
    throw std::invalid_argument("recording type must be 1 or 5");
  if (options.M > kLargestM) throw std::invalid_argument("M is too large");
  if (options.Type == 1 && options.M > 32767)
    throw std::invalid_argument("type 1 stores M in 16 bits (at most 32767)");
  if (options.Type == 5 && options.CountByte == 0)
    throw std::invalid_argument("type 5 needs a count byte of at least 1");

  const int32_t m = std::max<int32_t>(options.M, 0);
  const long long c = options.CountByte;
  const long long base = options.Type == 1 ? kCountPosition : c * 4 + kCountPosition + 3;
  const long long pfStart = options.Type == 1 ? base + 2LL * m + 4 : base + (2LL * m + 4) * c;
  const long long minimumLength = options.Type == 1 ? kCountPosition + 1 : base + 1;
  ByteImage image(m > 0 ? pfStart + 2LL * m + 1 : minimumLength);

  PutHeader(image, options.Type, options.HeaderLines, options.DFGain, options.PFGain);
  image.Put16(kTimeStepPosition, options.TimeStepCode);
  if (options.Type == 1) {
    image.Put16(kCountPosition, static_cast<int16_t>(options.M));
  } else {
    image.Put8(kCountPosition, options.CountByte);
    image.Put32(base - 2, options.M);
  }
  const RawChannels raw = MakeRawCounts(options, m);
  for (int32_t i = 1; i <= m; ++i) {
    image.Put16(base + 2LL * i, raw.DF[i]);
    image.Put16(pfStart + 2LL * i, raw.PF[i]);
  }
  return image.Take();
}

std::string MakeTemperatureRecording(uint32_t seed, int from, int to, const std::string& dfGain,
                                     const std::string& pfGain) {
  if (from < 1 || from > 255) throw std::invalid_argument("the first temperature must be 1..255");
  if (to < 256 || to > 32512 || to % 256 != 0)
    throw std::invalid_argument("the end temperature must be a multiple of 256 up to 32512");
  const int b = to;
  ByteImage image(2LL * b + kTemperatureSamplesAt + 1);
  PutHeader(image, 4, {"Synthetic temperature curve", "", "Seed " + std::to_string(seed), "", ""},
            dfGain, pfGain);
  // The 16-bit reads at 120 and 121 overlap: a = from + 256 * x and b = x + 256 * y, so x = 0.
  image.Put8(kFromPosition, static_cast<unsigned>(from));
  image.Put8(kFromPosition + 1, 0);
  image.Put8(kFromPosition + 2, static_cast<unsigned>(b / 256));
  image.Put16(kCheckPosition, b);

  // Consecutive 16-bit reads share a byte, so each curve is a run of bytes, one per degree.
  NoiseSource noise(seed);
  for (int t = from; t <= b; ++t) {
    const double df = 12 + 95 * std::exp(-std::pow((t - 38) / 11.0, 2)) + 0.7 * noise.Normal();
    const double pf = 30 + 75 * std::exp(-std::pow((t - 52) / 7.0, 2)) + 0.7 * noise.Normal();
    image.Put8(t + kTemperatureSamplesAt, TemperatureByte(df));
    image.Put8(t + b + kTemperatureSamplesAt + 1, TemperatureByte(pf));
  }
  return image.Take();
}

}  // namespace tolmek::synth
