// Pictures of the chart drawn off the screen, as the window draws it.
#pragma once

#include <QImage>
#include <string>

#include "data/Session.h"

namespace tolmek {

// The full chart of the loaded measurement on a white image of width x height logical pixels.
QImage ChartImage(Session& session, int width, int height, double pixelRatio = 1);

// Writes that chart to a PNG, SVG or PDF file as its extension chooses (WriteFigure); false when
// the file cannot be written.
bool WriteChartPicture(Session& session, const std::string& path, int width, int height);

}  // namespace tolmek
