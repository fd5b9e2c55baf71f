#include <gtest/gtest.h>

#include "chart/FigureSize.h"

namespace tolmek {
namespace {

TEST(FigureSize, PixelsWholeAndMillimetresAt96DotsPerInch) {
  EXPECT_EQ(ParseFigureSize("1200x700"), (FigureSize{1200, 700}));
  EXPECT_EQ(ParseFigureSize("320X200"), (FigureSize{320, 200}));
  // 25.4 mm is one inch, 96 pixels; 180 mm is 680.3 pixels.
  EXPECT_EQ(ParseFigureSize("25.4x180mm"), (FigureSize{96, 680}));
  EXPECT_EQ(ParseFigureSize("13.3x13.3mm"), (FigureSize{50, 50}));
  for (const char* refused : {"", "1200", "1200x", "x700", "1200.5x700", "49x700", "20001x700",
                              "13x13mm", "1200x700px", "1200 x 700", "nanx700", "axb"})
    EXPECT_FALSE(ParseFigureSize(refused)) << refused;
}

}  // namespace
}  // namespace tolmek
