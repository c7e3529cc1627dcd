// SPDX-License-Identifier: GPL-3.0-or-later
// What the verdicts weigh, measured one fact at a time on a method's history
// and its equation: is there a root near the last point, how multiple is it,
// do the points repeat, run away or grow without bound, can any double near
// the point meet the test, did some pass hit a root exactly. Each function
// answers one question; run_verdict.cpp decides from the answers.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "app/reference_root.h"
#include "app/verdict_thresholds.h"
#include "core/history.h"

namespace app {

// |xₙ − xₙ₋₁| of the last pass that moved, 0 when none did.
double LastStep(const core::MethodHistory& history);

// A sign change of f within `reach` of `near`, refined to a root, or, where
// f changes sign there through a jump or a pole rather than a zero (|f| at
// the refined point larger than at `near`), the jump. The search starts at
// `first` from `near`, by default kFirstLook·|near|.
struct RootNear {
  std::optional<long double> root;
  bool jump = false;
};
RootNear FindRootNear(const SolvedFunction& function, double near, long double reach,
                      std::optional<long double> first = std::nullopt);

// The largest |f| at the points of the run and at the ends of its interval.
double LargestF(const SolvedFunction& function, const core::MethodHistory& history);

// The multiplicity a root x* seems to have, seen from x with f(x) ≠ 0:
// |f′(x)·(x − x*) / f(x)|, 1 at a simple root, m at a root of multiplicity m
// (f ≈ c·(x − x*)^m). Empty where f′ or f cannot be computed, f(x) = 0, or
// x lies within rounding noise of x*.
std::optional<double> MultiplicityTowards(const SolvedFunction& function, double x,
                                          long double root);

// A root of even multiplicity, where f keeps its sign: m = 1 / (1 − f·f″/f′²)
// at x (f″ from f′ by a central difference), and the root x* = x − m·f/f′
// it points to. Empty where the figures cannot be computed.
struct LocalMultiple {
  double multiplicity = 0;
  long double root = 0;
};
std::optional<LocalMultiple> EstimateLocalMultiple(const SolvedFunction& function, double x);

// The last move of the approximations heads towards `target` (or they never
// moved), and a method that keeps a bracket holds it in its last one.
bool MovesTowards(const core::MethodHistory& history, long double target);

// The shortest period p ≥ 2 with which the last approximations repeat while
// moving; 0 when they do not.
int CyclePeriod(const std::vector<core::PassRecord>& passes);

// xₙ or |f(xₙ)| beyond kFar times the inputs' scale and the farthest so far.
bool Diverges(const core::MethodHistory& history, double f_scale);
// The farthest |xₙ| of the run.
double Farthest(const core::MethodHistory& history);
// The inputs' scale of x: 1, |start| or |end|, whichever is largest.
double XScale(const core::MethodHistory& history);

// The last kRunawayPasses moves all lead away from [start, end] in one
// direction, |f| falls on each, and the steps do not shrink away.
bool RunsAwayWhileFDecays(const core::MethodHistory& history);

// Newton's steady ratio of steps at a multiple root, (m − 1)/m.
std::optional<double> SteadyStepRatio(const core::MethodHistory& history);

// What an |f| test can reach near x: |f′(x)|·ulp(x), the smallest |f| at the
// doubles within kResidualUlpsSearched units of x (x itself included), and
// whether f changes sign among them (the root lies between two doubles).
struct ResidualFloor {
  double slope_ulp = 0;
  double smallest_f = 0;
  bool sign_change = false;
  // |f| cannot come nearer to 0 here for want of doubles, not of passes: a
  // root lies between the neighbours, or the spacing alone accounts for |f|.
  bool Resolution() const { return sign_change || smallest_f <= kResolutionUlps * slope_ulp; }
};
std::optional<ResidualFloor> FloorOfResidual(const SolvedFunction& function, double x);

// The first pass with f(xₙ) = 0 exactly that the method then left.
struct ExactHit {
  std::int32_t pass = 0;
  double x = 0;
};
std::optional<ExactHit> ExactRootLeft(const core::MethodHistory& history);

// One unit in the last place of x.
double Ulp(double x);

}  // namespace app
