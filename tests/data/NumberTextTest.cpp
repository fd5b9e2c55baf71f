#include "data/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace tolmek {
namespace {

TEST(FormatDecimals, RoundsHalfAwayFromZeroInFullWithOneIntegerDigitAndNoNegativeZero) {
  EXPECT_EQ(FormatDecimals(0.125, 2), "0.13");
  EXPECT_EQ(FormatDecimals(-0.125, 2), "-0.13");
  EXPECT_EQ(FormatDecimals(2.5, 0), "3");
  EXPECT_EQ(FormatDecimals(0.0005, 3), "0.001");
  EXPECT_EQ(FormatDecimals(9.995, 2), "9.99");  // 9.995 is stored just below the half
  EXPECT_EQ(FormatDecimals(99.996, 2), "100.00");
  EXPECT_EQ(FormatDecimals(0.5, 3), "0.500");
  EXPECT_EQ(FormatDecimals(-0.004, 2), "0.00");
  EXPECT_EQ(FormatDecimals(-0.0, 1), "0.0");
  EXPECT_EQ(FormatFixed(-12.345), "-12.35");
  EXPECT_EQ(FormatDecimals(1234567.891, 2), "1234567.89");
  EXPECT_EQ(FormatDecimals(1e15, 2), "1000000000000000.00");
  EXPECT_EQ(FormatDecimals(3.4e38, 0).size(), 39u);
}

TEST(FormatGeneral, UsesSevenSignificantDigitsAndExponentsAtTheExtremes) {
  EXPECT_EQ(FormatGeneral(0), "0");
  EXPECT_EQ(FormatGeneral(1800), "1800");
  EXPECT_EQ(FormatGeneral(-2.5), "-2.5");
  EXPECT_EQ(FormatGeneral(0.011), "0.011");
  EXPECT_EQ(FormatGeneral(1.0 / 3), "0.3333333");
  EXPECT_EQ(FormatGeneral(1234567), "1234567");
  EXPECT_EQ(FormatGeneral(12345678), "1.234568E+07");
  EXPECT_EQ(FormatGeneral(1.5e-7), "1.5E-07");
}

TEST(Val, ReadsTheLeadingNumberAndGivesZeroForNone) {
  EXPECT_EQ(Val("  12.5abc"), 12.5);
  EXPECT_EQ(Val("\t7"), 7);
  EXPECT_EQ(Val("-.5"), -0.5);
  EXPECT_EQ(Val("1e3x"), 1000);
  EXPECT_EQ(Val("1,5"), 1);
  EXPECT_EQ(Val("2e"), 2);
  EXPECT_EQ(Val("abc"), 0);
  EXPECT_EQ(Val(""), 0);
}

TEST(ParseNumber, AcceptsOnlyAWholeNumberText) {
  EXPECT_EQ(ParseNumber(" 1.5 "), 1.5);
  EXPECT_EQ(ParseNumber(".5"), 0.5);
  EXPECT_EQ(ParseNumber("5."), 5);
  EXPECT_EQ(ParseNumber("+2"), 2);
  EXPECT_EQ(ParseNumber("-1.5E-05"), -1.5e-05);
  EXPECT_EQ(ParseNumber("1D2"), 100);
  EXPECT_FALSE(ParseNumber("1.5x"));
  EXPECT_FALSE(ParseNumber("."));
  EXPECT_FALSE(ParseNumber(""));
  EXPECT_FALSE(ParseNumber("1 2"));
}

// What a number text means: the nearest double, read by std::from_chars once the forms it does not
// take itself ("+", "D" exponents, blanks around) are put into its own; beyond the range of doubles
// it is the infinity of the text's sign.
double StandardValue(std::string text) {
  text.erase(0, text.find_first_not_of(" \t"));
  text.erase(text.find_last_not_of(" \t") + 1);
  std::replace(text.begin(), text.end(), 'D', 'e');
  std::replace(text.begin(), text.end(), 'd', 'e');
  if (text.front() == '+') text.erase(0, 1);
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_EQ(end, text.data() + text.size()) << text;
  if (ec == std::errc::result_out_of_range) return text.front() == '-' ? -HUGE_VAL : HUGE_VAL;
  return value;
}

// Equal to the last bit, the sign of zero included.
void ExpectSameDouble(const std::optional<double>& read, double expected, const std::string& text) {
  ASSERT_TRUE(read) << text;
  EXPECT_EQ(std::bit_cast<uint64_t>(*read), std::bit_cast<uint64_t>(expected))
      << "'" << text << "' read as " << *read << ", the nearest double is " << expected;
}

void ExpectReadAsStandard(const std::string& text) {
  ExpectSameDouble(ParseNumber(text), StandardValue(text), text);
}

std::string Chars(double value, std::chars_format format, int precision) {
  std::array<char, 512> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
  return std::string(buffer.data(), result.ptr);
}

// A random finite double: any bit pattern, or a decimal of a few digits as files hold them.
double RandomDouble(std::mt19937_64& random) {
  if (random() % 2 == 0) {
    double value = 0;
    do value = std::bit_cast<double>(random());
    while (!std::isfinite(value));
    return value;
  }
  const auto decimals = static_cast<int>(random() % 8);
  const double value = static_cast<double>(random() % 100000000) / std::pow(10.0, decimals);
  return random() % 2 ? value : -value;
}

TEST(ParseNumber, GivesTheNearestDoubleForEveryFormTheReadersAccept) {
  for (const char* text : {"0",
                           "-0",
                           "-0.0",
                           "+0",
                           "0e5",
                           "-0E-400",
                           ".5",
                           "5.",
                           "-.5",
                           "+.5e+1",
                           "00012.50",
                           "0.000000000000000000000000001",
                           "1e22",
                           "1e23",
                           "-1E-22",
                           "1e-23",
                           "9007199254740992",
                           "9007199254740993",
                           "9007199254740993.0",
                           "18446744073709551615",
                           "123456789012345678901",
                           "1.00000000000000000000000001",
                           "4.9e-324",
                           "2.4e-324",
                           "2.2250738585072014e-308",
                           "1.7976931348623157e308",
                           "1e400",
                           "-1e400",
                           "1e-400",
                           "1d-2",
                           "1D2",
                           "-2.5d+03",
                           "1E0005",
                           "1e00005",
                           " 1.5\t",
                           "\t-7 ",
                           "0.1",
                           "0.3",
                           "1234.5678",
                           "582.10",
                           "1.e5",
                           "-.5E-3",
                           "7.d1",
                           "0.011"})
    ExpectReadAsStandard(text);

  std::mt19937_64 random(20240607);
  for (int n = 0; n < 100000; ++n) {
    const double value = RandomDouble(random);
    std::vector<std::string> texts = {
        Chars(value, std::chars_format::scientific, 16),
        Chars(value, std::chars_format::scientific, static_cast<int>(random() % 20))};
    if (std::fabs(value) < 1e20) {
      texts.push_back(Chars(value, std::chars_format::fixed, static_cast<int>(random() % 25)));
      texts.push_back(Chars(value, std::chars_format::general, 17));
    }
    for (std::string text : texts) {
      // The forms other writers use: an upper-case or "D" exponent, a "+", blanks around.
      const size_t e = text.find('e');
      if (e != std::string::npos && random() % 2) text[e] = "EDd"[random() % 3];
      if (text.front() != '-' && random() % 4 == 0) text.insert(0, "+");
      if (random() % 8 == 0) text = " " + text + "\t";
      ExpectReadAsStandard(text);
    }
  }
}

TEST(AppendShortest, WritesWhatStdToCharsWritesForEveryFloat) {
  auto expectStandard = [](float value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    std::string written;
    AppendShortest(written, value);
    ASSERT_EQ(written, std::string(buffer.data(), result.ptr))
        << "bits " << std::bit_cast<uint32_t>(value);
  };
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  for (float value : {0.0f,
                      -0.0f,
                      1.0f,
                      -1.0f,
                      0.1f,
                      582.1f,
                      0.011f,
                      1e-5f,
                      1e-4f,
                      1e-3f,
                      1e5f,
                      1e6f,
                      1e7f,
                      123456.7f,
                      8388607.5f,
                      8388608.0f,
                      16777216.0f,
                      3.4e38f,
                      1e-45f,
                      1.17549435e-38f,
                      kInfinity,
                      -kInfinity,
                      std::numeric_limits<float>::quiet_NaN()})
    expectStandard(value);
  // The neighbours of every power of two and of ten, where the floats around are unevenly spaced.
  for (int power = -40; power <= 40; ++power) {
    for (const float middle :
         {std::ldexp(1.0f, power), static_cast<float>(std::pow(10.0, power))}) {
      float value = middle;
      for (int step = 0; step < 3; ++step) value = std::nextafter(value, 0.0f);
      for (int step = 0; step < 7; ++step, value = std::nextafter(value, kInfinity)) {
        expectStandard(value);
        expectStandard(-value);
      }
    }
  }
  std::mt19937_64 random(20240607);
  for (int n = 0; n < 300000; ++n) {
    expectStandard(std::bit_cast<float>(static_cast<uint32_t>(random())));
    // Decimals of up to nine digits, as measurements hold them.
    const double decimal = static_cast<double>(random() % 1000000000) /
                           std::pow(10.0, static_cast<double>(random() % 12));
    expectStandard(static_cast<float>(decimal));
  }
}

// The decimals of the exact binary value, rounded half away from zero, worked out digit by digit.
std::string DecimalsOfExactValue(double value, int decimals) {
  std::string text = Chars(std::fabs(value), std::chars_format::fixed, decimals + 60);
  const char firstDropped = text[text.size() - 60];
  text.resize(text.size() - (decimals > 0 ? 60 : 61));
  if (firstDropped >= '5') {
    size_t i = text.size();
    while (i > 0 && (text[i - 1] == '9' || text[i - 1] == '.')) {
      if (text[i - 1] == '9') text[i - 1] = '0';
      --i;
    }
    if (i == 0) {
      text.insert(0, "1");
    } else {
      ++text[i - 1];
    }
  }
  if (value < 0 && text.find_first_not_of("0.") != std::string::npos) text.insert(0, "-");
  return text;
}

TEST(AppendDecimals, RoundsTheExactBinaryValueForRandomDoubles) {
  std::mt19937_64 random(20240607);
  for (int n = 0; n < 100000; ++n) {
    const double value = std::ldexp(static_cast<double>(random() % (uint64_t{1} << 53)),
                                    static_cast<int>(random() % 110) - 120);
    const double signedValue = random() % 2 ? value : -value;
    const auto decimals = static_cast<int>(random() % 4);
    std::string text;
    AppendDecimals(text, signedValue, decimals);
    ASSERT_EQ(text, DecimalsOfExactValue(signedValue, decimals))
        << "bits " << std::bit_cast<uint64_t>(signedValue) << ", " << decimals << " decimals";
  }
  std::string text;
  AppendDecimals(text, 4.9e-324, 3);
  EXPECT_EQ(text, "0.000");
}

TEST(PrintZones, StartsEachColumnAtTheNextZoneAfterTheTextBefore) {
  EXPECT_EQ(PrintZones({"a", "b"}), "a" + std::string(13, ' ') + "b");
  EXPECT_EQ(PrintZones({"1234567890123", "b"}), "1234567890123 b");
  EXPECT_EQ(PrintZones({"12345678901234", "b"}), "12345678901234" + std::string(14, ' ') + "b");
  EXPECT_EQ(PrintZones({"", "b"}), std::string(14, ' ') + "b");
  EXPECT_EQ(PrintZones({"x"}), "x");
}

}  // namespace
}  // namespace tolmek
