// SPDX-License-Identifier: GPL-3.0-or-later
// The methods compared at equal accuracy. Each method stops at its own test,
// so the evaluations it made by then bought different things: one digit or
// seven, this root or another, or no root at all. Here only the methods that
// found the same root are weighed, each by the evaluations it needed to
// reach the same number of correct digits (the error column's), and the
// others are listed apart with why. The work–precision diagram shows the
// same: correct digits against evaluations, pass by pass.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/comparison_run.h"
#include "app/function_sampling.h"
#include "app/method_analysis.h"
#include "core/method_table.h"

namespace app {

struct AccuracyEntry {
  core::Method method{};
  std::int32_t pass = 0;         // the first pass from which it kept the digits
  std::int32_t evaluations = 0;  // f and f′ computed before that pass's xₙ
};

struct ApartEntry {
  core::Method method{};
  std::string why;  // "нашёл другой корень x* ≈ 4,712389"
};

struct EqualAccuracy {
  std::optional<long double> root;      // the root compared at
  int digits = 0;                       // the digits every compared method reached
  std::vector<AccuracyEntry> compared;  // the least work first; ties in the run's order
  std::vector<ApartEntry> apart;        // in the run's order
};

// The root found by the most methods (on a tie, the one whose method stands
// highest in the results table) and the fewest correct digits any of them
// ended with, at least one.
EqualAccuracy CompareAtEqualAccuracy(const RunRecord& run, const RunAnalyses& analyses);

// "При равной точности, 3 верные цифры корня x* ≈ 0,5671433: Метод секущих —
// 4 вычисления, … Меньше всего работы: Метод секущих. Отдельно: …"
std::string EqualAccuracyText(const EqualAccuracy& comparison);

// Correct digits (y) against the evaluations computed before each pass (x),
// for every method with a reference root; empty for the others.
core::PerMethod<std::vector<PlotPoint>> WorkPrecision(const RunRecord& run,
                                                      const RunAnalyses& analyses);

}  // namespace app
