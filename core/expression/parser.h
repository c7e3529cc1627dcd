// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a typed formula into its tree, by recursive descent with one function
// per precedence level, as a school textbook orders them:
//
//   sum     = product { ("+" | "-") product }
//   product = signed { ("*" | "/") signed }
//   signed  = "-" signed | "+" signed | power        −x^2 is −(x^2)
//   power   = primary [ "^" signed ]                  right-associative
//   primary = number | variable | constant | function "(" sum ")" | "(" sum ")"
//
// Variables are x, k and l, constants pi and e. Two operands side by side
// ("2x", "x(x+1)") are refused rather than multiplied: implicit
// multiplication is a common source of misreading.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/expression/node.h"

namespace core::expression {

// The limits of a formula: longer or deeper texts are refused with a message
// before they can cost time or stack.
inline constexpr std::size_t kMaxFormulaLength = 1000;  // characters
inline constexpr int kMaxNestingDepth = 100;  // brackets, calls, signs and exponents within another

// The tree of `text` (UTF-8), or EFormulaError with the message and position.
NodePtr Parse(std::string_view text);

}  // namespace core::expression
