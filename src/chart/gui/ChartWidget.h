// The chart's drawing area: it keeps the last drawing as a picture and paints it with the three
// vertical lines (cursor and span markers) over it, so moving a line never redraws the curves.
#pragma once

#include <QImage>
#include <QWidget>
#include <utility>

#include "chart/ChartDrawing.h"
#include "chart/WorldMap.h"
#include "data/Session.h"

namespace tolmek {

class ChartWidget : public QWidget {
  Q_OBJECT

 public:
  ChartWidget(Session& session, QWidget* parent = nullptr);

  // Draws the chart onto the picture: Full a new picture of the area's size, Markers the markers
  // over the picture there is.
  void Draw(ChartDrawMode mode);
  void ClearPicture();
  // World position of a horizontal pixel position in the last drawing, and back.
  double WorldX(double pixelX) const { return world_.Inverse(pixelX, 0).X; }
  double PixelX(double worldX) const { return world_.Map(worldX, 0).X; }
  const QImage& Picture() const { return picture_; }
  // The memory of the picture handed from a chart window that closes to the next one: a picture
  // of a few megabytes allocated anew for every file of a walk costs more than drawing it.
  QImage TakePicture() { return std::exchange(picture_, QImage()); }
  void AdoptPictureMemory(QImage picture) { spare_ = std::move(picture); }

 signals:
  void MousePressed(Qt::MouseButton button, double x);
  void MouseMoved(Qt::MouseButtons buttons, double x);
  void MouseReleased(double x, bool inside);
  void DoubleClicked();
  void MouseLost();
  void Resized();
  // A drawn chart reached the screen.
  void PicturePainted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Pixel position of a world position in the last drawing.
  QPointF Pixel(double x, double y) const;

  Session& session_;
  QImage picture_;
  QImage spare_;  // memory for the next full drawing of the same size
  // World rectangle of the last drawing and the size it was drawn at.
  WorldMap world_;
  double yUnitsPerPixel_ = 0;
};

}  // namespace tolmek
