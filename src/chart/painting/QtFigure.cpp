#include "QtFigure.h"

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "QtSurface.h"

namespace tolmek {

namespace {

const char* const kFigureTitle = "Tolmek";

void Draw(QPaintDevice& device, int width, int height, const FigureDrawing& draw) {
  QPainter painter(&device);
  QtSurface surface(painter, width, height);
  draw(surface);
}

bool WritePng(const QString& path, int width, int height, const FigureDrawing& draw) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  Draw(image, width, height, draw);
  return image.save(path, "PNG");
}

bool WriteSvg(const QString& path, int width, int height, const FigureDrawing& draw) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  QSvgGenerator svg;
  svg.setOutputDevice(&file);
  svg.setResolution(kFigureDotsPerInch);
  svg.setSize(QSize(width, height));
  svg.setViewBox(QRect(0, 0, width, height));
  svg.setTitle(kFigureTitle);
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  {
    QtSurface surface(painter, width, height);
    draw(surface);
  }
  return painter.end() && file.flush();
}

bool WritePdf(const QString& path, int width, int height, const FigureDrawing& draw) {
  // QPdfWriter opens the file only when painting begins; check first that it can be written.
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  QPdfWriter pdf(&file);
  pdf.setResolution(kFigureDotsPerInch);
  pdf.setTitle(kFigureTitle);
  pdf.setCreator(kFigureTitle);
  const double inch = 72.0 / kFigureDotsPerInch;
  pdf.setPageSize(QPageSize(QSizeF(width * inch, height * inch), QPageSize::Point, QString(),
                            QPageSize::ExactMatch));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  {
    QtSurface surface(painter, width, height);
    draw(surface);
  }
  return painter.end() && file.flush();
}

}  // namespace

std::optional<FigureFormat> FigureFormatOf(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".png") return FigureFormat::Png;
  if (extension == ".svg") return FigureFormat::Svg;
  if (extension == ".pdf") return FigureFormat::Pdf;
  return std::nullopt;
}

bool WriteFigure(const std::string& path, int width, int height, const FigureDrawing& draw) {
  const auto format = FigureFormatOf(path);
  if (!format) return false;
  const QString file = QString::fromStdString(path);
  switch (*format) {
    case FigureFormat::Png:
      return WritePng(file, width, height, draw);
    case FigureFormat::Svg:
      return WriteSvg(file, width, height, draw);
    case FigureFormat::Pdf:
      return WritePdf(file, width, height, draw);
  }
  return false;
}

}  // namespace tolmek
