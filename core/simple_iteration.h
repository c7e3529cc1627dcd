// SPDX-License-Identifier: GPL-3.0-or-later
// Simple iteration solves f(x) = 0 as x = φ(x), with φ(x) = x − λ·f(x) or a φ
// the user typed. It converges where φ contracts: |φ′(x)| ≤ q < 1 on
// [start, end]. Both λ's default and q come from one grid of that interval,
// which the method reads before its first pass and a front end reads to
// show q and its verdict before the run.
#pragma once

#include <cstddef>
#include <optional>

#include "core/equation_source.h"
#include "core/equations.h"
#include "core/method_table.h"

namespace core {

// The grid of q: this many equally spaced points from min(start, end) to
// max(start, end), both ends included. Fine enough for q within a few per
// cent, and f′ costs little.
inline constexpr std::size_t kConditionGridPoints = 1001;
// The grid on which the combined method checks that f′ and f″ keep their
// signs: coarser, since f″ of the expression engine costs several times f′,
// and the check must stay a small part of a run at the pass cap.
inline constexpr std::size_t kSignGridPoints = 101;

// The k-th of `points` grid points of [low, high].
double GridPoint(double low, double high, std::size_t k, std::size_t points = kConditionGridPoints);

// λ, M and q as the grid finds them for `parameters` (MethodSetup's fields;
// tolerance stays empty). Points where f′ or φ′ raises an error are left
// out; q stays empty where no point is left.
MethodSetup EstimateContraction(const EquationSource& source, const Coefficients& coefficients,
                                double start, double end, const MethodParameters& parameters);

// The bound the step is compared with: (1 − q)/q·eps where 0 < q < 1, which
// makes |xₙ − x*| ≤ eps; eps otherwise.
double IterationTolerance(const std::optional<double>& contraction, double eps);

}  // namespace core
