// SPDX-License-Identifier: GPL-3.0-or-later
// What a front end says about the two methods' conditions before a run, and
// the verdicts after it, in the same words: whether φ contracts on
// [start, end] (simple iteration) and whether the combined method's
// condition holds there.
#pragma once

#include <optional>
#include <string>

#include "core/equation_source.h"
#include "core/history.h"
#include "core/method_table.h"

namespace app {

// "сжатие: q = 0,62 < 1" or "условие сходимости не выполнено: q = 1,8",
// with how λ was chosen: "λ = 1/M = 0,04, M = max |f′| по 1001 точке".
std::string ContractionText(const core::MethodSetup& setup);

// Why the combined method's condition fails, as a sentence.
std::string ConditionFailureText(const core::ConditionFailure& failure);

// Both, for the typed-equation window's note under its choice of methods:
// one line for each chosen method that has a condition to show; empty where
// none is chosen or the inputs do not read.
std::string ConditionsNote(const core::MethodSet& methods, const core::EquationSource& source,
                           const core::Coefficients& coefficients, double start, double end,
                           const core::MethodParameters& parameters);

}  // namespace app
