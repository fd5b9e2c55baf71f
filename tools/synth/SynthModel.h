// The shapes behind the synthetic measurements: PF and DF induction as functions of time, and a
// noise source whose output is the same with every standard library.
#pragma once

#include <cstdint>
#include <random>

namespace tolmek::synth {

// Raw sample step of the instrument, ms.
constexpr double kRawStep = 0.011;

// Draws from the Mersenne twister (whose sequence the standard fixes) with our own arithmetic,
// since the standard distributions differ between libraries.
class NoiseSource {
 public:
  explicit NoiseSource(uint32_t seed) : engine_(seed) {}
  // Uniform in (0, 1).
  double Uniform() { return (static_cast<double>(engine_()) + 0.5) / 4294967296.0; }
  // Approximately standard normal: the sum of twelve uniforms less six.
  double Normal();

 private:
  std::mt19937 engine_;
};

// PF induction between 0 (the level at the start) and 1 (the main maximum): a first hump Fi
// after about 0.055 ms, a dip, the main rise to a maximum near 38 ms and a slow fall.
double PFShape(double timeMs);

// DF induction between 0 and 1: waves evenly spaced on a logarithmic time axis between
// firstTime and lastTime, each a rise to a maximum and a fall into a minimum before the next.
class DFShape {
 public:
  DFShape(double firstTime, double lastTime, int waves);
  double operator()(double timeMs) const;

  int Waves() const { return waves_; }
  // The window of wave k (0-based) on the log10 time axis.
  double WaveStart(int k) const { return low_ + spacing_ * k; }
  double WaveEnd(int k) const { return low_ + spacing_ * (k + 1); }

 private:
  double Raw(double timeMs) const;

  double low_ = 0;
  double spacing_ = 1;
  int waves_ = 1;
  double scale_ = 1;
};

}  // namespace tolmek::synth
