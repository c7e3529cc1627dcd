// SPDX-License-Identifier: GPL-3.0-or-later
// A fair comparison of the run's four methods: passes are not work. Each
// pass of the tangents costs an f and an f′, each pass of the others one f,
// so the table of results, which counts passes, flatters the tangents. This
// counts the evaluations and the digits they bought.
#pragma once

#include <array>
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

std::array<EfficiencyRow, 4> CompareEfficiency(const RunRecord& run,
                                               const std::array<MethodAnalysis, 4>& analyses);

// The method that the results table names fastest: the fewest iterations,
// the earlier method on a tie; none when an error cut the run short.
std::optional<std::uint8_t> FastestByPasses(const RunRecord& run);

// The methods that found a root with the fewest evaluations really computed,
// beside the table's fastest by passes: "Меньше всего работы: …".
std::string LeastWorkText(const std::array<EfficiencyRow, 4>& rows);

}  // namespace app
