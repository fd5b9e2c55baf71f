// The linear map between the world rectangle of a drawing (y growing upwards) and its picture of
// Width x Height pixels (origin top left, y growing downwards). The window, the painting and the
// tests all convert with it, so a position means the same pixel everywhere.
#pragma once

namespace tolmek {

struct PixelPoint {
  double X = 0;
  double Y = 0;
};

struct WorldPoint {
  double X = 0;
  double Y = 0;
};

struct WorldMap {
  double Left = 0;
  double Top = 1;
  double Right = 1;
  double Bottom = 0;
  double Width = 1;
  double Height = 1;

  // The pixel of a world position (not finite for an empty world).
  PixelPoint Map(double x, double y) const {
    return {(x - Left) / (Right - Left) * Width, (Top - y) / (Top - Bottom) * Height};
  }
  // The world position of a pixel.
  WorldPoint Inverse(double pixelX, double pixelY) const {
    return {Left + pixelX / Width * (Right - Left), Top - pixelY / Height * (Top - Bottom)};
  }
  // The world extent of a horizontal or vertical distance in pixels.
  double InverseWidth(double pixels) const { return pixels * (Right - Left) / Width; }
  double InverseHeight(double pixels) const { return pixels * (Top - Bottom) / Height; }
};

}  // namespace tolmek
