// SPDX-License-Identifier: GPL-3.0-or-later
// The operators of the formula language, one row each, as the function table
// (functions.h) holds the functions. The parser puts the row into the node it
// makes; the printer writes the row's symbol at the row's level; the compiled
// program calls the row's function; the simplifier folds numbers with it. So
// an operator is the same function from the text to the value.
#pragma once

#include <string_view>

#include "core/expression/node.h"
#include "core/extended.h"

namespace core::expression {

// Binding strength, as the parser's levels give it: a sum binds weakest, a
// number, name, call or bracket strongest.
enum Level : int { kSumLevel = 1, kProductLevel, kSignLevel, kPowerLevel, kAtomLevel };

struct Operator {
  NodeKind kind;
  std::string_view symbol;  // as printed
  Level level;
  // a op b with the checked arithmetic's errors.
  Extended (*evaluate)(Extended a, Extended b);
};

// a^b: an invalid operation for 0^0 and for a negative base to a power that
// is not a whole number, a division by zero for 0 to a negative power, an
// overflow beyond the extended range.
Extended Power(Extended a, Extended b);

// The rows are defined here, not in a source file, so that the compiled
// program's call of a row's function is a direct call the compiler can
// inline: through a pointer it cost a tenth of a typed evaluation.
inline constexpr Operator kAddition{NodeKind::kAdd, "+", kSumLevel,
                                    [](Extended a, Extended b) { return a + b; }};
inline constexpr Operator kSubtraction{NodeKind::kSubtract, "-", kSumLevel,
                                       [](Extended a, Extended b) { return a - b; }};
inline constexpr Operator kMultiplication{NodeKind::kMultiply, "*", kProductLevel,
                                          [](Extended a, Extended b) { return a * b; }};
inline constexpr Operator kDivision{NodeKind::kDivide, "/", kProductLevel,
                                    [](Extended a, Extended b) { return a / b; }};
inline constexpr Operator kExponentiation{NodeKind::kPower, "^", kPowerLevel,
                                          Power};  // also typed "**"

}  // namespace core::expression
