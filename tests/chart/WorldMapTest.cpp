// The map between the world of a drawing and its pixels.
#include <gtest/gtest.h>

#include "chart/WorldMap.h"

namespace tolmek {
namespace {

// A world of x -10..90 and y -25..75 (a margin below the axis) on a picture of 400 x 200 pixels.
constexpr WorldMap kWorld{-10, 75, 90, -25, 400, 200};

TEST(WorldMap, PutsTheTopLeftCornerAtTheOriginAndYGrowsDownwards) {
  const PixelPoint origin = kWorld.Map(-10, 75);
  EXPECT_DOUBLE_EQ(origin.X, 0);
  EXPECT_DOUBLE_EQ(origin.Y, 0);
  const PixelPoint corner = kWorld.Map(90, -25);
  EXPECT_DOUBLE_EQ(corner.X, 400);
  EXPECT_DOUBLE_EQ(corner.Y, 200);
  const PixelPoint axis = kWorld.Map(15, 0);
  EXPECT_DOUBLE_EQ(axis.X, 100);
  EXPECT_DOUBLE_EQ(axis.Y, 150);
}

TEST(WorldMap, InverseUndoesMapForPositionsAndDistances) {
  for (const double x : {-10.0, 0.0, 37.5, 90.0}) {
    for (const double y : {-25.0, 0.0, 12.25, 75.0}) {
      const PixelPoint pixel = kWorld.Map(x, y);
      const WorldPoint back = kWorld.Inverse(pixel.X, pixel.Y);
      EXPECT_NEAR(back.X, x, 1e-12);
      EXPECT_NEAR(back.Y, y, 1e-12);
    }
  }
  // 8 pixels are 2 world units across and 4 upwards; a distance keeps its sign.
  EXPECT_DOUBLE_EQ(kWorld.InverseWidth(8), 2);
  EXPECT_DOUBLE_EQ(kWorld.InverseHeight(8), 4);
  EXPECT_DOUBLE_EQ(kWorld.Map(0, 4).Y - kWorld.Map(0, 0).Y, -8);
  EXPECT_DOUBLE_EQ(kWorld.InverseWidth(-4), -1);
}

}  // namespace
}  // namespace tolmek
