// Figures of any chart in files: the chart draws once onto a DrawingSurface, the file's extension
// chooses PNG (a picture), SVG or PDF (vector figures with real text).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "chart/DrawingSurface.h"

namespace tolmek {

enum class FigureFormat { Png, Svg, Pdf };

// The format of a file's extension (.png, .svg, .pdf, in any case); empty for any other.
std::optional<FigureFormat> FigureFormatOf(const std::string& path);

// Vector figures map one pixel of the surface to 1/96 inch, so a 1200 x 700 figure is a page of
// 12.5 x 7.29 inches with the fonts as large as on the picture.
constexpr int kFigureDotsPerInch = 96;

using FigureDrawing = std::function<void(DrawingSurface&)>;

// Draws onto a white surface of width x height pixels and writes it to path in the format of its
// extension; false when the extension is none of those or the file cannot be written.
bool WriteFigure(const std::string& path, int width, int height, const FigureDrawing& draw);

}  // namespace tolmek
