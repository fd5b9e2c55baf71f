#include "data/NumberText.h"

#include <gtest/gtest.h>

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

TEST(PrintZones, StartsEachColumnAtTheNextZoneAfterTheTextBefore) {
  EXPECT_EQ(PrintZones({"a", "b"}), "a" + std::string(13, ' ') + "b");
  EXPECT_EQ(PrintZones({"1234567890123", "b"}), "1234567890123 b");
  EXPECT_EQ(PrintZones({"12345678901234", "b"}), "12345678901234" + std::string(14, ' ') + "b");
  EXPECT_EQ(PrintZones({"", "b"}), std::string(14, ' ') + "b");
  EXPECT_EQ(PrintZones({"x"}), "x");
}

}  // namespace
}  // namespace tolmek
