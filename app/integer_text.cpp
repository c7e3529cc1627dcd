// SPDX-License-Identifier: GPL-3.0-or-later
// Whole numbers as text: the iteration counts of the results table.
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include "app/number_text.h"
#include "app/text_cursor.h"
#include "core/errors.h"

namespace app {

namespace {

// Hexadecimal digits after "$", "x", "X", "0x" or "0X": at least one, and no
// more than 32 bits' worth.
std::optional<std::uint32_t> ReadHexadecimal(TextCursor& cursor) {
  constexpr std::uint32_t kLastShiftable = (1u << 28) - 1;
  int digit = cursor.TakeHexDigit();
  if (digit < 0) return std::nullopt;
  std::uint32_t value = 0;
  for (; digit >= 0; digit = cursor.TakeHexDigit()) {
    if (value > kLastShiftable) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return value;
}

// Decimal digits: at least one; the value may reach 2147483649, the caller
// applies the limit that the sign allows.
std::optional<std::uint32_t> ReadDecimal(TextCursor& cursor) {
  constexpr std::uint32_t kLastMultipliable = 214748364;
  int digit = cursor.TakeDigit();
  if (digit < 0) return std::nullopt;
  std::uint32_t value = 0;
  for (; digit >= 0; digit = cursor.TakeDigit()) {
    if (value > kLastMultipliable) return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(digit);
  }
  return value;
}

bool TakeHexadecimalPrefix(TextCursor& cursor) {
  return cursor.Take('$') || cursor.Take('x') || cursor.Take('X') || cursor.Take("0x") ||
         cursor.Take("0X");
}

// Negation modulo 2^32: "-$80000000" and "-2147483648" both give the smallest value.
std::int32_t Signed(std::uint32_t magnitude, bool negative) {
  return static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude);
}

std::optional<std::int32_t> ScanInteger(std::string_view text) {
  TextCursor cursor(text);
  cursor.SkipBlanks();
  const bool negative = cursor.Take('-');
  if (!negative) cursor.Take('+');

  const bool hexadecimal = TakeHexadecimalPrefix(cursor);
  const std::optional<std::uint32_t> magnitude =
      hexadecimal ? ReadHexadecimal(cursor) : ReadDecimal(cursor);
  if (!magnitude || !cursor.AtEnd()) return std::nullopt;
  const std::uint32_t limit = negative ? 2147483648u : 2147483647u;
  if (!hexadecimal && *magnitude > limit) return std::nullopt;
  return Signed(*magnitude, negative);
}

}  // namespace

std::string FormatInteger(std::int32_t value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::int32_t ParseInteger(std::string_view text) {
  const std::optional<std::int32_t> value = ScanInteger(text);
  if (!value) throw core::EConvertError("'", text, "' is not a valid integer value");
  return *value;
}

}  // namespace app
