#include <gtest/gtest.h>

#include <QImage>

#include "chart/ChartScale.h"
#include "chart/ChartTestSupport.h"
#include "chart/QtPicture.h"

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
  for (const int16_t logTime : {0, 1}) {
    session.View.LogTime = logTime;
    const QImage image = ChartImage(session, 600, 400, 2);
    ASSERT_EQ(image.size(), QSize(1200, 800));
    EXPECT_EQ(image.pixelColor(3, 3), QColor(Qt::white));
    // Point 60: PF 1200 drawn at a quarter, 300, like DF 300 itself; both dots share the spot
    // and DF is drawn last.
    const double x = TimeToX(session, 60);
    const QPoint spot = PixelOf(session.Frame, x, 300, 600, 400) * 2;
    EXPECT_EQ(image.pixelColor(spot), QColor(255, 0, 0)) << "log " << logTime;
    session.View.ViewMode = 1;
    EXPECT_EQ(ChartImage(session, 600, 400, 2).pixelColor(spot), QColor(0, 0, 255));
    session.View.ViewMode = 0;
  }
}

}  // namespace
}  // namespace tolmek
