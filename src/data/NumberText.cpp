#include "NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace tolmek {

namespace {

constexpr int kPrintZoneWidth = 14;
// Decimals beyond the requested ones that are looked at to round half away from zero.
constexpr int kGuardDigits = 30;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Adds one unit in the last place of a string of digits (with an optional '.').
void IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it == '.') continue;
    if (*it == '9') {
      *it = '0';
    } else {
      ++*it;
      return;
    }
  }
  digits.insert(digits.begin(), '1');
}

// Length of the number that starts the text (sign, digits, point, exponent); 0 when none.
size_t LeadingNumberLength(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

// The number text checked by LeadingNumberLength; "D" exponents and a leading "+" are taken as
// well, which from_chars does not do by itself.
double ConvertNumber(std::string_view number) {
  std::array<char, 64> copy{};
  const bool dExponent =
      std::any_of(number.begin(), number.end(), [](char c) { return c == 'D' || c == 'd'; });
  if (dExponent && number.size() < copy.size()) {
    for (size_t i = 0; i < number.size(); ++i)
      copy[i] = (number[i] == 'D' || number[i] == 'd') ? 'e' : number[i];
    number = std::string_view(copy.data(), number.size());
  }
  if (!number.empty() && number.front() == '+') number.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  if (ec == std::errc::result_out_of_range) return number.front() == '-' ? -HUGE_VAL : HUGE_VAL;
  return value;
}

std::string_view TrimView(std::string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

constexpr std::array<uint64_t, 4> kPowersOfTen = {1, 10, 100, 1000};

// |value| times 10^decimals rounded half away from zero, computed exactly from the binary value
// (mantissa times a power of two); false when that does not fit 64 bits or decimals exceed 3.
bool ScaledExactly(double value, int decimals, uint64_t& scaled) {
  if (decimals < 0 || decimals >= static_cast<int>(kPowersOfTen.size())) return false;
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(value), &exponent);
  // value = mantissa * 2^(exponent - 53) with a 53-bit whole mantissa.
  const auto mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
  const uint64_t product = mantissa * kPowersOfTen[decimals];  // below 2^63
  const int shift = exponent - 53;
  if (shift >= 0) {
    if (shift >= 64 || (shift > 0 && (product >> (64 - shift)) != 0)) return false;
    scaled = product << shift;
    return true;
  }
  if (-shift >= 64) {
    scaled = 0;  // below half a unit of the last decimal
    return true;
  }
  const uint64_t half = uint64_t{1} << (-shift - 1);
  const uint64_t remainder = product & ((uint64_t{1} << -shift) - 1);
  scaled = (product >> -shift) + (remainder >= half ? 1 : 0);
  return true;
}

// The slow way for magnitudes beyond 64 bits: enough decimals to see the exact half.
std::string DecimalsByGuardDigits(double value, int decimals) {
  std::array<char, 512> buffer{};
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                 std::chars_format::fixed, decimals + kGuardDigits);
  std::string text(buffer.data(), ec == std::errc() ? end : buffer.data());
  const size_t point = text.find('.');
  const char firstDropped = text[point + decimals + 1];
  text.resize(decimals > 0 ? point + decimals + 1 : point);
  if (firstDropped >= '5') IncrementDigits(text);
  const bool isZero = text.find_first_not_of("0.") == std::string::npos;
  if (value < 0 && !isZero) text.insert(text.begin(), '-');
  return text;
}

}  // namespace

void AppendDecimals(std::string& text, double value, int decimals) {
  uint64_t scaled = 0;
  if (!std::isfinite(value) || !ScaledExactly(value, decimals, scaled)) {
    text += FormatDecimals(value, decimals);
    return;
  }
  std::array<char, 24> digits{};
  char* end = std::to_chars(digits.data(), digits.data() + digits.size(), scaled).ptr;
  auto count = static_cast<int>(end - digits.data());
  if (value < 0 && scaled != 0) text += '-';
  // At least one integer digit: leading zeros where the number has fewer digits than decimals.
  const int integerDigits = count - decimals;
  if (integerDigits <= 0) {
    text += '0';
  } else {
    text.append(digits.data(), static_cast<size_t>(integerDigits));
  }
  if (decimals == 0) return;
  text += '.';
  if (integerDigits < 0) text.append(static_cast<size_t>(-integerDigits), '0');
  const int fractionStart = integerDigits > 0 ? integerDigits : 0;
  text.append(digits.data() + fractionStart, static_cast<size_t>(count - fractionStart));
}

std::string FormatDecimals(double value, int decimals) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value < 0 ? "-Inf" : "Inf");
  uint64_t scaled = 0;
  if (!ScaledExactly(value, decimals, scaled)) return DecimalsByGuardDigits(value, decimals);
  std::string text;
  AppendDecimals(text, value, decimals);
  return text;
}

std::string FormatGeneral(double value) {
  if (value == 0 || !std::isfinite(value)) return value == 0 ? "0" : FormatDecimals(value, 0);
  std::array<char, 64> buffer{};
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                 std::chars_format::scientific, 6);
  std::string text(buffer.data(), end);
  const size_t ePos = text.find('e');
  std::string mantissa = text.substr(0, ePos);
  const int exponent = std::stoi(text.substr(ePos + 1));
  const bool negative = mantissa[0] == '-';
  if (negative) mantissa.erase(0, 1);
  std::string digits;
  for (char c : mantissa)
    if (IsDigit(c)) digits += c;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string result;
  if (exponent >= -5 && exponent < 7) {
    if (exponent < 0) {
      result.assign("0.").append(-exponent - 1, '0').append(digits);
    } else if (static_cast<int>(digits.size()) <= exponent + 1) {
      result = digits + std::string(exponent + 1 - digits.size(), '0');
    } else {
      result.assign(digits, 0, exponent + 1).append(".").append(digits, exponent + 1);
    }
  } else {
    result = digits.substr(0, 1);
    if (digits.size() > 1) result.append(".").append(digits, 1);
    const std::string power = std::to_string(std::abs(exponent));
    result += exponent < 0 ? "E-" : "E+";
    if (power.size() < 2) result += '0';
    result += power;
  }
  if (negative) result.insert(0, 1, '-');
  return result;
}

std::string FormatWhole(double value) {
  std::string text = FormatDecimals(value, 0);
  return text == "0" ? std::string() : text;
}

std::string FormatCell(const std::string& cell, int decimals) {
  const auto number = ParseNumber(cell);
  return number ? FormatDecimals(*number, decimals) : cell;
}

std::optional<double> ParseNumber(std::string_view text) {
  const std::string_view trimmed = TrimView(text);
  if (trimmed.empty()) return std::nullopt;
  const size_t length = LeadingNumberLength(trimmed);
  if (length == 0 || length != trimmed.size()) return std::nullopt;
  return ConvertNumber(trimmed);
}

double Val(std::string_view text) {
  size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  text.remove_prefix(start);
  const size_t length = LeadingNumberLength(text);
  return length == 0 ? 0.0 : ConvertNumber(text.substr(0, length));
}

void PadToNextZone(std::string& text, size_t lineStart) {
  const size_t length = text.size() - lineStart;
  const size_t next = (length / kPrintZoneWidth + 1) * kPrintZoneWidth;
  text.append(next - length, ' ');
}

std::string PrintZones(const std::vector<std::string>& columns) {
  std::string line;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) PadToNextZone(line, 0);
    line += columns[i];
  }
  return line;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crLf ? 2 : 1));
  }
  return lines;
}

std::string Trim(std::string_view text) {
  return std::string(TrimView(text));
}

std::string ToUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

}  // namespace tolmek
