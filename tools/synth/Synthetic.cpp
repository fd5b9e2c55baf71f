#include "synth/Synthetic.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>

#include "data/AsciiFile.h"
#include "data/NumberText.h"
#include "data/Session.h"
#include "synth/SynthModel.h"

namespace tolmek::synth {

namespace {

constexpr const char* kLineEnd = "\r\n";

// Raw positions where the instrument's groups change size, and the sizes; the first 19 points
// are single raw steps.
constexpr int kFirstGroupStart = 20;
constexpr std::array<int, 4> kSegmentStarts = {20, 100, 500, 5000};
constexpr std::array<int, 4> kGroupSizes = {3, 11, 55, 200};

// How much replicates of one sample differ from each other.
constexpr double kReplicateSpreadPF = 0.03;
constexpr double kReplicateSpreadDF = 0.05;

float RoundHundredths(double value) {
  return static_cast<float>(std::round(value * 100) / 100);
}

int16_t PointSlot(int index) {
  return index > std::numeric_limits<int16_t>::max() ? 0 : static_cast<int16_t>(index);
}

// The index in from..to whose value beats all others by the comparison; the first among equals.
// 0 when the range is empty.
template <typename Better>
int BestIndex(const std::vector<float>& values, int from, int to, Better better) {
  if (from > to) return 0;
  int best = from;
  for (int i = from + 1; i <= to; ++i)
    if (better(values[i], values[best])) best = i;
  return best;
}

// The DF waves span the time from point 20 (where grouping starts) to the last point.
DFShape WavesOf(const std::vector<float>& time, int count, int waves, double scale) {
  const int first = std::min(count, kFirstGroupStart);
  return DFShape(time[first] * scale, time[count] * scale, waves);
}

void MarkDFWaves(const Curves& curves, int dfWaves, NativeHeader& header) {
  const int n = curves.Count();
  const DFShape waves = WavesOf(curves.Time, n, dfWaves, 1.0);
  auto lastPointUpTo = [&](double logTime) {
    int last = 0;
    for (int i = 1; i <= n && std::log10(curves.Time[i]) <= logTime; ++i) last = i;
    return last;
  };
  for (int k = 0; k < waves.Waves(); ++k) {
    const int from = lastPointUpTo(waves.WaveStart(k)) + 1;
    const int to = lastPointUpTo(waves.WaveEnd(k));
    const int peak = BestIndex(curves.DF, from, to, std::greater<float>());
    if (peak == 0) continue;
    const double halfWave = (waves.WaveEnd(k) - waves.WaveStart(k)) / 2;
    const int dipEnd = std::max(lastPointUpTo(waves.WaveEnd(k) + halfWave), peak);
    header.DFPoints[k + 1] = {
        PointSlot(peak), PointSlot(BestIndex(curves.DF, peak + 1, dipEnd, std::less<float>()))};
  }
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

std::string PointLine(const Curves& curves, int i) {
  return FormatGeneral(curves.Time[i]) + "," + FormatGeneral(curves.PF[i]) + "," +
         FormatGeneral(curves.DF[i]) + kLineEnd;
}

std::string SlotLine(const std::vector<int16_t>& slots) {
  std::string line;
  for (size_t i = 0; i < slots.size(); ++i) line += (i ? "," : "") + std::to_string(slots[i]);
  return line + kLineEnd;
}

}  // namespace

std::vector<float> TimeBase(int count, double firstTime) {
  if (count < 0 || !(firstTime > 0)) throw std::invalid_argument("bad time base");
  std::vector<float> time(static_cast<size_t>(count) + 1, 0.0f);
  int i = 1;
  for (; i <= count && i < kFirstGroupStart; ++i) time[i] = static_cast<float>(i * firstTime);
  size_t segment = 0;
  long long r = kSegmentStarts[0];
  while (i <= count) {
    const int size = kGroupSizes[segment];
    // A group must fit below the next segment; the raw steps left over are not used.
    if (segment + 1 < kSegmentStarts.size() && r + size > kSegmentStarts[segment + 1]) {
      r = kSegmentStarts[++segment];
      continue;
    }
    time[i++] = static_cast<float>((r + size / 2.0) * firstTime);
    r += size;
  }
  return time;
}

Curves MakeInductionCurves(const CurveOptions& options) {
  if (options.Points < 0) throw std::invalid_argument("the point count must not be negative");
  Curves curves;
  curves.Time = TimeBase(options.Points, options.FirstTime);
  const int n = options.Points;
  curves.PF.assign(curves.Time.size(), 0.0f);
  curves.DF.assign(curves.Time.size(), 0.0f);
  if (n == 0) return curves;

  NoiseSource noise(options.Seed);
  const double fo = options.Fo * (1 + kReplicateSpreadPF * noise.Normal());
  const double fm = options.Fm * (1 + kReplicateSpreadPF * noise.Normal());
  const double dfLevel = options.DFLevel * (1 + kReplicateSpreadDF * noise.Normal());
  // The shapes are set on the instrument's time scale; another first time stretches them.
  const double scale = kRawStep / options.FirstTime;
  const DFShape waves = WavesOf(curves.Time, n, options.DFWaves, scale);
  for (int i = 1; i <= n; ++i) {
    const double t = curves.Time[i] * scale;
    const double pf = fo + (fm - fo) * PFShape(t);
    curves.PF[i] = RoundHundredths(pf * (1 + options.Noise * noise.Normal()));
    curves.DF[i] = RoundHundredths(dfLevel * waves(t) * (1 + options.Noise * noise.Normal()));
  }
  return curves;
}

NativeHeader MarkPoints(const Curves& curves, int dfWaves) {
  NativeHeader header;
  const int n = curves.Count();
  if (n < 1) return header;
  const int fi = BestIndex(curves.PF, 1, std::min(n, 10), std::greater<float>());
  const int fm = std::max(BestIndex(curves.PF, 2, n, std::greater<float>()), fi);
  header.PFPoints[kSlotFi] = PointSlot(fi);
  header.PFPoints[kSlotFd] = PointSlot(BestIndex(curves.PF, fi, fm, std::less<float>()));
  header.PFPoints[kSlotFm] = PointSlot(fm);
  header.PFPoints[kSlotFs] = PointSlot(n);
  MarkDFWaves(curves, dfWaves, header);
  return header;
}

std::string NativeText(const Curves& curves, NativeLayout layout, const NativeHeader& header) {
  std::string text;
  text.reserve(64 * curves.Time.size() + 512);
  if (layout == NativeLayout::Tolmek13) text += Quoted("TOLMEK13") + kLineEnd;
  if (layout == NativeLayout::Tolmek12) text += Quoted("TOLMEK12") + kLineEnd;
  if (layout == NativeLayout::Tolmek32) text += Quoted("TOLMEK32") + kLineEnd;
  if (layout == NativeLayout::Tolmek13 || layout == NativeLayout::Tolmek12)
    text += Quoted(header.Information) + kLineEnd;
  for (const std::string& comment : header.Comments) text += Quoted(comment) + kLineEnd;
  text += std::to_string(curves.Count()) + kLineEnd;
  for (int i = 1; i <= curves.Count(); ++i) text += PointLine(curves, i);
  const auto& pf = header.PFPoints;
  if (layout == NativeLayout::Unversioned)
    text += SlotLine({pf[kSlotFi], pf[kSlotFd], pf[kSlotFm], pf[kSlotFs]});
  else
    text +=
        SlotLine({pf[kSlotFi], pf[kSlotFd], pf[kSlotFm], pf[kSlotFm1], pf[kSlotFm2], pf[kSlotFs]});
  for (int k = 1; k <= 6; ++k) text += SlotLine({header.DFPoints[k][0], header.DFPoints[k][1]});
  return text;
}

std::string AsciiText(const Curves& curves, int separatorStyle) {
  static constexpr std::array<const char*, 4> kSeparators = {"", ",", "\t", " "};
  if (separatorStyle < 0 || separatorStyle > 3) throw std::invalid_argument("separator style");
  // The program's own layout: print zones, as its ASCII writer lays them out.
  if (separatorStyle == 0)
    return AsciiFileText(curves.Time, curves.PF, curves.DF, 1, curves.Count(), false);
  const char* separator = kSeparators[separatorStyle];
  std::string text;
  text.reserve(48 * curves.Time.size());
  for (int i = 1; i <= curves.Count(); ++i) {
    text += FormatGeneral(curves.Time[i]) + separator + FormatGeneral(curves.PF[i]) + separator +
            FormatGeneral(curves.DF[i]) + kLineEnd;
  }
  return text;
}

}  // namespace tolmek::synth
