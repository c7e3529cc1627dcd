// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/variants.h"
#include "app/function_texts.h"

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <set>
#include <tuple>

#include "app/method_report.h"
#include "app/number_text.h"
#include "core/equations.h"
#include "core/errors.h"
#include "core/method_table.h"
#include "core/methods.h"
#include "core/root_finding.h"

namespace app {

namespace {

// Coefficients a student can type and an interval on a coarse grid: the
// coarsest grid step that isolates the root is taken.
constexpr std::array<double, 6> kKValues = {0.5, 1, 1.5, 2, 2.5, 3};
constexpr std::array<double, 4> kLValues = {0.5, 1, 1.5, 2};
// Grid steps as tenths: 1, 0.5, 0.2, 0.1.
constexpr std::array<int, 4> kGridTenths = {10, 5, 2, 1};
// Roots are looked for in [-kSearchLimit, kSearchLimit] on this many points.
constexpr double kSearchLimit = 4;
constexpr int kSearchPoints = 1024;
// Samples of the interval that must show exactly one sign change.
constexpr int kIntervalSamples = 256;
// |f′| at the root at least this: a simple root, not a near-double one.
constexpr double kSimpleRootSlope = 1e-3;
constexpr int kTriesPerVariant = 2000;

class Draw {
 public:
  explicit Draw(std::uint64_t seed) : bits_(seed) {}
  std::uint64_t Below(std::uint64_t n) {
    std::uint64_t value = 0;
    while (!MapToRange(bits_(), n, value)) {
    }
    return value;
  }

 private:
  std::mt19937_64 bits_;
};

int Sign(double value) {
  return (value > 0) - (value < 0);
}

std::optional<double> SafeF(std::uint8_t equation, double x, const core::Coefficients& c) {
  try {
    const double value = core::f(equation, x, c);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
  } catch (const core::Exception&) {
    return std::nullopt;
  }
}

// Halves [a, b] while the midpoint differs from both ends: the root to the
// last bit of a double.
double BracketedRoot(std::uint8_t equation, double a, double b, const core::Coefficients& c) {
  const int sign_a = Sign(*SafeF(equation, a, c));
  for (int pass = 0; pass < 2000; ++pass) {
    const double middle = a + (b - a) / 2;
    if (middle <= a || middle >= b) break;
    const std::optional<double> value = SafeF(equation, middle, c);
    if (!value || *value == 0) return middle;
    (Sign(*value) == sign_a ? a : b) = middle;
  }
  return a + (b - a) / 2;
}

// The zeros with a sign change of the search grid, to double precision.
std::vector<double> RootsOnGrid(std::uint8_t equation, const core::Coefficients& c) {
  std::vector<double> roots;
  const double step = 2 * kSearchLimit / kSearchPoints;
  std::optional<double> previous = SafeF(equation, -kSearchLimit, c);
  for (int i = 1; i <= kSearchPoints; ++i) {
    const double x = -kSearchLimit + step * i;
    const std::optional<double> value = SafeF(equation, x, c);
    if (previous && value && Sign(*previous) * Sign(*value) < 0)
      roots.push_back(BracketedRoot(equation, x - step, x, c));
    previous = value;
  }
  return roots;
}

// Exactly one sign change over [a, b], none of the samples at zero or
// beyond the function's domain.
bool OneSignChange(std::uint8_t equation, double a, double b, const core::Coefficients& c) {
  int changes = 0;
  std::optional<double> previous = SafeF(equation, a, c);
  if (!previous || *previous == 0) return false;
  for (int i = 1; i <= kIntervalSamples; ++i) {
    const double x = i == kIntervalSamples ? b : a + (b - a) * i / kIntervalSamples;
    const std::optional<double> value = SafeF(equation, x, c);
    if (!value || *value == 0) return false;
    if (Sign(*previous) != Sign(*value)) ++changes;
    previous = value;
  }
  return changes == 1;
}

bool IsSimpleRoot(std::uint8_t equation, double root, const core::Coefficients& c) {
  try {
    return std::fabs(core::f_(equation, root, c)) >= kSimpleRootSlope;
  } catch (const core::Exception&) {
    return false;
  }
}

// Every method ends without an error and below the pass cap, converged to a
// root of the interval by its verdict.
bool EveryMethodConverges(const RunRecord& record, double a, double b) {
  if (!record.judged) return false;
  for (const core::Method method : record.method_set) {
    const core::MethodHistory& history = record.History(method);
    if (!history.ran || history.error || !history.count || *history.count >= core::kPassCap ||
        history.passes.empty())
      return false;
    if (core::ForMethod(record.verdicts, method).outcome != Outcome::kConverged) return false;
    const double last = history.passes.back().x;
    if (!(last >= a && last <= b)) return false;
  }
  return true;
}

std::optional<Variant> TryInterval(std::uint8_t equation, double k, double l, double root,
                                   int tenths, const std::string& precision_text) {
  const core::Coefficients c{k, l};
  const long long low = static_cast<long long>(std::floor(root * 10 / tenths));
  // Tenths are whole numbers, so that the ends are the doubles nearest to
  // the decimals the student types.
  const double a = static_cast<double>(low * tenths) / 10;
  const double b = static_cast<double>((low + 1) * tenths) / 10;
  if (!OneSignChange(equation, a, b, c) || !IsSimpleRoot(equation, root, c)) return std::nullopt;

  Variant variant;
  variant.inputs.methods = kVariantMethods;
  variant.inputs.equation = equation;
  variant.inputs.k = FormatReal(k);
  variant.inputs.l = FormatReal(l);
  variant.inputs.start = FormatReal(a);
  variant.inputs.end = FormatReal(b);
  variant.inputs.precision = precision_text;
  try {
    const SolvedRun solved = Solve(variant.inputs);
    if (solved.error || !EveryMethodConverges(*solved.record, a, b)) return std::nullopt;
    for (const core::Method method : kVariantMethods) {
      const core::MethodHistory& history = solved.record->History(method);
      core::ForMethod(variant.methods, method) = {*history.count, *history.root};
    }
    for (const core::Method method : FastestMethods(*solved.record)) {
      if (!variant.fastest.empty()) variant.fastest += ", ";
      variant.fastest += core::EntryOf(method).name;
    }
  } catch (const core::Exception&) {
    return std::nullopt;
  }
  variant.reference_root = root;
  variant.rounded_root = core::RoundDecimal(root, core::RoundingDigit(precision_text));
  return variant;
}

// "половинного деления, хорд, касательных и секущих"
std::string MethodsInTheGenitive() {
  std::vector<std::string> names;
  for (const core::Method method : kVariantMethods)
    names.emplace_back(core::EntryOf(method).of_name);
  return ListedInRussian(names);
}

}  // namespace

bool MapToRange(std::uint64_t bits, std::uint64_t n, std::uint64_t& value) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  // The largest multiple of n not above 2^64 - 1: bits from it on would
  // favour the numbers below the remainder.
  if (bits >= kMax - kMax % n) return false;
  value = bits % n;
  return true;
}

std::vector<Variant> MakeVariants(const VariantRequest& request) {
  const long double precision = ParseReal(request.precision_text);
  if (!(precision > 0)) throw core::Exception("Точность должна быть больше нуля");
  std::vector<std::uint8_t> equations = request.equations;
  if (equations.empty())
    for (int equation = 0; equation < core::kEquationCount; ++equation)
      equations.push_back(static_cast<std::uint8_t>(equation));

  Draw draw(request.seed);
  std::set<std::tuple<int, std::string, std::string, std::string, std::string>> used;
  std::vector<Variant> variants;
  for (int number = 1; number <= request.count; ++number) {
    std::optional<Variant> found;
    for (int attempt = 0; attempt < kTriesPerVariant && !found; ++attempt) {
      const std::uint8_t equation = equations[draw.Below(equations.size())];
      const double k = kKValues[draw.Below(kKValues.size())];
      const double l = kLValues[draw.Below(kLValues.size())];
      const std::vector<double> roots = RootsOnGrid(equation, {k, l});
      if (roots.empty()) continue;
      const double root = roots[draw.Below(roots.size())];
      for (const int tenths : kGridTenths) {
        found = TryInterval(equation, k, l, root, tenths, request.precision_text);
        if (!found) continue;
        const InputTexts& in = found->inputs;
        if (used.emplace(in.equation, in.k, in.l, in.start, in.end).second) break;
        found.reset();
      }
    }
    if (!found)
      throw core::Exception("Не удалось составить вариант " + FormatInteger(number) +
                            ": на выбранных уравнениях не нашлось отрезка с одним корнем");
    found->number = number;
    variants.push_back(std::move(*found));
  }
  return variants;
}

std::vector<std::string> TaskLines(const Variant& variant) {
  const InputTexts& in = variant.inputs;
  return {
      "Вариант " + FormatInteger(variant.number),
      "Уравнение " + std::string(core::kEquationTexts[in.equation]) + ", то есть " +
          FunctionText(in.equation) + " = 0",
      "k = " + in.k + ", l = " + in.l,
      "Отрезок [" + in.start + "; " + in.end + "], точность " + in.precision,
      "Найдите корень методами " + MethodsInTheGenitive() + " и сравните число итераций.",
  };
}

std::vector<std::vector<std::string>> AnswerLines(const std::vector<Variant>& variants) {
  std::vector<std::string> header = {
      "Вариант",  "Уравнение",         "k",     "l", "Начальное значение",
      "Точность", "Конечный интервал", "Корень"};
  for (const core::Method method : kVariantMethods) {
    const std::string name(core::EntryOf(method).name);
    header.push_back(name + ": корень");
    header.push_back(name + ": итераций");
  }
  header.push_back("Самый быстрый метод");
  std::vector<std::vector<std::string>> lines = {header};
  for (const Variant& variant : variants) {
    const InputTexts& in = variant.inputs;
    std::vector<std::string> line = {FormatInteger(variant.number),
                                     std::string(core::kEquationTexts[in.equation]),
                                     in.k,
                                     in.l,
                                     in.start,
                                     in.precision,
                                     in.end,
                                     FormatReal(variant.rounded_root)};
    for (const core::Method method : kVariantMethods) {
      const MethodAnswer& answer = core::ForMethod(variant.methods, method);
      line.push_back(FormatReal(answer.root));
      line.push_back(FormatInteger(answer.count));
    }
    line.push_back(variant.fastest);
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace app
