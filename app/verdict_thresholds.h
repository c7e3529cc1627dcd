// SPDX-License-Identifier: GPL-3.0-or-later
// Every number the verdicts decide by, in one place, with why it has the
// value it has. Help section 10 quotes them to the student; tune them here
// and there together. They were tuned on the classic traps (the verdict
// tests hold one case each): Newton on x·e^(−x), bisection on a symmetric
// interval round an exact root, multiple roots for every method, a
// precision below what |f| can resolve, chords leaving the interval, and
// Newton running away on arctg.
#pragma once

#include <cstddef>

namespace app {

// Evidence of a root: a sign change of f (a root refined in extended
// precision) within this many times max(|Δ|, eps) of xₙ, Δ the last step.
// A method that has converged is within a step or so of the root: linear
// methods a few steps at most, faster ones far less.
inline constexpr double kEvidenceSteps = 4;
// The search for that sign change starts this share of the way out (or a few
// units in the last place of xₙ, if more) and doubles: a root nearer than
// the first look still shows as a sign change across it.
inline constexpr double kEvidenceFirstLook = 1e-6;

// "f is small everywhere": |f(xₙ)| not below this share of the largest |f|
// the run saw. Then a held |f| test says nothing about a root.
inline constexpr double kFlatShare = 1e-3;

// A multiple root: the estimated multiplicity m = |f′(xₙ)·(xₙ − x*) / f(xₙ)|
// (a simple root gives 1, a root of multiplicity m gives m), or where f keeps
// its sign, m = 1 / (1 − f·f″ / f′²), is at least this.
inline constexpr double kMultipleAtLeast = 1.5;
// Estimates beyond this measure how far xₙ is from a root, not a
// multiplicity: seen from far off, m grows with the distance.
inline constexpr double kMostMultiplicity = 10;
// A root further off than the evidence looks is taken as multiple only where
// xₙ sees it alike both ways: the two estimates of m, and the root that the
// local one points to, agree within this share.
inline constexpr double kAlike = 0.25;
// The candidate root of an even multiplicity, x* = xₙ − m·f/f′, is taken
// only where f nearly vanishes there: |f(x*)| below this share of |f(xₙ)|.
inline constexpr double kMultipleRootDepth = 1e-2;

// f → 0 at infinity: the last passes all move away from [start, end] in one
// direction while |f| falls, and their steps do not shrink below this share
// of the first of them (a method converging on a far root shrinks them).
inline constexpr std::size_t kRunawayPasses = 4;
inline constexpr double kRunawayStepShare = 0.25;

// Diverged: xₙ or |f| beyond this many times the inputs' scale, and still
// the farthest so far.
inline constexpr double kFar = 1e6;
// Diverged before an error: the farthest xₙ at least this many times the
// inputs' scale before the floating-point error ended the method.
inline constexpr double kGrowthBeforeError = 1e3;

// A distance test (|b − a|, a step) cannot be met when the precision lies
// below this many units in the last place of xₙ.
inline constexpr double kResolutionUlps = 4;
// A |f| test cannot be met when no double within this many units in the
// last place of xₙ gives |f| ≤ eps.
inline constexpr int kResidualUlpsSearched = 4;

// Cycling: approximations that agree to this relative distance repeat, with
// a period of 2 up to this.
inline constexpr double kRepeatTolerance = 1e-9;
inline constexpr int kLongestPeriod = 16;

// Newton's steps at a multiple root shrink by one steady ratio (m − 1)/m:
// the last few ratios within these bounds and this close to each other.
inline constexpr double kLowestRatio = 0.2;
inline constexpr double kHighestRatio = 0.95;
inline constexpr double kRatioSpread = 0.15;
inline constexpr std::size_t kRatiosCompared = 3;

// A higher order than expected: the settled qₙ at least this many times
// the method's expected order (tangents' 2 becomes 3 where f″ = 0).
inline constexpr double kHigherOrderShare = 1.25;

// Two methods found the same root when their refined roots agree to this
// relative distance (each is refined to the last digits of extended
// precision, so far closer than this unless the roots differ).
inline constexpr double kSameRoot = 1e-9;

}  // namespace app
