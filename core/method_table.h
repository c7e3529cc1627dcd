// SPDX-License-Identifier: GPL-3.0-or-later
// The methods as one table. A row says everything the rest of the program
// asks of a method: its number, names and function, the quantity its
// stopping test compares, how its pass cap counts, whether it keeps a
// bracket or uses f′, the order to expect, what it draws on the plot of f,
// and whether it is one of the four methods the main window runs. The run,
// the results table, the verdicts, the detail windows, the reports, the
// command line, the benchmarks and the tests read this table; nothing else
// switches on a method or counts them. The look of each method on the
// screen is the one other row a method needs (ui/charts/method_look.cpp).
//
// Adding a method: its own file with its function (as core/chords.cpp),
// one row here, one row in the look table, and its tests. A method that
// needs a setting of its own reads it from MethodParameters, which every
// front end fills through the run's inputs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "core/methods.h"
#include "core/root_finding.h"
#include "core/stopping_test.h"

namespace core {

// The settings of methods that need more than a, eps and b. The four
// specified methods need none; a front end fills these in its run's inputs,
// and they reach the method through its arguments, never through globals.
struct MethodParameters {
  // Simple iteration solves x = φ(x) with φ(x) = x − λ·f(x). Empty: λ = 1/M
  // with the sign of f′, M = max |f′| on the grid (core/simple_iteration.h).
  std::optional<double> lambda;
  // Or φ typed by the user, which then replaces x − λ·f(x); its fixed points
  // should be the roots of f, which the verdict checks.
  std::shared_ptr<const expression::Formula> phi;
};

// What a method is given besides the evaluator and the root variable.
struct MethodInputs {
  double a = 0;    // the start
  double eps = 0;  // the precision
  double b = 0;    // the end
  const MethodParameters& parameters;
};

using MethodFunction = std::int32_t (*)(Evaluator& eq, double& x, const MethodInputs& in);

// Whether a method's own condition holds on [start, end] before it runs:
// empty where it holds, else why not. Null for a method with no condition.
using MethodCondition = std::optional<ConditionFailure> (*)(const EquationSource& source,
                                                            const Coefficients& coefficients,
                                                            const MethodInputs& in);

// x := φ(x) from the start (core/simple_iteration.cpp).
std::int32_t SimpleIteration(Evaluator& eq, double& x, const MethodInputs& in);
// Tangents from one end and chords from the other (core/combined_method.cpp).
std::int32_t CombinedChordsTangents(Evaluator& eq, double& x, const MethodInputs& in);
std::optional<ConditionFailure> CombinedCondition(const EquationSource& source,
                                                  const Coefficients& coefficients,
                                                  const MethodInputs& in);

// A method of the plain shape (a, eps, b) as a row's function.
template <std::int32_t (*Solve)(Evaluator&, double&, double, double, double)>
std::int32_t WithoutParameters(Evaluator& eq, double& x, const MethodInputs& in) {
  return Solve(eq, x, in.a, in.eps, in.b);
}

// What a method draws on the plot of f for each pass, from its history.
enum class Construction {
  kNone,      // its approximations only
  kHalving,   // the interval it halves, as a bar under the curve
  kChord,     // the chord between the interval's ends, on to the axis
  kTangent,   // the tangent at the previous approximation, down to the axis
  kSecant,    // the secant through its two latest points, on to the axis
  kCobweb,    // the staircase or spiral between y = x and y = φ(x)
  kTwoSided,  // the tangent and the chord from the two ends, and the bracket between
};

struct StoppingTest {
  StoppingQuantity quantity;
  std::string_view name;  // as the pass table heads its column (UTF-8)
  // What the quantity is compared with where the method settles a bound of
  // its own (MethodSetup::tolerance): "2·ε". Empty: the precision ε.
  std::string_view bound = {};
};

struct MethodEntry {
  Method number;
  std::string_view key;         // a short ASCII name for file names, options and labels
  std::string_view name;        // as the results table names it (UTF-8)
  std::string_view short_name;  // where several stand side by side: "Хорды"
  std::string_view of_name;  // the genitive, after "методами", "для", "у": "хорд"
  MethodFunction function;
  StoppingTest test;
  bool cap_inclusive;    // passes while n <= kPassCap, one more than n < kPassCap allows
  bool keeps_bracket;    // a and b keep the sign change of f round the root
  bool uses_derivative;  // evaluates f′ as well as f
  double expected_order;
  Construction construction;
  bool specified;  // one of the four methods of the main window
  // Checked before the run; where it fails, the method runs nothing.
  MethodCondition condition = nullptr;
  // Iterates x = φ(x): reads λ or a typed φ from the run's parameters, and
  // shows whether φ contracts before the run.
  bool iterates_phi = false;
};

inline constexpr std::array<MethodEntry, 6> kMethods = {{
    {.number = kBisection,
     .key = "bisection",
     .name = "Метод половинного деления",
     .short_name = "Половинное деление",
     .of_name = "половинного деления",
     .function = WithoutParameters<Bisection>,
     .test = {StoppingQuantity::kDistance, "|b − a|"},
     .cap_inclusive = true,
     .keeps_bracket = true,
     .uses_derivative = false,
     .expected_order = 1,
     .construction = Construction::kHalving,
     .specified = true},
    {.number = kChords,
     .key = "chords",
     .name = "Метод хорд",
     .short_name = "Хорды",
     .of_name = "хорд",
     .function = WithoutParameters<Chords>,
     .test = {StoppingQuantity::kResidual, "|f(xₙ)|"},
     .cap_inclusive = false,
     .keeps_bracket = true,
     .uses_derivative = false,
     .expected_order = 1,
     .construction = Construction::kChord,
     .specified = true},
    {.number = kTangents,
     .key = "tangents",
     .name = "Метод касательных",
     .short_name = "Касательные",
     .of_name = "касательных",
     .function = WithoutParameters<Tangents>,
     .test = {StoppingQuantity::kResidual, "|f(xₙ)|"},
     .cap_inclusive = false,
     .keeps_bracket = false,
     .uses_derivative = true,
     .expected_order = 2,
     .construction = Construction::kTangent,
     .specified = true},
    // The quantity is the distance between the two points the next secant
    // runs through, the latest approximation first.
    {.number = kSecants,
     .key = "secants",
     .name = "Метод секущих",
     .short_name = "Секущие",
     .of_name = "секущих",
     .function = WithoutParameters<Secants>,
     .test = {StoppingQuantity::kDistance, "|a − b|"},
     .cap_inclusive = false,
     .keeps_bracket = false,
     .uses_derivative = false,
     .expected_order = 1.618,
     .construction = Construction::kSecant,
     .specified = true},
    // The test compares the step with (1 − q)/q·eps where the grid found
    // q < 1, which bounds the error by eps; else with eps (the history's
    // setup says which).
    {.number = kSimpleIteration,
     .key = "iteration",
     .name = "Метод простой итерации",
     .short_name = "Простая итерация",
     .of_name = "простой итерации",
     .function = SimpleIteration,
     .test = {StoppingQuantity::kDistance, "|xₙ − xₙ₋₁|", "(1 − q)/q·ε"},
     .cap_inclusive = false,
     .keeps_bracket = false,
     .uses_derivative = false,
     .expected_order = 1,
     .construction = Construction::kCobweb,
     .specified = false,
     .iterates_phi = true},
    // a and b are the two sequences, from the start's side and the end's;
    // the test compares their distance with 2·eps, and the answer is their
    // midpoint.
    {.number = kCombined,
     .key = "combined",
     .name = "Комбинированный метод хорд и касательных",
     .short_name = "Хорды и касательные",
     .of_name = "хорд и касательных",
     .function = CombinedChordsTangents,
     .test = {StoppingQuantity::kDistance, "|bₙ − aₙ|", "2·ε"},
     .cap_inclusive = false,
     .keeps_bracket = true,
     .uses_derivative = true,
     .expected_order = 2,
     .construction = Construction::kTwoSided,
     .specified = false,
     .condition = CombinedCondition},
}};

// Method number n is row n − 1 of the table, and of every PerMethod.
constexpr std::size_t MethodIndex(std::uint8_t number) {
  return static_cast<std::size_t>(number) - 1;
}
static_assert(
    [] {
      for (std::size_t i = 0; i < kMethods.size(); ++i)
        if (MethodIndex(kMethods[i].number) != i) return false;
      return true;
    }(),
    "the methods are numbered 1, 2, 3 ... in the table's order");

// One value for each method of the table, in its order.
template <typename T>
using PerMethod = std::array<T, kMethods.size()>;

template <typename T>
T& ForMethod(PerMethod<T>& values, std::uint8_t method) {
  return values.at(MethodIndex(method));
}
template <typename T>
const T& ForMethod(const PerMethod<T>& values, std::uint8_t method) {
  return values.at(MethodIndex(method));
}

// The entry of method number `number`, or null when there is no such method.
inline const MethodEntry* FindMethod(std::uint8_t number) {
  for (const MethodEntry& entry : kMethods)
    if (entry.number == number) return &entry;
  return nullptr;
}

// The entry of a method known to exist (a history's, a set's).
inline const MethodEntry& EntryOf(std::uint8_t number) {
  return kMethods.at(MethodIndex(number));
}

// The entry whose key is `key`, or null.
inline const MethodEntry* FindMethodByKey(std::string_view key) {
  for (const MethodEntry& entry : kMethods)
    if (entry.key == key) return &entry;
  return nullptr;
}

// A method of Newton's kind: second order from f and f′. At a root of
// multiplicity m it slows to steps shrinking by (m − 1)/m a pass; where f″
// vanishes at the root as well it converges with the third order.
constexpr bool IsNewtonType(const MethodEntry& entry) {
  return entry.uses_derivative && entry.expected_order == 2;
}

// The most passes the method's loop makes: its cap, counted as it counts it.
constexpr std::int32_t MostPasses(const MethodEntry& entry) {
  return entry.cap_inclusive ? kPassCap + 1 : kPassCap;
}

// The methods a run solves with, always in the table's order, which is the
// order they run in and the order of the results table before its sort.
class MethodSet {
 public:
  constexpr MethodSet() = default;

  // The four methods of the main window.
  static constexpr MethodSet Specified() {
    MethodSet set;
    for (const MethodEntry& entry : kMethods)
      if (entry.specified) set.Add(entry.number);
    return set;
  }
  static constexpr MethodSet All() {
    MethodSet set;
    for (const MethodEntry& entry : kMethods) set.Add(entry.number);
    return set;
  }

  constexpr void Add(std::uint8_t method) {
    if (Contains(method)) return;
    std::size_t at = size_;
    while (at > 0 && methods_[at - 1] > method) {
      methods_[at] = methods_[at - 1];
      --at;
    }
    methods_[at] = static_cast<Method>(method);
    ++size_;
  }
  constexpr bool Contains(std::uint8_t method) const {
    for (std::size_t i = 0; i < size_; ++i)
      if (methods_[i] == method) return true;
    return false;
  }
  constexpr std::size_t size() const { return size_; }
  constexpr bool empty() const { return size_ == 0; }
  constexpr const Method* begin() const { return methods_.data(); }
  constexpr const Method* end() const { return methods_.data() + size_; }

  friend constexpr bool operator==(const MethodSet& a, const MethodSet& b) {
    if (a.size_ != b.size_) return false;
    for (std::size_t i = 0; i < a.size_; ++i)
      if (a.methods_[i] != b.methods_[i]) return false;
    return true;
  }

 private:
  PerMethod<Method> methods_{};
  std::size_t size_ = 0;
};

}  // namespace core
