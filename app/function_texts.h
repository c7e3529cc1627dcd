// SPDX-License-Identifier: GPL-3.0-or-later
// What each equation of the list means as a function: the methods look for
// the zeros of the right-hand side alone, so "x=k*cos(l*x)" is f(x) = k·cos(l·x)
// and not x − k·cos(l·x). The detail window writes f out so that nobody reads
// the list text as an equation between both sides.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/comparison_run.h"
#include "core/equations.h"

namespace app {

// "f(x) = k·cos(l·x)" and so on, in the catalogue's order (UTF-8).
extern const std::array<std::string_view, core::kEquationCount> kFunctionTexts;

// The text of `equation`, or an empty text when the index names no equation.
std::string FunctionText(std::uint8_t equation);

// The same for what a run solved: its typed formula, or its equation.
std::string FunctionText(const RunRecord& run);

}  // namespace app
