// SPDX-License-Identifier: GPL-3.0-or-later
// The exact derivative of a formula with respect to x, as a new tree built
// by the rules of differentiation and lightly simplified (simplify.h); k, l
// and the constants are constants. The formula's tree is shared, not changed.
#pragma once

#include "core/expression/node.h"

namespace core::expression {

NodePtr Differentiate(const NodePtr& tree);

}  // namespace core::expression
