#include "QtPicture.h"

#include <QPainter>
#include <QString>

#include "QtFigure.h"
#include "QtSurface.h"
#include "chart/ChartDrawing.h"

namespace tolmek {

QImage ChartImage(Session& session, int width, int height, double pixelRatio) {
  QImage image(static_cast<int>(width * pixelRatio), static_cast<int>(height * pixelRatio),
               QImage::Format_RGB32);
  image.setDevicePixelRatio(pixelRatio);
  image.fill(Qt::white);
  QPainter painter(&image);
  QtSurface surface(painter, width, height);
  DrawChart(session, surface, ChartDrawMode::Full);
  return image;
}

bool WriteChartPicture(Session& session, const std::string& path, int width, int height) {
  return WriteFigure(path, width, height, [&session](DrawingSurface& surface) {
    DrawChart(session, surface, ChartDrawMode::Full);
  });
}

}  // namespace tolmek
