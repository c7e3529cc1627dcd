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

core::EquationSource SourceOf(const core::MethodHistory& history) {
  return history.formula != nullptr ? core::EquationSource(history.formula)
                                    : core::EquationSource(history.equation);
}

std::optional<double> EvaluateF(const RunRecord& run, const core::MethodHistory& history,
                                double x) {
  try {
    return SourceOf(history).f(x, core::Coefficients{run.k, run.l});
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

std::string ExpectedOrderText() {
  return "Ожидается около 1 для половинного деления и хорд, около " + Decimal("1", "6") +
         " для секущих, около 2 для касательных.";
}

}  // namespace app
