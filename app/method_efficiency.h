// SPDX-License-Identifier: GPL-3.0-or-later
// A fair comparison of the run's methods: passes are not work. Each pass of
// the tangents costs an f and an f′, each pass of the others one f, so the
// table of results, which counts passes, flatters the tangents. This counts
// the evaluations and the digits they bought.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/comparison_run.h"
#include "app/method_analysis.h"

namespace app {

struct EfficiencyRow {
  std::uint8_t method = 0;
  bool ran = false;
  std::int32_t passes = 0;  // loop passes: the iteration count − 1
  core::EvaluationCounts counts;
  Outcome outcome = Outcome::kNotRun;
  std::optional<int> digits;                    // correct digits at the end
  std::optional<double> digits_per_evaluation;  // over the computed evaluations
  // q^(1/w): the order per evaluation, w new evaluations a pass (2 for the
  // tangents' f and f′, else 1); about
  // 1.414 for tangents, 1.618 for secants, 1 for the linear methods.
  std::optional<double> efficiency_index;
};

// One row for each method of the run, in its order.
std::vector<EfficiencyRow> CompareEfficiency(const RunRecord& run, const RunAnalyses& analyses);

// The method the results table names fastest (FastestMethod), as the
// comparison states it: "Быстрее всех по числу проходов (как в таблице
// результатов): Метод касательных."; the comparison at equal accuracy
// (equal_accuracy.h) stands beside it.
std::string FastestByPassesText(const RunRecord& run);

// Why passes are not work, and the efficiency index each method of the set
// can reach, from its expected order and whether it evaluates f′.
std::string EfficiencyNote(const core::MethodSet& methods);

}  // namespace app
