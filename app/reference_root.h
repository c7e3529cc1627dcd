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

// The search for a sign change first looks this far on either side of the
// point, relative to |x|, and never nearer than the smallest look.
inline constexpr long double kFirstLook = 1e-12L;
inline constexpr long double kSmallestLook = 1e-300L;

// A function in extended precision; no value where the evaluation raises.
using ExtendedFunction = std::function<std::optional<long double>(long double)>;

// f and f′ of the equation a method solved, with the run's coefficients,
// in extended precision.
struct SolvedFunction {
  ExtendedFunction f;
  ExtendedFunction df;
};
SolvedFunction FunctionOf(const RunRecord& run, const core::MethodHistory& history);

// A zero of f inside a sign change found within `reach` of `near` (looked for
// outwards from `near`, so the nearest one), refined by Newton steps on `df`
// that fall back to halving whenever a step would leave the bracket. Empty
// when no sign change lies within reach.
// The first look is `first`, by default kFirstLook·|near|.
std::optional<long double> RefineRoot(const ExtendedFunction& f, const ExtendedFunction& df,
                                      long double near, long double reach,
                                      std::optional<long double> first = std::nullopt);

// How far ReferenceRoot looks from xₙ: as far as the interval is wide, and
// at least a thousandth of |xₙ|.
long double ReferenceReach(const core::MethodHistory& history);

// The reference root for a method's history: refined from its last
// approximation on the equation and coefficients of the run, within
// ReferenceReach.
std::optional<long double> ReferenceRoot(const RunRecord& run, const core::MethodHistory& history);

}  // namespace app
