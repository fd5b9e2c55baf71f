// The error texts shown to the user and the exception that carries them to a reader's one exit.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/UserError.h"

namespace tolmek {

// Short, stable descriptions of what went wrong, shown in message boxes.
namespace errors {
constexpr const char* kDivisionByZero = "Division by zero";
constexpr const char* kOverflow = "Overflow";
constexpr const char* kSubscriptOutOfRange = "Subscript out of range";
constexpr const char* kInputPastEnd = "Input past end of file";
constexpr const char* kTypeMismatch = "Type mismatch";
constexpr const char* kFileNotFound = "File not found";
constexpr const char* kPathNotFound = "Path not found";
constexpr const char* kPermissionDenied = "Permission denied";
constexpr const char* kDiskFull = "Disk full";
constexpr const char* kFileAccessError = "Path/File access error";
constexpr const char* kIsAFolder = "This is a folder, not a file";
constexpr const char* kNotARegularFile = "This is a device or a pipe, not a file";
constexpr const char* kLineTooLong = "Line too long";
}  // namespace errors

// Point indices (the chart's cursor, the point slots) are 16-bit, so a measurement holds at most
// this many points; a reader refuses a larger one with TooManyPointsText.
constexpr int kMaxPointCount = std::numeric_limits<int16_t>::max();

// "leaf.tmk: 40000 points, more than the 32767 a measurement can hold"
std::string TooManyPointsText(const std::string& fileName, long long count);

// Thrown inside readers, writers and computations; caught where the failure is reported (a window
// command's guard shows it as a UserError).
class ErrorText : public UserError {
 public:
  explicit ErrorText(const std::string& text) : UserError(text) {}
};

// The failures of the checks below, out of line so that the checks themselves inline into the
// readers' sample loops.
[[noreturn]] void ThrowError(const char* text);

// Checked element access: an index outside the array is the index error, never a stray read.
template <typename T>
T& At(std::vector<T>& values, long long index) {
  if (index < 0 || index >= static_cast<long long>(values.size())) [[unlikely]]
    ThrowError(errors::kSubscriptOutOfRange);
  return values[static_cast<size_t>(index)];
}
template <typename T>
const T& At(const std::vector<T>& values, long long index) {
  if (index < 0 || index >= static_cast<long long>(values.size())) [[unlikely]]
    ThrowError(errors::kSubscriptOutOfRange);
  return values[static_cast<size_t>(index)];
}

// Division that fails as the arithmetic error instead of producing an infinity or NaN.
inline double Divide(double numerator, double denominator) {
  if (denominator == 0) [[unlikely]]
    ThrowError(errors::kDivisionByZero);
  const double result = numerator / denominator;
  if (!std::isfinite(result)) [[unlikely]]
    ThrowError(errors::kOverflow);
  return result;
}

// A result that does not fit a 32-bit float (or is not a number) is an overflow.
inline float ToSingle(double value) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) [[unlikely]]
    ThrowError(errors::kOverflow);
  return static_cast<float>(value);
}

// A value stored into a 16-bit slot must fit it.
int16_t ToInt16(double value);

}  // namespace tolmek
