#include "Errors.h"

#include <cmath>
#include <limits>

namespace tolmek {

void ThrowError(const char* text) {
  throw ErrorText(text);
}

std::string TooManyPointsText(const std::string& fileName, long long count) {
  return fileName + ": " + std::to_string(count) + " points, more than the " +
         std::to_string(kMaxPointCount) + " a measurement can hold";
}

int16_t ToInt16(double value) {
  const double rounded = std::nearbyint(value);
  if (!std::isfinite(rounded) || rounded < -32768 || rounded > 32767)
    throw ErrorText(errors::kOverflow);
  return static_cast<int16_t>(rounded);
}

}  // namespace tolmek
