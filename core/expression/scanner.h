// SPDX-License-Identifier: GPL-3.0-or-later
// The first step of reading a formula: its characters into tokens, each with
// the place where it begins, so that every error can name its position.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace core::expression {

enum class TokenKind {
  kNumber,
  kName,
  kPlus,
  kMinus,
  kTimes,
  kDivide,
  kPower,        // "^" or "**"
  kSuperscript,  // "²" or "³": the power of the number it stands for
  kRoot,         // "√"
  kOpen,
  kClose,
  kEquals,
  kComma,  // a "," that begins no number: functions have one argument
  kEnd,
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string_view text;     // the bytes as written
  std::size_t position = 0;  // the first character, counted from 1
  long double number = 0;    // kNumber, kSuperscript
};

// The tokens of `text`, ending with kEnd. Raises EFormulaError at a character
// that begins no token and at a number beyond the extended range. "." and ","
// are both decimal points, and a number may have an exponent: "2.5E+4", but
// "2e" is 2 and the constant e. "−" (U+2212) is a minus, "·", "⋅" and "×"
// are times.
std::vector<Token> Scan(std::string_view text);

}  // namespace core::expression
