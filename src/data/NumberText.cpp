#include "NumberText.h"

#include <array>
#include <charconv>
#include <cmath>

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

double ConvertNumber(std::string_view number) {
  std::string text(number);
  for (char& c : text)
    if (c == 'D' || c == 'd') c = 'e';
  const char* first = text.data();
  if (*first == '+') ++first;
  double value = 0;
  auto [end, ec] = std::from_chars(first, text.data() + text.size(), value);
  if (ec == std::errc::result_out_of_range) return first[0] == '-' ? -HUGE_VAL : HUGE_VAL;
  (void)end;
  return value;
}

}  // namespace

std::string FormatDecimals(double value, int decimals) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value < 0 ? "-Inf" : "Inf");
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

std::string FormatStandard(double value) {
  std::string text = FormatDecimals(value, 2);
  const size_t digitsStart = text[0] == '-' ? 1 : 0;
  const size_t point = text.find('.');
  if (point == std::string::npos) return text;  // not a finite number
  for (size_t at = point; at > digitsStart + 3; at -= 3) text.insert(at - 3, 1, ',');
  return text;
}

std::string FormatCell(const std::string& cell, int decimals) {
  const auto number = ParseNumber(cell);
  return number ? FormatDecimals(*number, decimals) : cell;
}

std::optional<double> ParseNumber(std::string_view text) {
  std::string trimmed = Trim(text);
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

std::string PrintZones(const std::vector<std::string>& columns) {
  std::string line;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) {
      const size_t next = (line.size() / kPrintZoneWidth + 1) * kPrintZoneWidth;
      line.append(next - line.size(), ' ');
    }
    line += columns[i];
  }
  return line;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::string Trim(std::string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

std::string ToUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

}  // namespace tolmek
