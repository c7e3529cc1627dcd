// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/method_efficiency.h"

#include <cmath>
#include <limits>

#include "app/number_text.h"
#include "core/method_table.h"

namespace app {

namespace {

std::int64_t Computed(const core::EvaluationCounts& counts) {
  return counts.f_computed + counts.df_computed;
}

// The names of the listed methods, joined by commas.
std::string Names(const std::vector<std::uint8_t>& methods) {
  std::string text;
  for (const std::uint8_t method : methods) {
    if (!text.empty()) text += ", ";
    text += core::FindMethod(method)->name;
  }
  return text;
}

}  // namespace

std::array<EfficiencyRow, 4> CompareEfficiency(const RunRecord& run,
                                               const std::array<MethodAnalysis, 4>& analyses) {
  std::array<EfficiencyRow, 4> rows;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const core::MethodHistory& history = run.methods[i];
    const MethodAnalysis& analysis = analyses[i];
    EfficiencyRow& row = rows[i];
    row.method = static_cast<std::uint8_t>(i + 1);
    row.ran = history.ran;
    row.outcome = analysis.verdict.outcome;
    row.counts = history.counts;
    if (!history.passes.empty()) row.passes = history.passes.back().n;
    if (!analysis.measures.passes.empty()) row.digits = analysis.measures.passes.back().digits;
    const std::int64_t computed = Computed(history.counts);
    if (row.digits && computed > 0)
      row.digits_per_evaluation = static_cast<double>(*row.digits) / static_cast<double>(computed);
    if (analysis.order && *analysis.order > 0) {
      // The new evaluations a pass needs by the formula: f, and f′ for the
      // tangents. The few at the start are not part of the rate.
      const double per_pass = history.counts.df_asked > 0 ? 2 : 1;
      row.efficiency_index = std::pow(*analysis.order, 1 / per_pass);
    }
  }
  return rows;
}

std::optional<std::uint8_t> FastestByPasses(const RunRecord& run) {
  std::optional<std::uint8_t> fastest;
  std::int32_t fewest = 0;
  for (const core::MethodHistory& history : run.methods) {
    if (!history.count) return std::nullopt;
    if (!fastest || *history.count < fewest) {
      fastest = history.method;
      fewest = *history.count;
    }
  }
  return fastest;
}

std::string LeastWorkText(const std::array<EfficiencyRow, 4>& rows) {
  std::int64_t least = std::numeric_limits<std::int64_t>::max();
  std::vector<std::uint8_t> methods;
  for (const EfficiencyRow& row : rows) {
    if (!FoundRoot(row.outcome)) continue;
    const std::int64_t work = Computed(row.counts);
    if (work < least) {
      least = work;
      methods.clear();
    }
    if (work == least) methods.push_back(row.method);
  }
  if (methods.empty()) return "Меньше всего работы: ни один метод не нашёл корень.";
  return "Меньше всего работы (вычислений f и f′ заново) среди нашедших корень: " + Names(methods) +
         " — " + std::to_string(least) + ".";
}

}  // namespace app
