#include "QtIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <map>

#include "chart/ChartCursor.h"

namespace {

using tolmek::FindKind;

const QColor kInk(40, 40, 48);
const QColor kPFColor(0, 140, 60);
const QColor kDFColor(200, 40, 40);
const QColor kAccent(30, 100, 200);

// An induction-like curve across the box: fast rise, peak, slow decline.
QPainterPath InductionCurve(double top, double bottom) {
  QPainterPath path(QPointF(3, bottom));
  path.cubicTo(QPointF(8, bottom), QPointF(9, top), QPointF(13, top));
  path.cubicTo(QPointF(18, top), QPointF(20, (top + bottom) / 2), QPointF(29, (top + bottom) / 2));
  return path;
}

void DrawText(QPainter& p, const QRectF& box, const QString& text, const QColor& color,
              double size) {
  QFont font = p.font();
  font.setPixelSize(static_cast<int>(size));
  font.setBold(true);
  p.setFont(font);
  p.setPen(color);
  p.drawText(box, Qt::AlignCenter, text);
}

void DrawMagnifier(QPainter& p, bool plus) {
  p.setPen(QPen(kInk, 2.5));
  p.drawEllipse(QPointF(13, 13), 8, 8);
  p.drawLine(QPointF(19, 19), QPointF(28, 28));
  p.setPen(QPen(kAccent, 2.5));
  p.drawLine(QPointF(9, 13), QPointF(17, 13));
  if (plus) p.drawLine(QPointF(13, 9), QPointF(13, 17));
}

void DrawDisk(QPainter& p) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(QColor(90, 120, 180));
  p.drawRoundedRect(QRectF(5, 5, 22, 22), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(10, 5, 12, 8));
  p.drawRect(QRectF(9, 18, 14, 9));
}

void DrawTable(QPainter& p, const QString& label, const QColor& color) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4, 4, 24, 24));
  for (double y : {12.0, 20.0}) p.drawLine(QPointF(4, y), QPointF(28, y));
  p.drawLine(QPointF(13, 4), QPointF(13, 28));
  DrawText(p, QRectF(13, 12, 15, 16), label, color, 8);
}

void DrawFind(QPainter& p, FindKind kind) {
  p.setPen(QPen(kPFColor, 2));
  p.setBrush(Qt::NoBrush);
  if (kind == FindKind::Min) {
    QPainterPath valley(QPointF(3, 8));
    valley.cubicTo(QPointF(12, 8), QPointF(12, 25), QPointF(16, 25));
    valley.cubicTo(QPointF(20, 25), QPointF(20, 8), QPointF(29, 8));
    p.drawPath(valley);
  } else {
    p.drawPath(InductionCurve(8, 26));
  }
  p.setPen(QPen(kAccent, 2));
  if (kind == FindKind::Max) p.drawLine(QPointF(13, 3), QPointF(13, 29));
  if (kind == FindKind::Min) p.drawLine(QPointF(16, 3), QPointF(16, 29));
  if (kind == FindKind::Flattest) p.drawLine(QPointF(3, 26), QPointF(17, 2));
}

void DrawArrow(QPainter& p, bool right) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(kAccent);
  QPolygonF arrow;
  if (right)
    arrow << QPointF(9, 5) << QPointF(25, 16) << QPointF(9, 27);
  else
    arrow << QPointF(23, 5) << QPointF(7, 16) << QPointF(23, 27);
  p.drawPolygon(arrow);
}

void DrawCurves(QPainter& p, bool pf, bool df) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kInk, 1.2));
  p.drawLine(QPointF(3, 28), QPointF(29, 28));
  p.drawLine(QPointF(3, 4), QPointF(3, 28));
  if (pf) {
    p.setPen(QPen(kPFColor, 2.2));
    p.drawPath(InductionCurve(6, 24));
  }
  if (df) {
    p.setPen(QPen(kDFColor, 2.2));
    p.drawPath(InductionCurve(13, 26));
  }
}

// Draws the picture of one key in a 32 x 32 box.
void DrawGlyph(QPainter& p, const QString& key) {
  p.setBrush(Qt::NoBrush);
  if (key == "open") {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(230, 190, 90));
    p.drawPolygon(QPolygonF() << QPointF(3, 8) << QPointF(12, 8) << QPointF(14, 11)
                              << QPointF(28, 11) << QPointF(28, 26) << QPointF(3, 26));
  } else if (key == "save" || key == "autosave") {
    DrawDisk(p);
    if (key == "autosave") DrawText(p, QRectF(9, 17, 14, 11), "A", kDFColor, 10);
  } else if (key == "info") {
    p.setPen(QPen(kAccent, 2));
    p.drawEllipse(QPointF(16, 16), 12, 12);
    DrawText(p, QRectF(4, 4, 24, 24), "i", kAccent, 17);
  } else if (key == "viewpf" || key == "viewdf" || key == "viewboth") {
    DrawCurves(p, key != "viewdf", key != "viewpf");
  } else if (key == "set") {
    p.setPen(QPen(kInk, 1.5));
    p.drawLine(QPointF(16, 3), QPointF(16, 29));
    p.drawLine(QPointF(3, 16), QPointF(29, 16));
    p.setBrush(kDFColor);
    p.drawEllipse(QPointF(16, 16), 4.5, 4.5);
  } else if (key == "findmax" || key == "findmin" || key == "findinf") {
    DrawFind(p, key == "findmax"   ? FindKind::Max
                : key == "findmin" ? FindKind::Min
                                   : FindKind::Flattest);
  } else if (key == "linear" || key == "log") {
    p.setPen(QPen(kInk, 1.2));
    p.drawLine(QPointF(3, 26), QPointF(29, 26));
    for (double x :
         key == "linear" ? QList<double>{5, 11, 17, 23, 29} : QList<double>{5, 17, 23, 26, 28})
      p.drawLine(QPointF(x, 22), QPointF(x, 29));
    DrawText(p, QRectF(0, 2, 32, 18), key == "linear" ? "lin" : "log", kInk, 11);
  } else if (key == "zoomin" || key == "zoomout") {
    DrawMagnifier(p, key == "zoomin");
  } else if (key == "pfres" || key == "dfres") {
    DrawTable(p, key == "pfres" ? "PF" : "DF", key == "pfres" ? kPFColor : kDFColor);
  } else if (key == "previous" || key == "next") {
    DrawArrow(p, key == "next");
  } else if (key == "compare") {
    // Three induction curves of different heights, as many measurements on one chart.
    const QColor colours[] = {kInk, QColor(230, 159, 0), QColor(0, 114, 178)};
    for (int i = 0; i < 3; ++i) {
      p.setPen(QPen(colours[i], 1.8));
      p.drawPath(InductionCurve(5 + 6 * i, 27));
    }
  } else if (key == "program") {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 250, 240));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
    DrawCurves(p, true, true);
  }
}

class GlyphIconEngine : public QIconEngine {
 public:
  explicit GlyphIconEngine(QString key) : key_(std::move(key)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.topLeft());
    painter->scale(rect.width() / 32.0, rect.height() / 32.0);
    if (mode == QIcon::Disabled) painter->setOpacity(0.35);
    DrawGlyph(*painter, key_);
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return picture;
  }

  // Drawn at the device's pixel size, so the picture stays sharp on high-density screens.
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    QPixmap picture = pixmap(size * scale, mode, state);
    picture.setDevicePixelRatio(scale);
    return picture;
  }

  QIconEngine* clone() const override { return new GlyphIconEngine(key_); }

 private:
  QString key_;
};

}  // namespace

QIcon ToolbarIcon(const QString& key) {
  static const std::map<QString, QString> themeNames = {
      {"open", "document-open"}, {"save", "document-save-as"}, {"info", "dialog-information"},
      {"zoomin", "zoom-in"},     {"zoomout", "zoom-out"},      {"previous", "go-previous"},
      {"next", "go-next"},
  };
  const QIcon drawn(new GlyphIconEngine(key));
  const auto theme = themeNames.find(key);
  if (theme == themeNames.end()) return drawn;
  return QIcon::fromTheme(theme->second, drawn);
}

QIcon ProgramIcon() {
  return QIcon(new GlyphIconEngine("program"));
}
