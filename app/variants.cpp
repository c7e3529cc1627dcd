// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/variants.h"

#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <random>

#include "app/distinct_choice.h"
#include "app/function_texts.h"
#include "app/method_report.h"
#include "app/number_text.h"
#include "app/run_verdict.h"
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
// Two functions are the same up to a factor when their values at these
// points are: irregular points, so that no period of the equations' sines
// and cosines passes through all of them.
constexpr std::array<double, 12> kShapePoints = {-3.83, -3.07, -2.39, -1.76, -1.13, -0.47,
                                                 0.29,  0.88,  1.51,  2.23,  2.94,  3.62};
// Values scaled to length 1 agree to this when the functions are one up to
// a factor; different coefficients of the catalogue differ by far more.
constexpr double kSameShape = 1e-9;

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
      core::ForMethod(variant.methods, method) = {
          *history.count, *history.root,
          std::string(OutcomeWord(JudgeRun(*solved.record, history).outcome))};
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

// The coarsest grid step that isolates the root and lets every method
// converge.
std::optional<Variant> FirstInterval(std::uint8_t equation, double k, double l, double root,
                                     const std::string& precision_text) {
  for (const int tenths : kGridTenths) {
    if (std::optional<Variant> variant = TryInterval(equation, k, l, root, tenths, precision_text))
      return variant;
  }
  return std::nullopt;
}

// f at the comparison points, scaled to length 1 and signed so that the
// first clear value is positive: one for every multiple of f. A point
// outside f's domain is NaN in both.
using Shape = std::array<double, kShapePoints.size()>;

Shape ShapeOf(std::uint8_t equation, const core::Coefficients& c) {
  Shape shape{};
  double length = 0;
  for (std::size_t i = 0; i < shape.size(); ++i) {
    shape[i] = SafeF(equation, kShapePoints[i], c).value_or(std::nan(""));
    if (!std::isnan(shape[i])) length = std::hypot(length, shape[i]);
  }
  if (length == 0) return shape;
  double sign = 0;
  for (double& value : shape) {
    if (std::isnan(value)) continue;
    value /= length;
    if (sign == 0 && std::fabs(value) > 1e-6) sign = value > 0 ? 1 : -1;
  }
  for (double& value : shape) value *= sign;
  return shape;
}

bool SameUpToAFactor(const Shape& a, const Shape& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::isnan(a[i]) != std::isnan(b[i])) return false;
    if (!std::isnan(a[i]) && std::fabs(a[i] - b[i]) > kSameShape) return false;
  }
  return true;
}

// Where a candidate comes from: an equation with k and l (a combination),
// and one of its roots on the search grid.
struct CandidateId {
  int combination = 0;
  std::size_t root = 0;
  bool operator<(const CandidateId& other) const {
    return combination != other.combination ? combination < other.combination : root < other.root;
  }
};

// The candidates of one set, each worked out once: the roots of every
// combination drawn, its function's class up to a factor, and each root's
// variant and the class of its root as the table rounds it.
class CandidatePool {
 public:
  CandidatePool(std::vector<std::uint8_t> equations, std::string precision_text)
      : equations_(std::move(equations)), precision_text_(std::move(precision_text)) {}

  int CombinationCount() const {
    return static_cast<int>(equations_.size() * kKValues.size() * kLValues.size());
  }
  int Combination(std::size_t equation, std::size_t k, std::size_t l) const {
    return static_cast<int>((equation * kKValues.size() + k) * kLValues.size() + l);
  }

  const std::vector<double>& Roots(int combination) {
    const auto [found, added] = roots_.try_emplace(combination);
    if (added) found->second = RootsOnGrid(EquationOf(combination), CoefficientsOf(combination));
    return found->second;
  }

  int ShapeClass(int combination) {
    const auto [found, added] = shape_classes_.try_emplace(combination);
    if (!added) return found->second;
    const Shape shape = ShapeOf(EquationOf(combination), CoefficientsOf(combination));
    for (std::size_t i = 0; i < shapes_.size(); ++i) {
      if (SameUpToAFactor(shapes_[i], shape)) return found->second = static_cast<int>(i);
    }
    shapes_.push_back(shape);
    return found->second = static_cast<int>(shapes_.size() - 1);
  }
  int ShapeClassCount() const { return static_cast<int>(shapes_.size()); }

  const std::optional<Variant>& Candidate(CandidateId id) {
    const auto [found, added] = candidates_.try_emplace(id);
    if (added) {
      const core::Coefficients c = CoefficientsOf(id.combination);
      found->second = FirstInterval(EquationOf(id.combination), c.k, c.l,
                                    Roots(id.combination)[id.root], precision_text_);
    }
    return found->second;
  }

  // The class of the candidate's root as the table rounds it; the candidate
  // must exist.
  int RootClass(CandidateId id) {
    const auto [found, added] = root_classes_.try_emplace(FormatReal(Candidate(id)->rounded_root),
                                                          static_cast<int>(root_classes_.size()));
    return found->second;
  }
  int RootClassCount() const { return static_cast<int>(root_classes_.size()); }

  // Every candidate there is, in a fixed order.
  std::vector<CandidateId> All() {
    std::vector<CandidateId> all;
    for (int combination = 0; combination < CombinationCount(); ++combination) {
      ShapeClass(combination);
      for (std::size_t root = 0; root < Roots(combination).size(); ++root) {
        if (Candidate({combination, root})) all.push_back({combination, root});
      }
    }
    return all;
  }

  const std::vector<std::uint8_t>& Equations() const { return equations_; }

 private:
  std::uint8_t EquationOf(int combination) const {
    return equations_[static_cast<std::size_t>(combination) / (kKValues.size() * kLValues.size())];
  }
  core::Coefficients CoefficientsOf(int combination) const {
    const auto index = static_cast<std::size_t>(combination);
    return {kKValues[index / kLValues.size() % kKValues.size()], kLValues[index % kLValues.size()]};
  }

  std::vector<std::uint8_t> equations_;
  std::string precision_text_;
  std::map<int, std::vector<double>> roots_;
  std::map<int, int> shape_classes_;
  std::vector<Shape> shapes_;
  std::map<CandidateId, std::optional<Variant>> candidates_;
  std::map<std::string, int> root_classes_;
};

// "1 различный вариант", "3 различных варианта", "24 различных варианта".
std::string DistinctVariantsText(std::size_t count) {
  const std::size_t last_two = count % 100;
  const std::size_t last = count % 10;
  const char* words = "различных вариантов";
  if (last == 1 && last_two != 11) {
    words = "различный вариант";
  } else if (last >= 2 && last <= 4 && (last_two < 12 || last_two > 14)) {
    words = "различных варианта";
  }
  return std::to_string(count) + " " + words;
}

// "на уравнении 3", "на уравнениях 0, 3 и 8".
std::string OnTheEquations(const std::vector<std::uint8_t>& equations) {
  std::vector<std::string> numbers;
  for (const std::uint8_t equation : equations) numbers.push_back(std::to_string(equation));
  return (numbers.size() == 1 ? "на уравнении " : "на уравнениях ") + ListedInRussian(numbers);
}

// The choice grown to `wanted` with the whole pool, where drawing at random
// found no further candidate: chosen variants may give way to others with
// the same function. Raises when the pool holds no larger choice.
std::vector<CandidateId> CompleteFromThePool(CandidatePool& pool,
                                             const std::vector<CandidateId>& chosen, Draw& draw,
                                             std::size_t wanted) {
  const std::vector<CandidateId> all = pool.All();
  std::vector<Pairing> pairings;
  std::map<CandidateId, std::size_t> index_of;
  for (const CandidateId& id : all) {
    index_of[id] = pairings.size();
    pairings.push_back({pool.ShapeClass(id.combination), pool.RootClass(id)});
  }
  std::vector<std::size_t> chosen_indices;
  std::vector<bool> taken(static_cast<std::size_t>(pool.ShapeClassCount()), false);
  for (const CandidateId& id : chosen) {
    chosen_indices.push_back(index_of.at(id));
    taken[static_cast<std::size_t>(pool.ShapeClass(id.combination))] = true;
  }
  // The functions not taken yet, in an order the seed shuffles.
  std::vector<int> order;
  for (int shape = 0; shape < pool.ShapeClassCount(); ++shape)
    if (!taken[static_cast<std::size_t>(shape)]) order.push_back(shape);
  for (std::size_t i = order.size(); i > 1; --i) std::swap(order[i - 1], order[draw.Below(i)]);

  const std::vector<std::size_t> grown = GrowDistinctChoice(
      pairings, pool.ShapeClassCount(), pool.RootClassCount(), chosen_indices, order, wanted);
  if (grown.size() < wanted) {
    const std::string where = OnTheEquations(pool.Equations());
    if (grown.empty())
      throw core::Exception("Не удалось составить ни одного варианта " + where +
                            ": ни на одном отрезке все четыре метода не сходятся к простому корню");
    throw core::Exception("Можно составить только " + DistinctVariantsText(grown.size()) + " " +
                          where + ", а нужно " + std::to_string(wanted) +
                          ": у различных вариантов разные корни и функции, не совпадающие с "
                          "точностью до множителя");
  }
  std::vector<CandidateId> result;
  for (const std::size_t index : grown) result.push_back(all[index]);
  return result;
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

VariantSet MakeVariantSet(const VariantRequest& request) {
  const long double precision = ParseReal(request.precision_text);
  if (!(precision > 0)) throw core::Exception("Точность должна быть больше нуля");
  std::vector<std::uint8_t> equations = request.equations;
  if (equations.empty())
    for (int equation = 0; equation < core::kEquationCount; ++equation)
      equations.push_back(static_cast<std::uint8_t>(equation));
  const auto wanted = static_cast<std::size_t>(std::max(request.count, 0));

  CandidatePool pool(equations, request.precision_text);
  Draw draw(request.seed);
  VariantSet set;
  std::vector<CandidateId> chosen;
  std::vector<bool> used_shapes;
  std::vector<bool> used_roots;
  const auto used = [](const std::vector<bool>& classes, int index) {
    return static_cast<std::size_t>(index) < classes.size() &&
           classes[static_cast<std::size_t>(index)];
  };
  const auto mark = [](std::vector<bool>& classes, int index) {
    if (classes.size() <= static_cast<std::size_t>(index))
      classes.resize(static_cast<std::size_t>(index) + 1, false);
    classes[static_cast<std::size_t>(index)] = true;
  };
  while (chosen.size() < wanted) {
    std::optional<CandidateId> found;
    for (int attempt = 0; attempt < kTriesPerVariant && !found; ++attempt) {
      ++set.candidates;
      const std::size_t equation = draw.Below(equations.size());
      const std::size_t k = draw.Below(kKValues.size());
      const std::size_t l = draw.Below(kLValues.size());
      const int combination = pool.Combination(equation, k, l);
      if (used(used_shapes, pool.ShapeClass(combination))) continue;
      const std::vector<double>& roots = pool.Roots(combination);
      if (roots.empty()) continue;
      const CandidateId id{combination, draw.Below(roots.size())};
      if (!pool.Candidate(id) || used(used_roots, pool.RootClass(id))) continue;
      found = id;
    }
    if (!found) {
      chosen = CompleteFromThePool(pool, chosen, draw, wanted);
      break;
    }
    mark(used_shapes, pool.ShapeClass(found->combination));
    mark(used_roots, pool.RootClass(*found));
    chosen.push_back(*found);
  }
  for (const CandidateId& id : chosen) {
    set.variants.push_back(*pool.Candidate(id));
    set.variants.back().number = static_cast<int>(set.variants.size());
  }
  return set;
}

std::vector<Variant> MakeVariants(const VariantRequest& request) {
  return MakeVariantSet(request).variants;
}

std::vector<std::string> TaskLines(const Variant& variant) {
  const InputTexts& in = variant.inputs;
  // What is solved, written out: the list text is an equation between x and
  // the function, which the program does not solve.
  return {
      "Вариант " + FormatInteger(variant.number),
      "Решите уравнение f(x) = 0, где " + FunctionText(in.equation) + "; k = " + in.k +
          ", l = " + in.l + ".",
      "В списке программы: " + std::string(core::kEquationTexts[in.equation]) + ".",
      "Отрезок [" + in.start + "; " + in.end + "], точность " + in.precision + ".",
      "Найдите корень методами " + MethodsInTheGenitive() +
          ". Для каждого метода запишите корень, как его показывает таблица программы, и число "
          "итераций; назовите самый быстрый метод.",
  };
}

std::string TenDigitRoot(const Variant& variant) {
  return FormatReal(variant.reference_root, 10);
}

std::vector<std::vector<std::string>> AnswerLines(const std::vector<Variant>& variants) {
  std::vector<std::string> header = {"Вариант",
                                     "Уравнение",
                                     "k",
                                     "l",
                                     "Начальное значение",
                                     "Точность",
                                     "Конечный интервал",
                                     "Корень",
                                     "Корень (10 значащих цифр)"};
  for (const core::Method method : kVariantMethods) {
    const std::string name(core::EntryOf(method).name);
    header.push_back(name + ": корень");
    header.push_back(name + ": итераций");
    header.push_back(name + ": вывод");
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
                                     FormatReal(variant.rounded_root),
                                     TenDigitRoot(variant)};
    for (const core::Method method : kVariantMethods) {
      const MethodAnswer& answer = core::ForMethod(variant.methods, method);
      line.push_back(FormatReal(answer.root));
      line.push_back(FormatInteger(answer.count));
      line.push_back(answer.verdict);
    }
    line.push_back(variant.fastest);
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace app
