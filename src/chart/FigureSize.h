// The size of a figure as a user gives it: "1200x700" in pixels or "180x100mm" in millimetres.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tolmek {

struct FigureSize {
  int Width = 0;   // pixels
  int Height = 0;  // pixels
  bool operator==(const FigureSize&) const = default;
};

constexpr int kMinFigureSide = 50;
constexpr int kMaxFigureSide = 20000;
// A figure's pixel is 1/96 inch in the vector formats, so millimetres become pixels at 96 dpi.
constexpr double kFigurePixelsPerMillimetre = 96 / 25.4;

// "WxH" (whole pixels) or "WxHmm" (millimetres, fractions allowed; rounded to whole pixels), each
// side from kMinFigureSide to kMaxFigureSide pixels; nothing for any other text.
std::optional<FigureSize> ParseFigureSize(std::string_view text);

// "1200x700".
std::string FigureSizeText(FigureSize size);

}  // namespace tolmek
