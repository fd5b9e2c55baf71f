// Values that may not be computable: an element outside its array, a quotient over zero. Such a
// value is an empty optional, so the place it would be written to can be left as it is; errors
// that stop a computation travel as ErrorText instead.
#pragma once

#include <cmath>
#include <optional>
#include <vector>

namespace tolmek {

// The element at index; empty outside the array.
template <typename T>
std::optional<double> ElementAt(const std::vector<T>& values, long long index) {
  if (index < 0 || index >= static_cast<long long>(values.size())) return std::nullopt;
  return values[static_cast<size_t>(index)];
}

// a - b; empty when either is.
inline std::optional<double> Minus(std::optional<double> a, std::optional<double> b) {
  if (!a || !b) return std::nullopt;
  return *a - *b;
}

// a / b; empty when either is, for a zero divisor and for a quotient that is no finite number
// (the cases Divide refuses).
inline std::optional<double> Over(std::optional<double> a, std::optional<double> b) {
  if (!a || !b || *b == 0) return std::nullopt;
  const double quotient = *a / *b;
  if (!std::isfinite(quotient)) return std::nullopt;
  return quotient;
}

}  // namespace tolmek
