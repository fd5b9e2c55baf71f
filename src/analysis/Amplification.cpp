#include "Amplification.h"

#include <vector>

#include "data/Errors.h"
#include "data/Measurement.h"
#include "data/NumberText.h"

namespace tolmek {

namespace {

// Display units are the internal gains times these factors.
constexpr double kPFDisplayFactor = 6;
constexpr double kDFDisplayFactor = 120;

bool InRange(double value) {
  return value > 0 && value <= kMaxDisplayGain;
}

// Points 1..PointCount of the curve times oldGain / newGain, as 32-bit floats. Index 0 stays.
std::vector<float> Rescaled(const std::vector<float>& values, int pointCount, double oldGain,
                            double newGain) {
  std::vector<float> scaled = values;
  for (int i = 1; i <= pointCount; ++i)
    At(scaled, i) = ToSingle(static_cast<double>(At(values, i)) * oldGain / newGain);
  return scaled;
}

}  // namespace

DisplayGains CurrentDisplayGains(const Measurement& record) {
  return {record.PFAmplification * kPFDisplayFactor, record.DFAmplification * kDFDisplayFactor};
}

bool GainsInRange(const DisplayGains& gains) {
  return InRange(gains.PF) && InRange(gains.DF);
}

std::optional<DisplayGains> ParseGainEntry(const std::string& pfText, const std::string& dfText) {
  const DisplayGains gains{Val(pfText), Val(dfText)};
  if (!GainsInRange(gains)) return std::nullopt;
  return gains;
}

void ChangeAmplification(Session& session, const std::optional<DisplayGains>& newGains) {
  if (!newGains) return;
  // The work is done on a copy, so a value that does not fit a float (or a record too short for
  // the point search) leaves the measurement exactly as it was.
  Measurement changed = session.Record;
  const double newPF = newGains->PF / kPFDisplayFactor;
  const double newDF = newGains->DF / kDFDisplayFactor;
  changed.PFValues = Rescaled(changed.PFValues, changed.PointCount, changed.PFAmplification, newPF);
  changed.DFValues = Rescaled(changed.DFValues, changed.PointCount, changed.DFAmplification, newDF);
  changed.PFAmplification = newPF;
  changed.DFAmplification = newDF;
  PrepareCurves(changed);
  session.Record = std::move(changed);
}

}  // namespace tolmek
