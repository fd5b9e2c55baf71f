#include "NumberText.h"

#include <algorithm>
#include <array>
#include <bit>
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

constexpr std::array<double, 23> kExactPowersOfTen = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr uint64_t kLargestExactWhole = uint64_t{1} << 53;
constexpr int kMostWholeDigits = 19;  // below 2^64
constexpr int kLongestExponent = 4;

bool IsExponentLetter(char c) {
  return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// The digits from text[i] on, added to whole (significant digits beyond the 19th make this false);
// every digit after the decimal point lowers the power of ten by one.
bool AddDigits(std::string_view text, size_t& i, uint64_t& whole, int& significant, int& power,
               bool afterPoint, int& digits) {
  for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
    if (afterPoint) --power;
    if (whole == 0 && text[i] == '0') continue;
    if (++significant > kMostWholeDigits) return false;
    whole = whole * 10 + static_cast<uint64_t>(text[i] - '0');
  }
  return true;
}

// A whole number text of the common kind ("-12.50", "1.5E-05", "+3D2") read in one pass. Its
// value is the whole number of its digits times or divided by a power of ten, both held exactly,
// so the one rounding of that operation gives the nearest double, as from_chars does. False for
// anything else (more digits, a far exponent, a text that is no number), which the general path
// decides.
bool ParsePlainNumber(std::string_view text, double& value) {
  size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++i;
  uint64_t whole = 0;
  int significant = 0;
  int power = 0;
  int digits = 0;
  if (!AddDigits(text, i, whole, significant, power, false, digits)) return false;
  if (i < text.size() && text[i] == '.') {
    ++i;
    if (!AddDigits(text, i, whole, significant, power, true, digits)) return false;
  }
  if (digits == 0) return false;
  if (i < text.size() && IsExponentLetter(text[i])) {
    ++i;
    const bool negativeExponent = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    int exponent = 0;
    int exponentDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      if (++exponentDigits > kLongestExponent) return false;
      exponent = exponent * 10 + (text[i] - '0');
    }
    if (exponentDigits == 0) return false;
    power += negativeExponent ? -exponent : exponent;
  }
  const int lastPower = static_cast<int>(kExactPowersOfTen.size()) - 1;
  if (i != text.size() || whole > kLargestExactWhole || power < -lastPower || power > lastPower)
    return false;
  const auto exact = static_cast<double>(whole);
  value = power < 0 ? exact / kExactPowersOfTen[static_cast<size_t>(-power)]
                    : exact * kExactPowersOfTen[static_cast<size_t>(power)];
  if (negative) value = -value;
  return true;
}

constexpr std::array<uint64_t, 12> kWholePowersOfTen = {
    1,       10,       100,       1000,       10000,       100000,
    1000000, 10000000, 100000000, 1000000000, 10000000000, 100000000000};

// Writes the digits of a decimal with its point at exponent (value = d.ddd times 10^exponent) in
// the shorter of the fixed and the scientific form, fixed when both are as long.
char* WriteShortestForm(char* out, const char* digits, int count, int exponent) {
  const int magnitude = std::abs(exponent);
  int fixedLength = count + 1 - exponent;  // "0.00ddd"
  if (exponent >= 0) fixedLength = count <= exponent + 1 ? exponent + 1 : count + 1;
  const int scientificLength = count + (count > 1 ? 1 : 0) + 2 + (magnitude >= 100 ? 3 : 2);
  if (fixedLength <= scientificLength) {
    if (exponent < 0) {
      *out++ = '0';
      *out++ = '.';
      out = std::fill_n(out, -exponent - 1, '0');
      return std::copy_n(digits, count, out);
    }
    const int integerDigits = std::min(count, exponent + 1);
    out = std::copy_n(digits, integerDigits, out);
    if (count <= exponent + 1) return std::fill_n(out, exponent + 1 - count, '0');
    *out++ = '.';
    return std::copy_n(digits + integerDigits, count - integerDigits, out);
  }
  *out++ = digits[0];
  if (count > 1) {
    *out++ = '.';
    out = std::copy_n(digits + 1, count - 1, out);
  }
  *out++ = 'e';
  *out++ = exponent < 0 ? '-' : '+';
  if (magnitude >= 100) *out++ = static_cast<char>('0' + magnitude / 100);
  *out++ = static_cast<char>('0' + magnitude / 10 % 10);
  *out++ = static_cast<char>('0' + magnitude % 10);
  return out;
}

// The shortest decimal that reads back as a float, found in whole numbers for floats of
// magnitude 2^-10 to 2^23 (the values of a measurement) and written as std::to_chars does.
// Returns the end of what was written to out, nullptr where std::to_chars must decide (other
// magnitudes, an exact tie between two candidates, more than 11 decimals).
char* WriteShortestFloat(char* out, float value) {
  constexpr int kFractionBits = 23;
  constexpr int kBias = 150;           // exponent bias plus the fraction bits
  constexpr int kLowestBiased = 117;   // 2^-10
  constexpr int kHighestBiased = 150;  // 2^23
  const auto bits = std::bit_cast<uint32_t>(value);
  const auto biased = static_cast<int>((bits >> kFractionBits) & 0xFF);
  if (biased < kLowestBiased || biased >= kHighestBiased) return nullptr;
  // |value| = mantissa * 2^-(shift - 2); the floats next to it lie one mantissa step away, a
  // half step below where the mantissa is the smallest of its binary decade. A decimal reads back
  // as value when it lies within half a step, the halfway points included for an even mantissa.
  const uint64_t mantissa = (bits & ((1u << kFractionBits) - 1)) | (1u << kFractionBits);
  const int shift = kBias - biased + 2;
  const uint64_t lowestOf4 = 4 * mantissa - (mantissa == (1u << kFractionBits) ? 1 : 2);
  const uint64_t highestOf4 = 4 * mantissa + 2;
  const bool halfwayReadsBack = (mantissa & 1) == 0;
  const uint64_t fractionMask = (uint64_t{1} << shift) - 1;
  const uint64_t half = uint64_t{1} << (shift - 1);
  for (size_t decimals = 0; decimals < kWholePowersOfTen.size(); ++decimals) {
    // The whole numbers of units of 10^-decimals within the range that reads back as value.
    const uint64_t low = lowestOf4 * kWholePowersOfTen[decimals];
    const uint64_t high = highestOf4 * kWholePowersOfTen[decimals];
    uint64_t first = (low >> shift) + ((low & fractionMask) != 0 ? 1 : 0);
    if ((low & fractionMask) == 0 && !halfwayReadsBack) ++first;
    uint64_t last = high >> shift;
    if ((high & fractionMask) == 0 && !halfwayReadsBack) --last;
    if (first > last) continue;
    // The nearest of them to the value itself.
    const uint64_t exact = 4 * mantissa * kWholePowersOfTen[decimals];
    const uint64_t remainder = exact & fractionMask;
    if (remainder == half) return nullptr;
    const uint64_t nearest = std::clamp((exact >> shift) + (remainder > half ? 1 : 0), first, last);
    std::array<char, 24> digits{};
    const auto count = static_cast<int>(
        std::to_chars(digits.data(), digits.data() + digits.size(), nearest).ptr - digits.data());
    int significant = count;
    while (significant > 1 && digits[static_cast<size_t>(significant) - 1] == '0') --significant;
    if (bits >> 31) *out++ = '-';
    return WriteShortestForm(out, digits.data(), significant,
                             count - 1 - static_cast<int>(decimals));
  }
  return nullptr;
}

std::string_view TrimView(std::string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

constexpr std::array<uint64_t, 4> kPowersOfTen = {1, 10, 100, 1000};

// The parts of a finite double: |value| = mantissa * 2^exponent with a whole mantissa below 2^53.
struct BinaryParts {
  uint64_t Mantissa;
  int Exponent;
};
BinaryParts PartsOf(double value) {
  constexpr int kFractionBits = 52;
  constexpr int kBias = 1075;  // exponent bias plus the fraction bits
  const auto bits = std::bit_cast<uint64_t>(value);
  const uint64_t fraction = bits & ((uint64_t{1} << kFractionBits) - 1);
  const auto biased = static_cast<int>((bits >> kFractionBits) & 0x7FF);
  if (biased == 0) return {fraction, 1 - kBias};  // zero and the subnormals
  return {fraction | (uint64_t{1} << kFractionBits), biased - kBias};
}

// |value| times 10^decimals rounded half away from zero, computed exactly from the binary value
// (mantissa times a power of two); false when that does not fit 64 bits or decimals exceed 3.
bool ScaledExactly(double value, int decimals, uint64_t& scaled) {
  if (decimals < 0 || decimals >= static_cast<int>(kPowersOfTen.size())) return false;
  const BinaryParts parts = PartsOf(value);
  const uint64_t product = parts.Mantissa * kPowersOfTen[decimals];  // below 2^63
  const int shift = parts.Exponent;
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
  // Written from the last decimal backwards: the decimals (with the zeros after the point), the
  // point, at least one integer digit, the sign.
  const bool negative = value < 0 && scaled != 0;  // no "-0.00"
  std::array<char, 32> buffer{};
  char* const end = buffer.data() + buffer.size();
  char* at = end;
  for (int i = 0; i < decimals; ++i, scaled /= 10) *--at = static_cast<char>('0' + scaled % 10);
  if (decimals > 0) *--at = '.';
  do {
    *--at = static_cast<char>('0' + scaled % 10);
    scaled /= 10;
  } while (scaled != 0);
  if (negative) *--at = '-';
  text.append(at, end);
}

void AppendShortest(std::string& text, float value) {
  std::array<char, 32> buffer{};
  char* end = WriteShortestFloat(buffer.data(), value);
  if (!end) end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
  text.append(buffer.data(), end);
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
  const std::string_view trimmed = TrimView(text);
  if (trimmed.empty()) return std::nullopt;
  double value = 0;
  if (ParsePlainNumber(trimmed, value)) return value;
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
