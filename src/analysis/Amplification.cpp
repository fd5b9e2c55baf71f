#include "Amplification.h"

#include <vector>

#include "DFPeaks.h"
#include "PFResults.h"
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

// Points 1..last of the values times oldGain / newGain, as 32-bit floats. Index 0 stays.
void Rescale(std::vector<float>& values, int last, double oldGain, double newGain) {
  for (int i = 1; i <= last; ++i)
    At(values, i) = ToSingle(static_cast<double>(At(values, i)) * oldGain / newGain);
}

int LastIndex(const std::vector<float>& values) {
  return static_cast<int>(values.size()) - 1;
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
  // The work is done on a copy, so a value that does not fit a float leaves the measurement
  // exactly as it was.
  Measurement changed = session.Record;
  const double newPF = newGains->PF / kPFDisplayFactor;
  const double newDF = newGains->DF / kDFDisplayFactor;
  const int n = changed.PointCount;
  const double oldPF = changed.PFAmplification;
  const double oldDF = changed.DFAmplification;
  // The slopes and the recording's tail scale with their curves, so the DF table and the results
  // computed from them describe the rescaled measurement.
  Rescale(changed.PFValues, n, oldPF, newPF);
  Rescale(changed.PFSlope, n, oldPF, newPF);
  Rescale(changed.DFValues, n, oldDF, newDF);
  Rescale(changed.DFSlope, n, oldDF, newDF);
  Rescale(changed.DecayValues, LastIndex(changed.DecayValues), oldDF, newDF);
  changed.PFAmplification = newPF;
  changed.DFAmplification = newDF;
  // Scaling moves no point: the slots the user set stay, only the chart maxima are new.
  FindCurveMaxima(changed);
  session.Record = std::move(changed);
  FillDFPeakTable(session);
  FillPFResultRow(session);
}

}  // namespace tolmek
