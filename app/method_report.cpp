// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/method_report.h"

#include <cmath>
#include <vector>

#include "app/number_text.h"
#include "core/equation_source.h"
#include "core/errors.h"
#include "core/root_finding.h"

namespace app {

namespace {

// Russian counts: 1, 21, 31 ... "раз"; 2–4, 22–24 ... "раза"; the rest "раз".
std::string_view TimesWord(std::int64_t count) {
  const std::int64_t tens = count % 100;
  const std::int64_t units = count % 10;
  return units >= 2 && units <= 4 && (tens < 12 || tens > 14) ? "раза" : "раз";
}

// The decimal number with the current separator, e.g. "1,6".
std::string Decimal(std::string_view whole, std::string_view fraction) {
  return std::string(whole) + DecimalSeparator() + std::string(fraction);
}

}  // namespace

std::optional<double> EvaluateF(const RunRecord& run, const core::MethodHistory& history,
                                double x) {
  try {
    const core::EquationSource source = history.formula != nullptr
                                            ? core::EquationSource(history.formula)
                                            : core::EquationSource(history.equation);
    return source.f(x, core::Coefficients{run.k, run.l});
  } catch (const core::Exception&) {
    return std::nullopt;
  }
}

std::string InputsText(const RunRecord& run) {
  const std::string equation =
      run.equation_text.empty() ? std::string("(не выбрано)") : run.equation_text;
  return "Уравнение " + equation + ", k = " + FormatReal(run.k) + ", l = " + FormatReal(run.l) +
         "; начальное значение " + run.start_text + ", точность " + run.precision_text +
         ", конечный интервал " + run.end_text;
}

std::string EvaluationCountText(std::string_view function, std::int64_t asked,
                                std::int64_t computed) {
  if (asked == 0) return std::string(function) + " не вычислялась";
  return std::string(function) + " вычислена " + std::to_string(asked) + " " +
         std::string(TimesWord(asked)) + ", из них заново " + std::to_string(computed);
}

bool StartsWithoutSignChange(const RunRecord& run, const core::MethodHistory& history) {
  if (history.method != core::kBisection && history.method != core::kChords) return false;
  const std::optional<double> f_start = EvaluateF(run, history, history.start);
  const std::optional<double> f_end = EvaluateF(run, history, history.end);
  if (!f_start || !f_end) return false;
  // Compared by sign, so that a product beyond the double range cannot overflow.
  return (*f_start > 0 && *f_end > 0) || (*f_start < 0 && *f_end < 0);
}

std::optional<double> OrderOfConvergence(const core::MethodHistory& history) {
  std::vector<double> steps;
  for (const core::PassRecord& pass : history.passes)
    if (pass.step) steps.push_back(*pass.step);
  if (steps.size() < 3) return std::nullopt;
  const double e1 = steps[steps.size() - 3];
  const double e2 = steps[steps.size() - 2];
  const double e3 = steps[steps.size() - 1];
  if (e1 <= 0 || e2 <= 0 || e3 <= 0 || e1 == e2) return std::nullopt;
  const double q = std::log(e3 / e2) / std::log(e2 / e1);
  if (!std::isfinite(q)) return std::nullopt;
  return q;
}

std::string OrderOfConvergenceText(const core::MethodHistory& history) {
  const std::optional<double> q = OrderOfConvergence(history);
  if (!q) {
    return "Порядок сходимости не оценивается: нужны три последних шага, "
           "не равных нулю и не равных друг другу.";
  }
  // Two decimals are all that three steps can tell.
  return "Порядок сходимости по трём последним шагам: q ≈ " +
         FormatReal(core::RoundDecimal(*q, -2));
}

std::string ExpectedOrderText() {
  return "Ожидается около 1 для половинного деления и хорд, около " + Decimal("1", "6") +
         " для секущих, около 2 для касательных.";
}

}  // namespace app
