// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/method_report.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "app/number_text.h"
#include "core/equation_source.h"
#include "core/errors.h"
#include "core/method_table.h"
#include "core/root_finding.h"

namespace app {

namespace {

// Russian counts: 1, 21, 31 ... "раз"; 2–4, 22–24 ... "раза"; the rest "раз".
std::string_view TimesWord(std::int64_t count) {
  const std::int64_t tens = count % 100;
  const std::int64_t units = count % 10;
  return units >= 2 && units <= 4 && (tens < 12 || tens > 14) ? "раза" : "раз";
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
  if (!core::EntryOf(history.method).keeps_bracket) return false;
  const std::optional<double> f_start = EvaluateF(run, history, history.start);
  const std::optional<double> f_end = EvaluateF(run, history, history.end);
  if (!f_start || !f_end) return false;
  // Compared by sign, so that a product beyond the double range cannot overflow.
  return (*f_start > 0 && *f_end > 0) || (*f_start < 0 && *f_end < 0);
}

std::string ListedInRussian(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += i + 1 == items.size() ? " и " : ", ";
    text += items[i];
  }
  return text;
}

std::vector<OrderGroup> GroupByExpectedOrder(const core::MethodSet& methods) {
  std::map<double, std::vector<std::string>> names;
  for (const core::Method method : methods) {
    const core::MethodEntry& entry = core::EntryOf(method);
    names[entry.expected_order].emplace_back(entry.of_name);
  }
  std::vector<OrderGroup> groups;
  for (const auto& [order, of_names] : names) groups.push_back({order, ListedInRussian(of_names)});
  return groups;
}

std::string ExpectedOrderText(const core::MethodSet& methods) {
  std::string text;
  for (const OrderGroup& group : GroupByExpectedOrder(methods)) {
    text += text.empty() ? "Ожидается около " : ", около ";
    // One decimal says enough: 1,6 for the golden ratio of the secants.
    text += FormatReal(core::RoundDecimal(group.order, -1)) + " для " + group.names;
  }
  return text + ".";
}

}  // namespace app
