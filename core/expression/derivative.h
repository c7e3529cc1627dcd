// SPDX-License-Identifier: GPL-3.0-or-later
// The exact derivative of a formula with respect to x, as a new tree built
// by the rules of differentiation and simplified as a student would write it
// (simplify.h); k, l and the constants are constants. The formula's nodes are
// shared, not changed, and each of its subtrees is differentiated once, so
// the derivative is a graph of a few nodes for each node of the formula even
// where its printed text grows with the square of the formula's length.
//
// f′ is wanted only where f is defined: every method evaluates f at a point
// before it asks for f′ there. The simplifications rely on it: a divisor of
// f and the argument of its logarithms are not 0 wherever f′ is wanted, so
// (x/x)′ is 0 and (ln(x)/x)′ is (1-ln(x))/x^2. Where f raises an error, f′
// may have a value.
#pragma once

#include "core/expression/node.h"

namespace core::expression {

NodePtr Differentiate(const NodePtr& tree, NodeTable& table);

}  // namespace core::expression
