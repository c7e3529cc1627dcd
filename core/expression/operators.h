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

extern const Operator kAddition;
extern const Operator kSubtraction;
extern const Operator kMultiplication;
extern const Operator kDivision;
extern const Operator kExponentiation;  // "^", also typed "**"

}  // namespace core::expression
