// Locale-free rendering and reading of numbers, shared by every writer, reader and window.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolmek {

// Fixed decimals ("0.000" = 3, "0.00" = 2, "0.0" = 1), at least one integer digit, rounded half
// away from zero, "." as decimal point, no thousands separator. A negative value that rounds to
// zero is written without its minus sign.
std::string FormatDecimals(double value, int decimals);
// The same, appended to text without a string of its own.
void AppendDecimals(std::string& text, double value, int decimals);

// The shortest text that reads back as the same 32-bit float, "." as decimal point and an
// exponent ("1e-05") where that is shorter: what std::to_chars writes, appended to text.
void AppendShortest(std::string& text, float value);

// The named format "Fixed": two decimals.
inline std::string FormatFixed(double value) {
  return FormatDecimals(value, 2);
}

// The general number format: up to seven significant digits, no trailing zeros,
// exponent form ("1.5E-07") for very small or large magnitudes.
std::string FormatGeneral(double value);

// The pattern "###" (and "####"): the value rounded to a whole number, empty for zero.
std::string FormatWhole(double value);

// The named format "Standard": two decimals and a "," between groups of three integer digits
// (1000 gives "1,000.00").
std::string FormatStandard(double value);

// Re-formats a table cell with a fixed-decimals pattern: a cell holding a number text gets
// the decimals, any other text passes unchanged.
std::string FormatCell(const std::string& cell, int decimals);

// The whole text (blanks around it allowed) as a number, or nothing when it is not one.
// Accepts ".5", "5.", "-1.5E-05", "+2".
std::optional<double> ParseNumber(std::string_view text);

// The leading number of a text: leading blanks skipped, reading stops at the first character
// that cannot continue a number, no number gives 0.
double Val(std::string_view text);

// Lays columns out in print zones of 14 characters: each column after the first starts at the
// next zone boundary after the end of the text before it.
std::string PrintZones(const std::vector<std::string>& columns);
// Pads the line that starts at lineStart in text with blanks to the next print zone boundary, where
// the next column starts.
void PadToNextZone(std::string& text, size_t lineStart);

std::string Trim(std::string_view text);

// The lines of a text without their ends, which may be CR LF, LF alone or CR alone (files from
// other systems); a final line end adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text);
std::string ToUpper(std::string_view text);

}  // namespace tolmek
