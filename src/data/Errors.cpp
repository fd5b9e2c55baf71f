#include "Errors.h"

#include <cmath>
#include <limits>

namespace tolmek {

double Divide(double numerator, double denominator) {
  if (denominator == 0) throw ErrorText(errors::kDivisionByZero);
  const double result = numerator / denominator;
  if (!std::isfinite(result)) throw ErrorText(errors::kOverflow);
  return result;
}

float ToSingle(double value) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
    throw ErrorText(errors::kOverflow);
  return static_cast<float>(value);
}

int16_t ToInt16(double value) {
  const double rounded = std::nearbyint(value);
  if (!std::isfinite(rounded) || rounded < -32768 || rounded > 32767)
    throw ErrorText(errors::kOverflow);
  return static_cast<int16_t>(rounded);
}

}  // namespace tolmek
