// SPDX-License-Identifier: GPL-3.0-or-later
// Constructors that simplify as they build, for the derivative only: the
// typed formula itself is evaluated as written. They drop 0·a, 1·a, a + 0,
// a − 0, a / 1, a^1 and a^0, fold operations on two numbers, and turn
// a + (−b) into a − b, so that the derivative reads as a student would write
// it. A fold that would raise an error is left unfolded: the error then
// belongs to the evaluation, at the point where it happens.
#pragma once

#include "core/expression/node.h"

namespace core::expression {

NodePtr Number(long double value);
NodePtr Negate(const NodePtr& a);
NodePtr Add(const NodePtr& a, const NodePtr& b);
NodePtr Subtract(const NodePtr& a, const NodePtr& b);
NodePtr Multiply(const NodePtr& a, const NodePtr& b);
NodePtr Divide(const NodePtr& a, const NodePtr& b);
NodePtr Power(const NodePtr& a, const NodePtr& b);
NodePtr Call(std::uint8_t function, const NodePtr& argument);

}  // namespace core::expression
