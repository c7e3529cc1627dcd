// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a real number in the general format with 15 significant digits.
// The value is scaled to an 18-digit integer in the extended format and that
// integer, not the exact value, is rounded half-up to 15 digits. Near a decimal
// tie this differs from printf's "%.15Lg"; that is the program's rule.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "app/number_text.h"

namespace app {

namespace {

constexpr int kIntermediateDigits = 18;
constexpr long double kIntermediateLimit = 1e18L;  // exact in extended

// k with |v| < 10^k, from the binary exponent e2 of |v| (1 <= |v| / 2^e2 < 2).
// 19728 / 65536 lies slightly below log10(2), so the estimate can be one too
// low (fixed up once the digits are formed) and, for some tiny magnitudes, one
// too high (the digits then start with 0, and are written so).
int DecimalExponentEstimate(int binary_exponent) {
  return ((binary_exponent * 19728) >> 16) + 1;
}

// Writes `number` (below 10^18) as exactly 18 digit characters.
void WriteIntermediateDigits(std::uint64_t number, char* digits) {
  for (int i = kIntermediateDigits - 1; i >= 0; --i, number /= 10)
    digits[i] = static_cast<char>('0' + number % 10);
}

// Half-up rounding of the digits to `precision` digits; gives the number of
// digits kept. A carry out of the first digit leaves the single digit 1 and
// raises the exponent.
int RoundDigits(char* digits, int precision, std::int16_t& exponent) {
  if (precision >= kIntermediateDigits || digits[precision] < '5') return precision;
  int position = precision - 1;
  while (position >= 0 && digits[position] == '9') digits[position--] = '0';
  if (position >= 0) {
    ++digits[position];
    return precision;
  }
  digits[0] = '1';
  ++exponent;
  return 1;
}

void AppendZeros(std::string& text, int count) {
  text.append(static_cast<std::size_t>(count), '0');
}

// d1[sep d2...]E[-]|k - 1|
void LayOutScientific(std::string_view digits, int exponent, std::string& text) {
  text += digits.front();
  if (digits.size() > 1) {
    text += DecimalSeparator();
    text += digits.substr(1);
  }
  text += 'E';
  text += FormatInteger(exponent - 1);
}

// The first k digits, padded with zeros, then the separator and the rest.
void LayOutWhole(std::string_view digits, int exponent, std::string& text) {
  const auto whole_digits = static_cast<std::size_t>(exponent);
  text += digits.substr(0, whole_digits);
  if (digits.size() <= whole_digits) {
    AppendZeros(text, exponent - static_cast<int>(digits.size()));
    return;
  }
  text += DecimalSeparator();
  text += digits.substr(whole_digits);
}

// 0 sep -k zeros, then the digits.
void LayOutSmall(std::string_view digits, int exponent, std::string& text) {
  text += '0';
  text += DecimalSeparator();
  AppendZeros(text, -exponent);
  text += digits;
}

}  // namespace

DecimalDigits ToDecimalDigits(long double value, int precision) {
  DecimalDigits record;
  switch (std::fpclassify(value)) {
    case FP_ZERO:
    case FP_SUBNORMAL:
      return record;
    case FP_INFINITE:
      record.exponent = DecimalDigits::kInfinity;
      record.negative = std::signbit(value);
      return record;
    case FP_NAN:
      record.exponent = DecimalDigits::kNaN;
      return record;
    default:
      break;
  }
  precision = std::clamp(precision, 1, kIntermediateDigits);
  record.negative = value < 0;

  int exponent = DecimalExponentEstimate(std::ilogb(value));
  long double scaled =
      std::nearbyint(ScaleByPowerOfTen(std::fabs(value), kIntermediateDigits - exponent));
  // The estimate is never more than one too low, for any extended value, so
  // one division brings the intermediate below 10^18.
  if (scaled >= kIntermediateLimit) {
    scaled = scaled / 10;
    ++exponent;
  }
  const auto intermediate = static_cast<std::uint64_t>(std::nearbyint(scaled));
  record.exponent = static_cast<std::int16_t>(exponent);

  WriteIntermediateDigits(intermediate, record.digits);
  int length = RoundDigits(record.digits, precision, record.exponent);
  while (length > 0 && record.digits[length - 1] == '0') --length;
  record.digits[length] = '\0';
  return record;
}

std::string FormatReal(long double value) {
  return FormatReal(value, 15);
}

std::string FormatReal(long double value, int significant) {
  const int precision = std::clamp(significant, 1, 15);
  const DecimalDigits record = ToDecimalDigits(value, precision);
  if (record.exponent == DecimalDigits::kInfinity) return record.negative ? "-INF" : "INF";
  if (record.exponent == DecimalDigits::kNaN) return "NAN";
  const std::string_view digits(record.digits);
  if (digits.empty()) return "0";

  std::string text = record.negative ? "-" : "";
  const int exponent = record.exponent;
  if (exponent > precision || exponent < -3)
    LayOutScientific(digits, exponent, text);
  else if (exponent >= 1)
    LayOutWhole(digits, exponent, text);
  else
    LayOutSmall(digits, exponent, text);
  return text;
}

}  // namespace app
