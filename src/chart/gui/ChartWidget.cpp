#include "ChartWidget.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

#include "chart/ChartDrawing.h"
#include "chart/painting/QtSurface.h"

namespace tolmek {

namespace {

constexpr double kLineOverhangPixels = 8;
const QColor kSpanMarkerColour(0, 128, 0);

}  // namespace

ChartWidget::ChartWidget(Session& session, QWidget* parent) : QWidget(parent), session_(session) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::CrossCursor);
  setMinimumSize(200, 150);
}

void ChartWidget::Draw(ChartDrawMode mode) {
  const double ratio = devicePixelRatioF();
  if (mode == ChartDrawMode::Full || picture_.isNull()) {
    // The full drawing clears the picture itself; a picture of the same size is drawn over
    // instead of allocated (and its pages faulted in) anew.
    const QSize pixels = size() * ratio;
    if (picture_.size() != pixels || picture_.devicePixelRatio() != ratio) {
      const bool spareFits = spare_.size() == pixels && spare_.format() == QImage::Format_RGB32;
      picture_ = spareFits ? std::exchange(spare_, QImage()) : QImage(pixels, QImage::Format_RGB32);
      picture_.setDevicePixelRatio(ratio);
    }
    spare_ = QImage();
    if (mode != ChartDrawMode::Full) picture_.fill(Qt::white);
    world_.Width = width();
    world_.Height = height();
  }
  QPainter painter(&picture_);
  QtSurface surface(painter, world_.Width, world_.Height);
  DrawChart(session_, surface, mode);
  const ChartFrame& f = session_.Frame;
  world_.Left = f.XFrom - f.MarginLeft;
  world_.Right = f.XTo + f.MarginRight;
  world_.Top = f.YMax + f.MarginTop;
  world_.Bottom = -f.MarginBottom;
  yUnitsPerPixel_ = f.YUnitsPerPixel;
  update();
}

void ChartWidget::ClearPicture() {
  picture_ = QImage();
  update();
}

QPointF ChartWidget::Pixel(double x, double y) const {
  const PixelPoint p = world_.Map(x, y);
  return {p.X, p.Y};
}

void ChartWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (picture_.isNull()) {
    painter.fillRect(rect(), Qt::white);
    return;
  }
  // White only where the picture does not reach (it is drawn for the size before a resize).
  const QSizeF shown = picture_.deviceIndependentSize();
  if (shown.width() < width() || shown.height() < height()) painter.fillRect(rect(), Qt::white);
  painter.drawImage(QPointF(0, 0), picture_);
  emit PicturePainted();
  if (!session_.Frame.Valid) return;
  const double lineTop = session_.Frame.YMax + kLineOverhangPixels * yUnitsPerPixel_;
  for (int k = 1; k <= 3; ++k) {
    const CursorLine& line = session_.Cursor.Lines[k];
    if (!line.Visible) continue;
    painter.setPen(QPen(k == 1 ? QColor(Qt::black) : kSpanMarkerColour, 1));
    painter.drawLine(Pixel(line.X, 0), Pixel(line.X, lineTop));
  }
}

void ChartWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  emit Resized();
}

void ChartWidget::mousePressEvent(QMouseEvent* event) {
  emit MousePressed(event->button(), WorldX(event->position().x()));
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMoved(event->buttons(), WorldX(event->position().x()));
}

void ChartWidget::mouseReleaseEvent(QMouseEvent* event) {
  emit MouseReleased(WorldX(event->position().x()), rect().contains(event->position().toPoint()));
}

void ChartWidget::mouseDoubleClickEvent(QMouseEvent*) {
  emit DoubleClicked();
}

void ChartWidget::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (QGuiApplication::mouseButtons() == Qt::NoButton) emit MouseLost();
}

void ChartWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  emit MouseLost();
}

}  // namespace tolmek
