// SPDX-License-Identifier: GPL-3.0-or-later
// A reference root for measuring a method's error: the root the method
// stopped near, refined further in extended precision on the same f. The
// refinement never leaves a sign change, so it cannot wander off to another
// root or claim one where f only touches the axis; without a sign change
// near the point it refuses. Only the detail window uses it: the results
// table's root never changes.
#pragma once

#include <functional>
#include <optional>

#include "app/comparison_run.h"
#include "core/history.h"

namespace app {

// A function in extended precision; no value where the evaluation raises.
using ExtendedFunction = std::function<std::optional<long double>(long double)>;

// A zero of f inside a sign change found within `reach` of `near` (looked for
// outwards from `near`, so the nearest one), refined by Newton steps on `df`
// that fall back to halving whenever a step would leave the bracket. Empty
// when no sign change lies within reach.
std::optional<long double> RefineRoot(const ExtendedFunction& f, const ExtendedFunction& df,
                                      long double near, long double reach);

// The reference root for a method's history: refined from its last
// approximation on the equation and coefficients of the run. Looks as far as
// the interval is wide (at least a thousandth of |x|).
std::optional<long double> ReferenceRoot(const RunRecord& run, const core::MethodHistory& history);

}  // namespace app
