#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRect>

#include "chart/ChartScale.h"
#include "chart/ChartTestSupport.h"
#include "chart/painting/QtPicture.h"
#include "chart/painting/QtSurface.h"

namespace tolmek {
namespace {

// The pixel of a world position in a picture of width x height.
QPoint PixelOf(const ChartFrame& f, double x, double y, int width, int height) {
  const double left = f.XFrom - f.MarginLeft;
  const double right = f.XTo + f.MarginRight;
  const double top = f.YMax + f.MarginTop;
  const double bottom = -f.MarginBottom;
  return QPoint(static_cast<int>((x - left) / (right - left) * width),
                static_cast<int>((top - y) / (top - bottom) * height));
}

TEST(ChartPicture, DotsLandWhereTheFramePutsThemOnBothAxes) {
  Session session;
  test::SetCurves(
      session, 100, [](int i) { return i; }, [](int i) { return 20.0 * i; },
      [](int i) { return 5.0 * i; });
  session.Options.LineWidth = 2;
  for (const bool logTime : {false, true}) {
    session.View.LogTime = logTime;
    const QImage image = ChartImage(session, 600, 400, 2);
    ASSERT_EQ(image.size(), QSize(1200, 800));
    EXPECT_EQ(image.pixelColor(3, 3), QColor(Qt::white));
    // Point 60: PF 1200 drawn at a quarter, 300, like DF 300 itself; both dots share the spot
    // and DF is drawn last.
    const double x = TimeToX(session, 60);
    const QPoint spot = PixelOf(session.Frame, x, 300, 600, 400) * 2;
    EXPECT_EQ(image.pixelColor(spot), QColor(255, 0, 0)) << "log " << logTime;
    session.View.ViewMode = ViewMode::PF;
    EXPECT_EQ(ChartImage(session, 600, 400, 2).pixelColor(spot), QColor(0, 0, 255));
    session.View.ViewMode = ViewMode::Both;
  }
}

// The chart keeps tick labels off other texts by these bounds: they must hold the letters.
TEST(ChartPicture, TextBoundsHoldTheLettersThatPrintSets) {
  for (const bool bold : {false, true}) {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    PixelBox bounds;
    {
      QPainter painter(&image);
      QtSurface surface(painter, 200, 100);
      surface.SetWorld(0, 100, 200, 0);  // a world unit is a pixel, y growing upwards
      surface.SetTextBold(bold);
      surface.SetTextPosition(50, 70);  // the pixel (50, 30)
      surface.Print("2450 DF");
      bounds = surface.TextBounds("2450 DF");
    }
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y) != QColor(Qt::white)) ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty());
    // Within a pixel of the letters on every side (the edges are smoothed).
    EXPECT_NEAR(50 + bounds.Left, ink.left(), 1.5) << "bold " << bold;
    EXPECT_NEAR(50 + bounds.Right, ink.right() + 1, 1.5) << "bold " << bold;
    EXPECT_NEAR(30 + bounds.Top, ink.top(), 1.5) << "bold " << bold;
    EXPECT_NEAR(30 + bounds.Bottom, ink.bottom() + 1, 1.5) << "bold " << bold;
  }
}

}  // namespace
}  // namespace tolmek
