#include "FigureSize.h"

#include <charconv>
#include <cmath>

namespace tolmek {

namespace {

std::optional<double> Number(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value)) return {};
  return value;
}

}  // namespace

std::optional<FigureSize> ParseFigureSize(std::string_view text) {
  bool millimetres = false;
  if (text.size() > 2 && (text.ends_with("mm") || text.ends_with("MM"))) {
    millimetres = true;
    text.remove_suffix(2);
  }
  const size_t cross = text.find_first_of("xX");
  if (cross == std::string_view::npos) return {};
  const std::optional<double> width = Number(text.substr(0, cross));
  const std::optional<double> height = Number(text.substr(cross + 1));
  if (!width || !height) return {};
  const auto pixels = [&](double side) -> std::optional<int> {
    if (millimetres) side = std::round(side * kFigurePixelsPerMillimetre);
    if (side != std::floor(side) || side < kMinFigureSide || side > kMaxFigureSide) return {};
    return static_cast<int>(side);
  };
  const std::optional<int> w = pixels(*width), h = pixels(*height);
  if (!w || !h) return {};
  return FigureSize{*w, *h};
}

std::string FigureSizeText(FigureSize size) {
  return std::to_string(size.Width) + "x" + std::to_string(size.Height);
}

}  // namespace tolmek
