// SPDX-License-Identifier: GPL-3.0-or-later
// A tree as text in the formula language, with only the brackets its
// structure needs and every operation written out ("2*x", "x^2",
// "sqrt(x)"): the text reads back into the same tree. Numbers keep the text
// they were typed with; functions print under their Russian textbook names.
#pragma once

#include <string>

#include "core/expression/node.h"

namespace core::expression {

std::string Print(const NodePtr& tree);

}  // namespace core::expression
