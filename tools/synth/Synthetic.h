// Realistic synthetic measurements for examples, tests and benchmarks: induction curves on a time
// base that is dense at first and sparse later, written in every format the program reads.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tolmek::synth {

// Curves indexed like the measurement record: points 1..N, index 0 holds 0.
struct Curves {
  std::vector<float> Time;
  std::vector<float> PF;
  std::vector<float> DF;
  int Count() const { return static_cast<int>(Time.size()) - 1; }
};

struct CurveOptions {
  uint32_t Seed = 1;
  int Points = 300;          // N
  double FirstTime = 0.011;  // time of point 1, ms
  double Noise = 0.004;      // relative noise of both curves
  double Fo = 400;           // PF level at the start
  double Fm = 1800;          // main maximum of PF
  int DFWaves = 4;           // waves of the DF curve
  double DFLevel = 900;      // highest DF wave
};

// A time base of count points that grows like the instrument's: steps of firstTime for the first
// 19 points, then the centres of groups of 3, 11, 55 and 200 such steps. Strictly increasing.
std::vector<float> TimeBase(int count, double firstTime = 0.011);

// PF: a first rise to Fi, a dip Fd, the main maximum Fm and a slow fall to Fs. DF: several waves.
// The same seed gives the same curves.
Curves MakeInductionCurves(const CurveOptions& options);

enum class NativeLayout { Tolmek13, Tolmek12, Tolmek32, Unversioned };

struct NativeHeader {
  std::array<std::string, 5> Comments{};
  std::string Information = "Unknown";  // line 2 of versions 12 and 13
  std::array<int16_t, 7> PFPoints{};    // slots 1..6 used (the unversioned layout stores 1,2,3,6)
  std::array<std::array<int16_t, 2>, 7> DFPoints{};  // waves 1..6: I, D
};

// The characteristic points of the curves, as a user would set them: PF Fi, Fd, Fm and Fs, and for
// each DF wave its induction maximum and the decay minimum after it.
NativeHeader MarkPoints(const Curves& curves, int dfWaves);

// The text of a native file in the given layout, CR LF lines.
std::string NativeText(const Curves& curves, NativeLayout layout, const NativeHeader& header);

// The text of an ASCII measurement: time, PF, DF per line in the given separator style. 0 is the
// program's own layout ("0.000" times, two-decimal values, 14-character print zones); 1, 2 and 3
// separate the numbers in general format by commas, TABs or single spaces.
std::string AsciiText(const Curves& curves, int separatorStyle = 0);

// A binary instrument recording (.dat).
struct RecordingOptions {
  uint32_t Seed = 1;
  int16_t Type = 1;              // 1 or 5 (4: see MakeTemperatureRecording)
  int32_t M = 20000;             // raw samples per channel
  std::string DFGain = "10*12";  // gain texts written into header line 2
  std::string PFGain = "2*3";
  int16_t TimeStepCode = 11000;  // accepted when code / 1 000 000 lies in (0, 1]
  uint8_t CountByte = 2;         // type 5: the count c of the longer header
  int32_t LightOffAt = 0;        // raw position where the light goes off (PF falls below a
                                 // fifth); 0 = no tail
  double PFCounts = 3000;        // PF maximum in raw counts
  double DFCounts = 2500;        // DF maximum in raw counts
  std::array<std::string, 5> HeaderLines{};  // when line 2 is empty it is made from the gains
};

// The bytes of a recording of type 1 or 5.
std::string MakeRecording(const RecordingOptions& options);

// The bytes of a temperature recording (type 4) of temperatures from..to-1. The 16-bit values at
// byte positions 120 and 121 share a byte, so from must be below 256 and to a multiple of 256;
// from is at least 1, as the sample of temperature 0 would overlap the check value.
std::string MakeTemperatureRecording(uint32_t seed, int from, int to,
                                     const std::string& dfGain = "10*12",
                                     const std::string& pfGain = "2*3");

}  // namespace tolmek::synth
