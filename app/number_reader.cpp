// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a real number: decimal digits accumulated in the extended format,
// then one scaling by the power of ten that the fraction and the exponent
// give. Each step is rounded to extended, so the result can differ from a
// correctly rounded conversion (strtold) in the last bits; that is the
// program's rule, not an error to fix.
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "app/number_text.h"
#include "app/text_cursor.h"
#include "core/errors.h"
#include "core/floating_point_environment.h"

namespace app {

namespace {

// Reads digits into v: v = v * 10, then v = v + d, each step rounded to
// extended. Gives the number of digits read.
std::int64_t AccumulateDigits(TextCursor& cursor, long double& v) {
  std::int64_t count = 0;
  for (int digit = cursor.TakeDigit(); digit >= 0; digit = cursor.TakeDigit(), ++count) {
    v = v * 10;
    v = v + digit;
  }
  return count;
}

// The exponent after "E" or "e": an optional sign and digits, read until the
// value reaches 500 (further digits stay unread and so make the text invalid).
// The letter alone, or with a sign only, means 0.
int ReadExponent(TextCursor& cursor) {
  if (!cursor.Take('E') && !cursor.Take('e')) return 0;
  const bool negative = cursor.Take('-');
  if (!negative) cursor.Take('+');
  constexpr int kExponentReadLimit = 500;
  int exponent = 0;
  for (int digit = 0; exponent < kExponentReadLimit && (digit = cursor.TakeDigit()) >= 0;)
    exponent = exponent * 10 + digit;
  return negative ? -exponent : exponent;
}

// x - F, kept within the range where ScaleByPowerOfTen still tells powers
// apart: a text may hold more fraction digits than an int counts.
int ScalePower(int exponent, std::int64_t fraction_digits) {
  constexpr std::int64_t kBeyondTables = 5120;
  const std::int64_t power = exponent - fraction_digits;
  return static_cast<int>(power < -kBeyondTables ? -kBeyondTables : power);
}

}  // namespace

// Invalid operation and overflow are detected from the values, not from the
// status flags: accumulating digits and scaling by positive constants can make
// no NaN, and v only grows while digits are read and an infinity stays one, so
// a test before and after the scaling sees every overflow.
//
// The scan runs under the program's settings (64-bit significand, rounding to
// nearest, every condition masked and none pending) whatever the caller's, and
// gives the caller's back afterwards. It never looks at the status flags; they
// are cleared so that it leaves none behind.
bool ScanReal(std::string_view text, long double& value) {
  const core::ProgramFloatingPointScope settings;
  TextCursor cursor(text);
  cursor.SkipBlanks();
  const bool negative = cursor.Take('-');
  if (!negative) cursor.Take('+');

  long double v = 0;
  const std::int64_t integer_digits = AccumulateDigits(cursor, v);
  const bool has_separator = cursor.Take(DecimalSeparator());
  const std::int64_t fraction_digits = has_separator ? AccumulateDigits(cursor, v) : 0;
  if (integer_digits == 0 && !has_separator) return false;

  const int exponent = ReadExponent(cursor);
  cursor.SkipBlanks();
  if (!cursor.AtEnd() || !std::isfinite(v)) return false;

  v = ScaleByPowerOfTen(v, ScalePower(exponent, fraction_digits));
  if (!std::isfinite(v)) return false;
  value = negative ? -v : v;
  return true;
}

std::optional<std::string> WithTheSeparator(std::string_view text) {
  const std::string& ours = DecimalSeparator();
  long double value = 0;
  if (ScanReal(text, value)) return std::nullopt;
  for (const std::string_view other : {std::string_view("."), std::string_view(",")}) {
    if (other == ours || text.find(other) == std::string_view::npos) continue;
    std::string written(text);
    written.replace(written.find(other), other.size(), ours);
    if (ScanReal(written, value)) return written;
  }
  return std::nullopt;
}

long double ParseReal(std::string_view text) {
  long double value = 0;
  if (!ScanReal(text, value))
    throw core::EConvertError("'", text, "' is not a valid floating point value");
  return value;
}

}  // namespace app
