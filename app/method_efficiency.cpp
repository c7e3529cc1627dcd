// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/method_efficiency.h"

#include <cmath>
#include <functional>
#include <map>
#include <utility>

#include "app/method_report.h"
#include "app/number_text.h"
#include "core/method_table.h"
#include "core/root_finding.h"

namespace app {

namespace {

std::int64_t Computed(const core::EvaluationCounts& counts) {
  return counts.f_computed + counts.df_computed;
}

// The new evaluations a pass needs by the formula: f, and f′ where the
// method uses it.
double EvaluationsPerPass(const core::MethodEntry& method) {
  return method.uses_derivative ? 2 : 1;
}

}  // namespace

std::vector<EfficiencyRow> CompareEfficiency(const RunRecord& run, const RunAnalyses& analyses) {
  std::vector<EfficiencyRow> rows;
  for (const core::Method method : run.method_set) {
    const core::MethodHistory& history = run.History(method);
    const MethodAnalysis& analysis = core::ForMethod(analyses, method);
    EfficiencyRow& row = rows.emplace_back();
    row.method = method;
    row.ran = history.ran;
    row.outcome = analysis.verdict.outcome;
    row.counts = history.counts;
    if (!history.passes.empty()) row.passes = history.passes.back().n;
    if (!analysis.measures.passes.empty()) row.digits = analysis.measures.passes.back().digits;
    const std::int64_t computed = Computed(history.counts);
    if (row.digits && computed > 0)
      row.digits_per_evaluation = static_cast<double>(*row.digits) / static_cast<double>(computed);
    if (analysis.order && *analysis.order > 0) {
      // The evaluations the method asked for decide, not its row: the few
      // at the start are not part of the rate.
      const double per_pass = history.counts.df_asked > 0 ? 2 : 1;
      row.efficiency_index = std::pow(*analysis.order, 1 / per_pass);
    }
  }
  return rows;
}

std::string FastestByPassesText(const RunRecord& run) {
  const std::optional<core::Method> fastest = FastestMethod(run);
  if (!fastest) {
    return run.judged ? "Таблица результатов не называет самого быстрого: ни один метод не "
                        "нашёл корень."
                      : "Таблица результатов не называет самого быстрого: расчёт прервала ошибка.";
  }
  return "Быстрее всех по числу проходов (как в таблице результатов): " +
         std::string(core::EntryOf(*fastest).name) + ".";
}

std::string EfficiencyNote(const core::MethodSet& methods) {
  std::vector<std::string> with_derivative;
  // By expected order, the highest first; methods alike share a group.
  std::map<std::pair<double, double>, std::vector<std::string>, std::greater<>> groups;
  for (const core::Method method : methods) {
    const core::MethodEntry& entry = core::EntryOf(method);
    if (entry.uses_derivative) with_derivative.emplace_back(entry.of_name);
    groups[{entry.expected_order, EvaluationsPerPass(entry)}].emplace_back(entry.of_name);
  }
  std::string text = "Проход — ещё не работа: ";
  text += with_derivative.empty() ? std::string("проход любого метода вычисляет одну f.")
                                  : "проход " + ListedInRussian(with_derivative) +
                                        " вычисляет f и f′, проход остальных методов — одну f.";
  text +=
      " Индекс эффективности q^(1/w), где q — порядок, а w — вычислений за проход, показывает, "
      "во сколько раз растёт число верных цифр на одно вычисление: около ";
  bool first = true;
  for (const auto& [order_and_work, names] : groups) {
    const auto [order, per_pass] = order_and_work;
    if (!first) text += ", ";
    first = false;
    text += FormatReal(core::RoundDecimal(std::pow(order, 1 / per_pass), -3)) + " у " +
            ListedInRussian(names);
  }
  return text + ".";
}

}  // namespace app
