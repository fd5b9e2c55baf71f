// Two small hand-made measurements whose results were worked out by hand: the same PF curve (Fo
// 100, Fi at point 3, Fd at 6, Fm 400 at point 10, Fs 250 at point 15) as an ASCII table with no
// DF peaks, and as a native file whose wave 1 runs from I at point 10 to D at point 16.
#pragma once

#include <string>

namespace tolmek::test {

inline constexpr int kPF[16] = {100, 110, 150, 140, 145, 130, 160, 170,
                                300, 400, 380, 350, 320, 300, 250, 200};
inline constexpr int kAsciiDF[16] = {10, 20,  30, 40, 50, 60, 70, 80,
                                     90, 100, 90, 80, 70, 60, 50, 40};
inline constexpr int kNativeDF[16] = {10, 20,  40, 50, 60, 70, 80, 90,
                                      95, 100, 90, 60, 55, 50, 45, 40};

// Times 1..16, comma-separated, CR LF lines.
inline std::string PointLines(const int (&df)[16]) {
  std::string lines;
  for (int i = 0; i < 16; ++i)
    lines +=
        std::to_string(i + 1) + "," + std::to_string(kPF[i]) + "," + std::to_string(df[i]) + "\r\n";
  return lines;
}

inline std::string AsciiMeasurement() {
  return PointLines(kAsciiDF);
}

// Exactly as the native writer writes it, so an in-place rewrite leaves it unchanged.
inline std::string NativeMeasurement() {
  return "\"TOLMEK13\"\r\n\"Unknown\"\r\n\"c1\"\r\n\"c2\"\r\n\"c3\"\r\n\"c4\"\r\n\"c5\"\r\n16\r\n" +
         PointLines(kNativeDF) + "3,6,10,0,0,15\r\n10,16\r\n0,0\r\n0,0\r\n0,0\r\n0,0\r\n0,0\r\n";
}

// Time falls from the second line on: the ASCII reader rejects it.
inline std::string DecreasingTimes() {
  return "2,100,10\r\n1,110,20\r\n3,120,30\r\n";
}

}  // namespace tolmek::test
