#include "synth/SynthModel.h"

#include <algorithm>
#include <cmath>

namespace tolmek::synth {

namespace {

// Fast component: rise and fall of the first hump (time constants in ms).
constexpr double kHumpRise = 0.022;
constexpr double kHumpFall = 0.25;
constexpr double kHumpWeight = 0.35;
// Intermediate step that keeps the dip above the start level.
constexpr double kStepTime = 2.0;
constexpr double kStepWeight = 0.12;
// Main rise to the maximum and the slow fall towards the steady state.
constexpr double kMainRise = 8.0;
constexpr double kMainFall = 150.0;
constexpr double kSteadyShare = 0.55;

// Grid on which the maxima are found for normalising.
constexpr int kGridSamples = 600;

double PFUnscaled(double t) {
  const double hump = (1 - std::exp(-t / kHumpRise)) * std::exp(-t / kHumpFall);
  const double step = 1 - std::exp(-t / kStepTime);
  const double rise = 1 - std::exp(-t / kMainRise);
  const double main = rise * rise * (kSteadyShare + (1 - kSteadyShare) * std::exp(-t / kMainFall));
  return kHumpWeight * hump + kStepWeight * step + main;
}

// The largest value of f on a logarithmic grid from 10^low to 10^high.
template <typename F>
double GridMaximum(F f, double low, double high) {
  double best = 0;
  for (int i = 0; i <= kGridSamples; ++i)
    best = std::max(best, f(std::pow(10.0, low + (high - low) * i / kGridSamples)));
  return best;
}

}  // namespace

double NoiseSource::Normal() {
  double sum = 0;
  for (int i = 0; i < 12; ++i) sum += Uniform();
  return sum - 6;
}

double PFShape(double timeMs) {
  static const double maximum = GridMaximum(PFUnscaled, -3, 5);
  return timeMs <= 0 ? 0 : PFUnscaled(timeMs) / maximum;
}

DFShape::DFShape(double firstTime, double lastTime, int waves) : waves_(std::clamp(waves, 1, 6)) {
  low_ = std::log10(std::max(firstTime, 1e-6));
  const double high = std::log10(std::max(lastTime, firstTime));
  spacing_ = std::max((high - low_) / waves_, 0.1);
  scale_ = GridMaximum([this](double t) { return Raw(t); }, low_, low_ + spacing_ * waves_);
}

double DFShape::operator()(double timeMs) const {
  return Raw(timeMs) / scale_;
}

double DFShape::Raw(double timeMs) const {
  if (timeMs <= 0) return 0;
  const double x = std::log10(timeMs);
  const double width = 0.28 * spacing_;
  // A low level that builds up at once, and waves that get smaller the later they come.
  double value = 0.08 * (1 - std::exp(-timeMs / 0.05));
  for (int k = 0; k < waves_; ++k) {
    const double centre = low_ + spacing_ * (k + 0.5);
    const double z = (x - centre) / width;
    value += (1 - 0.12 * k) * std::exp(-0.5 * z * z);
  }
  return value;
}

}  // namespace tolmek::synth
