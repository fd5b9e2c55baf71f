#include "QtSurface.h"

#include <QPolygonF>

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <cmath>

namespace tolmek {

namespace {

// Positions far outside the picture are not drawn: the painter's integer geometry would overflow.
constexpr double kFarOutside = 1e6;

QColor ToQColor(Colour colour) {
  return QColor(colour.Red, colour.Green, colour.Blue);
}

}  // namespace

QtSurface::QtSurface(QPainter& painter, double width, double height) : painter_(painter) {
  world_.Width = width;
  world_.Height = height;
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

void QtSurface::Clear() {
  painter_.fillRect(QRectF(0, 0, world_.Width, world_.Height), Qt::white);
}

void QtSurface::SetWorld(double left, double top, double right, double bottom) {
  world_.Left = left;
  world_.Top = top;
  world_.Right = right;
  world_.Bottom = bottom;
}

bool QtSurface::Map(double x, double y, QPointF& pixel) const {
  const PixelPoint p = world_.Map(x, y);
  if (!std::isfinite(p.X) || !std::isfinite(p.Y)) return false;
  if (std::fabs(p.X) > kFarOutside || std::fabs(p.Y) > kFarOutside) return false;
  pixel = QPointF(p.X, p.Y);
  return true;
}

void QtSurface::Line(double x1, double y1, double x2, double y2, Colour colour) {
  QPointF from;
  QPointF to;
  if (!Map(x1, y1, from) || !Map(x2, y2, to)) return;
  painter_.setPen(
      QPen(ToQColor(colour), penWidth_, dotted_ ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap));
  painter_.drawLine(from, to);
}

void QtSurface::Polyline(const std::vector<WorldPoint>& points, Colour colour) {
  painter_.setPen(
      QPen(ToQColor(colour), penWidth_, dotted_ ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap));
  // A point that cannot be drawn ends one piece; the next begins after it.
  QPolygonF piece;
  piece.reserve(static_cast<qsizetype>(points.size()));
  const auto flush = [&] {
    if (piece.size() > 1) painter_.drawPolyline(piece);
    piece.clear();
  };
  for (const WorldPoint& point : points) {
    QPointF pixel;
    if (Map(point.X, point.Y, pixel)) {
      piece.append(pixel);
    } else {
      flush();
    }
  }
  flush();
}

void QtSurface::Dot(double x, double y, Colour colour) {
  QPointF centre;
  if (!Map(x, y, centre)) return;
  const double size = penWidth_;
  painter_.fillRect(QRectF(centre.x() - size / 2, centre.y() - size / 2, size, size),
                    ToQColor(colour));
}

void QtSurface::SetTextPosition(double x, double y) {
  textX_ = x;
  textY_ = y;
}

void QtSurface::SetTextColour(Colour colour) {
  textColour_ = ToQColor(colour);
}

void QtSurface::SetTextBold(bool bold) {
  font_.setBold(bold);
}

void QtSurface::Print(const std::string& text) {
  painter_.setFont(font_);
  const QFontMetricsF metrics = Metrics();
  QPointF corner;
  if (!text.empty() && Map(textX_, textY_, corner)) {
    painter_.setPen(textColour_);
    painter_.drawText(QPointF(corner.x(), corner.y() + metrics.ascent()),
                      QString::fromStdString(text));
  }
  // The next text line: the world's left edge, one line height lower.
  textX_ = world_.Left;
  textY_ -= world_.InverseHeight(metrics.height());
}

PixelBox QtSurface::TextBounds(const std::string& text) const {
  // The letters' box is given from the baseline, which Print puts one ascent below the position.
  const QFontMetricsF metrics = Metrics();
  const QRectF ink = metrics.tightBoundingRect(QString::fromStdString(text));
  return {ink.left(), metrics.ascent() + ink.top(), ink.right(), metrics.ascent() + ink.bottom()};
}

QFontMetricsF QtSurface::Metrics() const {
  // The device's resolution sizes the font, as the painter draws it (vector figures have their
  // own).
  return QFontMetricsF(font_, painter_.device());
}

double QtSurface::TextHeight() const {
  return Metrics().height();
}

}  // namespace tolmek
