// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/equal_accuracy.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "app/method_report.h"
#include "app/number_text.h"
#include "app/verdict_thresholds.h"

namespace app {

namespace {

// Russian counts: 1, 21 … take `one`; 2–4, 22–24 … `few`; the rest `many`.
std::string Counted(std::int64_t count, std::string_view one, std::string_view few,
                    std::string_view many) {
  const std::int64_t tens = count % 100;
  const std::int64_t units = count % 10;
  const bool teens = tens >= 11 && tens <= 14;
  const std::string_view word = !teens && units == 1                 ? one
                                : !teens && units >= 2 && units <= 4 ? few
                                                                     : many;
  return FormatInteger(static_cast<std::int32_t>(count)) + " " + std::string(word);
}

bool SameRoot(long double a, long double b) {
  return std::fabs(a - b) <= kSameRoot * std::max(1.0L, std::max(std::fabs(a), std::fabs(b)));
}

std::string_view Name(core::Method method) {
  return core::EntryOf(method).name;
}

// The correct digits of the method's last pass, where they were measured.
std::optional<int> FinalDigits(const MethodAnalysis& analysis) {
  if (analysis.measures.passes.empty()) return std::nullopt;
  return analysis.measures.passes.back().digits;
}

// The first pass from which the method kept at least `digits` correct digits.
std::optional<AccuracyEntry> Reached(const core::MethodHistory& history,
                                     const MethodAnalysis& analysis, int digits) {
  std::optional<std::size_t> first;
  for (std::size_t i = history.passes.size(); i-- > 0;) {
    const std::optional<int> reached = analysis.measures.passes[i].digits;
    if (!reached || *reached < digits) break;
    first = i;
  }
  if (!first) return std::nullopt;
  const core::PassRecord& pass = history.passes[*first];
  return AccuracyEntry{static_cast<core::Method>(history.method), pass.n, pass.computed};
}

std::string RootText(long double root) {
  return FormatReal(root, 7);
}

}  // namespace

EqualAccuracy CompareAtEqualAccuracy(const RunRecord& run, const RunAnalyses& analyses) {
  EqualAccuracy comparison;
  // The roots found, each with its methods, in the order of the results table.
  std::vector<std::pair<long double, std::vector<core::Method>>> roots;
  for (const core::Method method : run.rows) {
    const std::optional<long double> reference = core::ForMethod(analyses, method).reference;
    if (!reference) continue;
    const auto same = std::find_if(roots.begin(), roots.end(), [&](const auto& found) {
      return SameRoot(found.first, *reference);
    });
    if (same == roots.end()) {
      roots.push_back({*reference, {method}});
    } else {
      same->second.push_back(method);
    }
  }
  const auto most = std::max_element(roots.begin(), roots.end(), [](const auto& a, const auto& b) {
    return a.second.size() < b.second.size();
  });
  if (most != roots.end()) {
    comparison.root = most->first;
    comparison.digits = 0;
    for (const core::Method method : most->second) {
      const std::optional<int> digits = FinalDigits(core::ForMethod(analyses, method));
      if (digits && *digits > 0 && (comparison.digits == 0 || *digits < comparison.digits))
        comparison.digits = *digits;
    }
  }
  for (const core::Method method : run.method_set) {
    const MethodAnalysis& analysis = core::ForMethod(analyses, method);
    const core::MethodHistory& history = run.History(method);
    const Outcome outcome = analysis.verdict.outcome;
    std::string why;
    if (!history.ran) {
      why = "не запускался";
    } else if (!FoundRoot(outcome)) {
      why = "не нашёл корень (" + std::string(OutcomeWord(outcome)) + ")";
    } else if (!analysis.reference) {
      why = "корень без смены знака: погрешность не измерить";
    } else if (!SameRoot(*analysis.reference, *comparison.root)) {
      why = "нашёл другой корень x* ≈ " + RootText(*analysis.reference);
    } else if (comparison.digits == 0 || FinalDigits(analysis).value_or(0) == 0) {
      why = "остановился, не получив ни одной верной цифры";
    } else if (const std::optional<AccuracyEntry> entry =
                   Reached(history, analysis, comparison.digits)) {
      comparison.compared.push_back(*entry);
      continue;
    } else {
      why = "остановился раньше";
    }
    comparison.apart.push_back({method, why});
  }
  std::stable_sort(
      comparison.compared.begin(), comparison.compared.end(),
      [](const AccuracyEntry& a, const AccuracyEntry& b) { return a.evaluations < b.evaluations; });
  return comparison;
}

std::string EqualAccuracyText(const EqualAccuracy& comparison) {
  std::string text;
  if (comparison.compared.empty()) {
    text =
        "При равной точности сравнить нельзя: ни один метод не нашёл корень с измеренной "
        "погрешностью.";
  } else {
    text = "При равной точности, " +
           Counted(comparison.digits, "верная цифра", "верные цифры", "верных цифр") +
           " корня x* ≈ " + RootText(*comparison.root) + ", понадобилось вычислений f и f′: ";
    for (std::size_t i = 0; i < comparison.compared.size(); ++i) {
      const AccuracyEntry& entry = comparison.compared[i];
      if (i > 0) text += ", ";
      text += std::string(Name(entry.method)) + " — " + FormatInteger(entry.evaluations) +
              " (проход " + FormatInteger(entry.pass) + ")";
    }
    text += ".";
    if (comparison.compared.size() == 1) {
      text += " Сравнивать не с чем: больше ни один метод не дал этот корень с такой точностью.";
    } else {
      const std::int32_t least = comparison.compared.front().evaluations;
      std::vector<std::string> names;
      for (const AccuracyEntry& entry : comparison.compared)
        if (entry.evaluations == least) names.emplace_back(Name(entry.method));
      text += " Меньше всего работы: " + ListedInRussian(names) + ".";
    }
  }
  if (!comparison.apart.empty()) {
    text += " Отдельно: ";
    for (std::size_t i = 0; i < comparison.apart.size(); ++i) {
      if (i > 0) text += "; ";
      text += std::string(Name(comparison.apart[i].method)) + " — " + comparison.apart[i].why;
    }
    text += ".";
  }
  return text;
}

core::PerMethod<std::vector<PlotPoint>> WorkPrecision(const RunRecord& run,
                                                      const RunAnalyses& analyses) {
  core::PerMethod<std::vector<PlotPoint>> series;
  for (const core::Method method : run.method_set) {
    const core::MethodHistory& history = run.History(method);
    const MethodAnalysis& analysis = core::ForMethod(analyses, method);
    if (!analysis.reference) continue;
    std::vector<PlotPoint>& points = core::ForMethod(series, method);
    for (std::size_t i = 0; i < history.passes.size(); ++i) {
      const std::optional<int> digits = analysis.measures.passes[i].digits;
      if (digits)
        points.push_back(
            {static_cast<double>(history.passes[i].computed), static_cast<double>(*digits)});
    }
  }
  return series;
}

}  // namespace app
