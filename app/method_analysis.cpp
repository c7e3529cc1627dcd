// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/method_analysis.h"

#include <cmath>

#include "app/number_text.h"
#include "app/run_verdict.h"
#include "app/verdict_thresholds.h"
#include "core/method_table.h"
#include "core/root_finding.h"

namespace app {

namespace {

// The order speaks for the end of the run only.
constexpr std::int32_t kLatestPasses = 2;
// Two estimates in a row within this share of each other have settled.
constexpr double kSettled = 0.25;

std::string TwoDecimals(double value) {
  return FormatReal(core::RoundDecimal(value, -2));
}

std::string_view BasisName(OrderBasis basis) {
  switch (basis) {
    case OrderBasis::kErrors:
      return "погрешностям |xₙ − x*|";
    case OrderBasis::kWidths:
      return "длинам отрезка |b − a|";
    case OrderBasis::kSteps:
      return "шагам |xₙ − xₙ₋₁|";
  }
  return std::string_view();
}

}  // namespace

MethodAnalysis Analyse(const RunRecord& run, std::uint8_t method) {
  const core::MethodHistory& history = run.History(method);
  MethodAnalysis analysis;
  analysis.verdict = VerdictOf(run, method);
  // The root the verdict found inside a sign change, refined: a multiple
  // root where f keeps its sign has none.
  if (FoundRoot(analysis.verdict.outcome)) analysis.reference = analysis.verdict.root;
  analysis.measures = MeasurePasses(history, analysis.reference);
  if (!FoundRoot(analysis.verdict.outcome)) {
    // A run that found no root has no order: not even per pass.
    for (PassMeasure& pass : analysis.measures.passes) pass.q.reset();
    return analysis;
  }
  if (analysis.verdict.outcome == Outcome::kMultipleRoot) return analysis;
  // Enough passes: two estimates in a row that agree, so that q has settled
  // rather than caught the method on its way in.
  const std::vector<PassMeasure>& passes = analysis.measures.passes;
  for (std::size_t i = passes.size(); i-- > 1;) {
    if (history.passes[i].n + kLatestPasses <= analysis.verdict.last_pass) break;
    const std::optional<double> q = passes[i].q;
    const std::optional<double> before = passes[i - 1].q;
    if (q && before && std::fabs(*q / *before - 1) <= kSettled) {
      analysis.order = q;
      break;
    }
  }
  // Faster than the method promises: f″ vanishes at the root.
  const double expected = core::EntryOf(method).expected_order;
  if (analysis.order && *analysis.order >= kHigherOrderShare * expected) {
    analysis.verdict.notes.Add(Note::kHigherOrder);
    analysis.verdict.order = *analysis.order;
  }
  return analysis;
}

RunAnalyses AnalyseRun(const RunRecord& run) {
  RunAnalyses analyses;
  for (const core::MethodEntry& entry : core::kMethods)
    core::ForMethod(analyses, entry.number) = Analyse(run, entry.number);
  return analyses;
}

std::string ReferenceText(const MethodAnalysis& analysis) {
  if (analysis.reference) return std::string();
  const Outcome outcome = analysis.verdict.outcome;
  std::string why;
  if (outcome == Outcome::kMultipleRoot) {
    why = "у корня чётной кратности f не меняет знак, и уточнить его надёжно нельзя";
  } else {
    why = "метод не сошёлся (" + std::string(OutcomeWord(outcome)) + ")";
  }
  return "Опорного корня нет: " + why +
         ". Поэтому погрешность не показана, а график сходимости строится по шагам "
         "|xₙ − xₙ₋₁|.";
}

std::string OrderText(const MethodAnalysis& analysis) {
  const Outcome outcome = analysis.verdict.outcome;
  if (outcome == Outcome::kMultipleRoot) {
    return "Порядок не указан, он около 1: к кратному корню методы сходятся линейно (у "
           "касательных шаг убывает в m/(m − 1) раз за проход).";
  }
  if (!FoundRoot(outcome)) {
    return "Порядок сходимости не указан: метод не нашёл корень (" +
           std::string(OutcomeWord(outcome)) + ").";
  }
  const std::string basis(BasisName(analysis.measures.basis));
  if (!analysis.order) {
    return "Порядок сходимости не указан: в конце расчёта нет двух согласных оценок qₙ "
           "подряд, а каждая требует трёх строго убывающих значений по " +
           basis + " выше шума округления (мало проходов или точность double уже исчерпана).";
  }
  std::string text = "Порядок сходимости по " + basis + " последних проходов: q ≈ " +
                     TwoDecimals(*analysis.order) + ".";
  if (analysis.verdict.notes.Contains(Note::kHigherOrder)) {
    const core::MethodEntry& method = core::EntryOf(analysis.verdict.method);
    text += " Больше ожидаемого для " + std::string(method.of_name) + " (" +
            FormatReal(core::RoundDecimal(method.expected_order, -1)) +
            "): корень — точка перегиба (f″ = 0), и погрешность убывает быстрее.";
  }
  return text;
}

}  // namespace app
