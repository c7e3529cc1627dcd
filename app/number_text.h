// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as text: reading real numbers typed by the user, writing roots and
// iteration counts for the results table. All of it uses one process-wide
// decimal separator taken from the user's locale and never the C library's
// locale-dependent conversions (the GUI toolkit sets the process locale).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// The decimal separator: one character (one code point, stored as UTF-8).
const std::string& DecimalSeparator();
void SetDecimalSeparator(std::string separator);

// The separator of the user's LC_NUMERIC locale from the environment, looked
// up on its own (independent of setlocale); "." when the lookup fails or gives
// more than one character.
std::string LocaleDecimalSeparator();

// The separator that a locale's radix text gives: the text itself when it is
// exactly one character (one UTF-8 sequence, or one byte), else ".".
std::string DecimalSeparatorFromRadix(std::string_view radix);

// Sets the decimal separator from the user's locale (at start-up and whenever
// the desktop announces a change).
void ReadDecimalSeparator();

// Reads a real number; false when the text is not one (the value is then not
// to be used). Raises nothing.
bool ScanReal(std::string_view text, long double& value);

// A text that is no number but reads as one with the decimal separator in
// place of the other ("1,5" for "1.5" where the separator is ","): what a
// user of another locale meant. Empty otherwise.
std::optional<std::string> WithTheSeparator(std::string_view text);

// Reads a real number or raises EConvertError
// "'<text>' is not a valid floating point value".
long double ParseReal(std::string_view text);

// value * 10^n through the power-of-ten tables.
long double ScaleByPowerOfTen(long double value, int n);

// The intermediate form of FormatReal.
struct DecimalDigits {
  static constexpr std::int16_t kInfinity = 32767;
  static constexpr std::int16_t kNaN = -32768;
  std::int16_t exponent = 0;  // value = 0.d1d2d3... * 10^exponent
  bool negative = false;
  char digits[19] = {};  // up to 18 digit characters, zero-terminated
};

// The digits of `value` rounded half-up to `precision` (1 to 18) significant
// digits.
DecimalDigits ToDecimalDigits(long double value, int precision);

// General format with 15 significant digits.
std::string FormatReal(long double value);
// The same with `digits` (1 to 15) significant digits, for cells and notes
// that must stay short; trailing zeros are dropped as ever.
std::string FormatReal(long double value, int digits);

std::string FormatInteger(std::int32_t value);

// Reads a whole number (decimal, or hexadecimal after "$", "x", "X", "0x",
// "0X") or raises EConvertError "'<text>' is not a valid integer value".
std::int32_t ParseInteger(std::string_view text);

}  // namespace app
