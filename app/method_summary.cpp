// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/method_summary.h"

#include "app/function_texts.h"
#include "app/method_report.h"
#include "app/number_text.h"
#include "app/run_verdict.h"
#include "core/method_table.h"

namespace app {

namespace {

std::string FunctionLine(const core::MethodHistory& history) {
  const std::string text = FunctionText(history.equation);
  if (history.formula != nullptr || text.empty()) return std::string();
  return "Метод ищет нули правой части уравнения: " + text + " («x=» в расчёте не участвует).";
}

std::string CountsText(const core::EvaluationCounts& counts) {
  return EvaluationCountText("f", counts.f_asked, counts.f_computed) + "; " +
         EvaluationCountText("f′", counts.df_asked, counts.df_computed);
}

}  // namespace

std::string ResultLine(const core::MethodHistory& history, bool found_root) {
  if (history.error)
    return "Метод завершился ошибкой: «" + *history.error + "». Проходы до ошибки — в таблице.";
  if (!history.root || !history.count) return "Метод не запускался.";
  return (found_root ? "Корень (как в таблице): "
                     : "В таблице (последнее приближение, не корень): ") +
         FormatReal(*history.root) + ", итераций: " + FormatInteger(*history.count);
}

MethodSummary Summarize(const RunRecord& run, std::uint8_t method, const MethodAnalysis& analysis) {
  const core::MethodHistory& history = run.History(method);
  MethodSummary summary;
  summary.heading = "Итерации: " + std::string(core::EntryOf(method).name);
  summary.title = summary.heading;
  if (history.formula != nullptr) summary.title += " — " + run.equation_text;
  summary.inputs = InputsText(run);
  summary.function_line = FunctionLine(history);
  summary.verdict = VerdictText(analysis.verdict);
  summary.result = ResultLine(history, FoundRoot(analysis.verdict.outcome));
  summary.counts = CountsText(history.counts);
  if (StartsWithoutSignChange(run, history))
    summary.sign_warning = std::string(kNoSignChangeWarning);
  summary.order = OrderText(analysis);
  summary.expected_order = ExpectedOrderText(run.method_set);
  summary.reference = ReferenceText(analysis);
  return summary;
}

}  // namespace app
