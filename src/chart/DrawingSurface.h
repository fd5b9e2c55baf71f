// What the chart needs of a picture: world coordinates (y growing upwards), a pen, lines, dots and
// text lines. The window, off-screen images and the tests each implement it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "WorldMap.h"

namespace tolmek {

struct Colour {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  bool operator==(const Colour&) const = default;
};

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kPFColour{0, 0, 255};
constexpr Colour kDFColour{255, 0, 0};

struct PixelBox {
  double Left = 0;
  double Top = 0;
  double Right = 0;
  double Bottom = 0;
};

class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;

  // Size of the drawing area in pixels (logical pixels on high-density screens).
  virtual double Width() const = 0;
  virtual double Height() const = 0;

  virtual void Clear() = 0;
  virtual void SetWorld(double left, double top, double right, double bottom) = 0;
  virtual void SetPenWidth(int pixels) = 0;
  virtual void SetDotted(bool dotted) = 0;
  virtual void Line(double x1, double y1, double x2, double y2, Colour colour) = 0;
  // One line through the points in order (a dotted pen runs on along it). Surfaces that draw a
  // line in one piece faster than its segments one by one override it.
  virtual void Polyline(const std::vector<WorldPoint>& points, Colour colour) {
    for (size_t i = 1; i < points.size(); ++i)
      Line(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y, colour);
  }
  // A square dot as large as the pen width.
  virtual void Dot(double x, double y, Colour colour) = 0;

  // Text is printed with its top-left corner at the text position; afterwards the position is at
  // the start of the next text line: the world's left edge, one line height lower.
  virtual void SetTextPosition(double x, double y) = 0;
  virtual void SetTextX(double x) = 0;
  virtual void SetTextColour(Colour colour) = 0;
  virtual void SetTextBold(bool bold) = 0;
  virtual void Print(const std::string& text) = 0;
  // Where Print in the current font puts the letters of a text: their box in pixels from the
  // text position, x to the right and y downwards. A surface may give the whole line instead.
  virtual PixelBox TextBounds(const std::string& text) const = 0;
  // The height of a text line: the step Print moves down.
  virtual double TextHeight() const = 0;
};

}  // namespace tolmek
