// The chart's drawing surface on a QPainter of any paint device: the chart window, off-screen
// images and vector figures.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPointF>

#include "chart/DrawingSurface.h"
#include "chart/WorldMap.h"

class QPainter;

namespace tolmek {

class QtSurface : public DrawingSurface {
 public:
  // The painter draws on a device of width x height logical pixels (the device's own pixel ratio
  // takes it to device pixels, so the picture is crisp on high-density screens).
  QtSurface(QPainter& painter, double width, double height);

  double Width() const override { return world_.Width; }
  double Height() const override { return world_.Height; }
  void Clear() override;
  void SetWorld(double left, double top, double right, double bottom) override;
  void SetPenWidth(int pixels) override { penWidth_ = pixels; }
  void SetDotted(bool dotted) override { dotted_ = dotted; }
  void Line(double x1, double y1, double x2, double y2, Colour colour) override;
  void Polyline(const std::vector<WorldPoint>& points, Colour colour) override;
  void Dot(double x, double y, Colour colour) override;
  void SetTextPosition(double x, double y) override;
  void SetTextX(double x) override { textX_ = x; }
  void SetTextColour(Colour colour) override;
  void SetTextBold(bool bold) override;
  void Print(const std::string& text) override;
  PixelBox TextBounds(const std::string& text) const override;
  double TextHeight() const override;

 private:
  // Logical pixel of a world position; false when the position cannot be drawn.
  bool Map(double x, double y, QPointF& pixel) const;
  QFontMetricsF Metrics() const;

  QPainter& painter_;
  WorldMap world_;
  int penWidth_ = 1;
  bool dotted_ = false;
  double textX_ = 0;
  double textY_ = 0;
  QColor textColour_ = Qt::black;
  QFont font_;
};

}  // namespace tolmek
