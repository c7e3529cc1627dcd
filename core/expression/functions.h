// SPDX-License-Identifier: GPL-3.0-or-later
// The functions a formula may call, in one table: their names (the Russian
// textbook's first, then the international ones), their checked evaluation,
// their derivative and the domain rule that help states. A node of a call
// holds its row, so the parser, the compiled program, the derivative and the
// printer all read the same row.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "core/expression/node.h"
#include "core/extended.h"

namespace core::expression {

class Simplifier;  // simplify.h

struct FunctionEntry {
  std::array<std::string_view, 2> names;  // the second may be empty
  // The value, with the checked arithmetic's errors where it is not defined.
  Extended (*evaluate)(Extended u);
  // d f(u) / du, as a tree of u; the chain rule multiplies it by u′.
  NodePtr (*derivative)(Simplifier& s, const NodePtr& u);
  std::string_view domain;  // where it raises an error, for help; empty: nowhere
};

// The rows, each under a name of its own so that the derivative rules can
// name one another.
extern const FunctionEntry kSin, kCos, kTg, kCtg, kArcsin, kArccos, kArctg, kArcctg, kSh, kCh, kTh,
    kExp, kLn, kLg, kLog2, kSqrt, kAbs;

// The table: every row, in the order help lists them.
inline constexpr std::size_t kFunctionCount = 17;
extern const std::array<const FunctionEntry*, kFunctionCount> kFunctions;

// The row of the function with this name, under either of its names; null
// for none.
const FunctionEntry* FindFunction(std::string_view name);

}  // namespace core::expression
