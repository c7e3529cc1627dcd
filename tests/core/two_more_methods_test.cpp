// SPDX-License-Identifier: GPL-3.0-or-later
// Simple iteration and the combined method of chords and tangents on the
// textbook's cases: where they converge and to what, where simple iteration
// diverges, how well the grid estimates q, which stopping test each used,
// the bracket the combined method keeps on every pass, and the cases its
// condition refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <string>

#include "core/errors.h"
#include "core/expression/formula.h"
#include "core/method_table.h"
#include "core/simple_iteration.h"

namespace {

// The host solving a typed formula.
class FormulaHost : public core::RootFindingHost {
 public:
  explicit FormulaHost(const std::string& formula)
      : formula_(core::expression::Formula::Parse(formula)) {}
  std::uint8_t SelectedEquation() const override { return 0; }
  core::EquationSource SelectedSource() const override { return core::EquationSource(formula_); }
  std::string PrecisionText() const override { return "0,0000001"; }
  void ProcessMessages() override {}

 private:
  std::shared_ptr<const core::expression::Formula> formula_;
};

struct Solved {
  core::MethodHistory history;
  double root = 0;
};

Solved Solve(std::uint8_t method, const std::string& formula, double a, double eps, double b,
             const core::MethodParameters& parameters = {}) {
  FormulaHost host(formula);
  Solved solved;
  try {
    core::run(host, {1, 1}, method, solved.root, a, eps, b, parameters, &solved.history);
  } catch (const core::Exception&) {
    // Kept in the history, as the comparison run keeps it.
  }
  return solved;
}

core::MethodParameters Lambda(double lambda) {
  core::MethodParameters parameters;
  parameters.lambda = lambda;
  return parameters;
}

core::MethodParameters Phi(const std::string& phi) {
  core::MethodParameters parameters;
  parameters.phi = core::expression::Formula::Parse(phi);
  return parameters;
}

struct IterationCase {
  const char* name;
  const char* f;
  double a;
  double b;
  core::MethodParameters parameters;
  double q;     // the true max |φ′| on [a, b]
  double root;  // NaN: diverges
};

const IterationCase kIterationCases[] = {
    // f′ = 3x² − 2 runs from 10 to 25: λ = 1/25, φ′ = 1 − f′/25 ≤ 0,6.
    {"x^3-2x-5, λ = 1/M", "x^3-2*x-5", 2, 3, {}, 0.6, 2.0945514815423265},
    // φ′ = 3 − 3x² reaches −24 at x = 3.
    {"x^3-2x-5, λ = 1", "x^3-2*x-5", 2, 3, Lambda(1), 24, NAN},
    // φ′ = −sin x, largest at 1.
    {"φ = cos x", "x-cos(x)", 0, 1, Phi("cos(x)"), std::sin(1.0), 0.7390851332151607},
    // λ = −1 (f′ = −sin x is steepest at π/2): φ′ = 1 − sin x ≤ 1 − sin 1 at x = 1.
    {"cos x on [1, 2]", "cos(x)", 1, 2, {}, 1 - std::sin(1.0), 1.5707963267948966},
};

TEST(SimpleIterationTest, ConvergesOrDivergesAsQSays) {
  constexpr double kEps = 1e-7;
  for (const IterationCase& c : kIterationCases) {
    SCOPED_TRACE(c.name);
    const Solved solved = Solve(core::kSimpleIteration, c.f, c.a, kEps, c.b, c.parameters);
    const core::MethodSetup& setup = solved.history.setup;
    ASSERT_TRUE(setup.contraction.has_value());
    EXPECT_NEAR(*setup.contraction, c.q, 0.05 * c.q);
    ASSERT_TRUE(setup.tolerance.has_value());
    if (*setup.contraction < 1) {
      // The textbook's test: |xₙ − xₙ₋₁| ≤ (1 − q)/q·ε bounds the error by ε.
      EXPECT_DOUBLE_EQ(*setup.tolerance, (1 - *setup.contraction) / *setup.contraction * kEps);
    } else {
      EXPECT_EQ(*setup.tolerance, kEps);
    }
    if (std::isnan(c.root)) {
      // Runs away until the arithmetic overflows, or far beyond the interval.
      const double last = solved.history.passes.back().x;
      EXPECT_TRUE(solved.history.error.has_value() || std::fabs(last) > 1e6) << last;
      continue;
    }
    ASSERT_FALSE(solved.history.error.has_value()) << *solved.history.error;
    EXPECT_LT(*solved.history.count, 200);
    EXPECT_NEAR(solved.history.passes.back().x, c.root, kEps);
    EXPECT_LE(std::fabs(solved.history.passes.back().x - solved.history.passes.end()[-2].x),
              *setup.tolerance);
  }
}

TEST(SimpleIterationTest, DefaultLambdaIsOneOverMWithTheSignOfTheSlope) {
  const core::MethodSetup rising = core::EstimateContraction(
      core::EquationSource(core::expression::Formula::Parse("x^3-2*x-5")), {1, 1}, 2, 3, {});
  EXPECT_EQ(rising.largest_slope, 25);
  EXPECT_DOUBLE_EQ(*rising.lambda, 1.0 / 25);
  // The start after the end reads the same interval.
  const core::MethodSetup falling = core::EstimateContraction(
      core::EquationSource(core::expression::Formula::Parse("5+2*x-x^3")), {1, 1}, 3, 2, {});
  EXPECT_DOUBLE_EQ(*falling.lambda, -1.0 / 25);
  EXPECT_DOUBLE_EQ(*falling.contraction, 0.6);
}

struct CombinedCase {
  const char* name;
  const char* f;
  double a;
  double b;
  double root;
};

const CombinedCase kCombinedCases[] = {
    {"x^3-2x-5 on [2, 3]", "x^3-2*x-5", 2, 3, 2.0945514815423265},
    // f·f″ > 0 at the end here, so the tangent runs from the end.
    {"x^3-2x-5 on [3, 2]", "x^3-2*x-5", 3, 2, 2.0945514815423265},
    // f′ < 0 and f″ < 0: the tangent runs from the start.
    {"cos x - x on [0, 1]", "cos(x)-x", 0, 1, 0.7390851332151607},
};

TEST(CombinedMethodTest, BracketsTheRootFromBothSidesOnEveryPass) {
  constexpr double kEps = 1e-7;
  for (const CombinedCase& c : kCombinedCases) {
    SCOPED_TRACE(c.name);
    const Solved solved = Solve(core::kCombined, c.f, c.a, kEps, c.b);
    const core::MethodHistory& history = solved.history;
    ASSERT_FALSE(history.refusal.has_value());
    ASSERT_FALSE(history.error.has_value()) << *history.error;
    EXPECT_EQ(history.setup.tolerance, 2 * kEps);
    ASSERT_GE(history.passes.size(), 2u);
    for (std::size_t i = 0; i < history.passes.size(); ++i) {
      const core::PassRecord& pass = history.passes[i];
      ASSERT_TRUE(pass.a && pass.b);
      // a comes from the start's side and b from the end's, the root between.
      EXPECT_LE((*pass.a - c.root) * (c.b - c.a), 0) << "pass " << pass.n;
      EXPECT_GE((*pass.b - c.root) * (c.b - c.a), 0) << "pass " << pass.n;
      const bool last = i + 1 == history.passes.size();
      EXPECT_EQ(std::fabs(*pass.b - *pass.a) > 2 * kEps, !last) << "pass " << pass.n;
      EXPECT_EQ(pass.x, (*pass.a + *pass.b) / 2) << "pass " << pass.n;
    }
    EXPECT_NEAR(history.passes.back().x, c.root, kEps);
    EXPECT_LT(*history.count, 10);
  }
}

struct RefusedCase {
  const char* name;
  const char* f;
  double a;
  double b;
  core::ConditionFailure::Kind kind;
};

const RefusedCase kRefused[] = {
    {"f″ = 6x changes sign", "x^3+x-1", -1, 1, core::ConditionFailure::Kind::kCurvatureChangesSign},
    {"f′ = 2x changes sign", "x^2-1", -2, 0.5, core::ConditionFailure::Kind::kSlopeChangesSign},
    {"no sign change", "x^2+1", 0, 1, core::ConditionFailure::Kind::kNoSignChange},
    {"f′ undefined at 0", "1/x", -1, 1, core::ConditionFailure::Kind::kUndefined},
};

TEST(CombinedMethodTest, RefusesWhereItsConditionFails) {
  for (const RefusedCase& c : kRefused) {
    SCOPED_TRACE(c.name);
    FormulaHost host(c.f);
    core::MethodHistory history;
    double root = 42;
    EXPECT_EQ(core::run(host, {1, 1}, core::kCombined, root, c.a, 1e-3, c.b, {}, &history), 0);
    EXPECT_EQ(root, 42);  // untouched
    EXPECT_TRUE(history.passes.empty());
    ASSERT_TRUE(history.refusal.has_value());
    EXPECT_EQ(history.refusal->kind, c.kind);
  }
}

// f″ of the built-in equations comes from their list texts: k·cos(l·x) has
// f″ = −k·l²·cos(l·x).
TEST(SecondDerivativeTest, BuiltInEquationsHaveTheirTypedFormulasSecondDerivative) {
  const core::Coefficients c{2, 3};
  for (const double x : {0.0, 0.5, -1.25, 3.0}) {
    EXPECT_NEAR(core::EquationSource(0).f__(x, c), -2 * 9 * std::cos(3 * x), 1e-12) << x;
    // k·cos(x)−x+l: f″ = −k·cos x.
    EXPECT_NEAR(core::EquationSource(3).f__(x, c), -2 * std::cos(x), 1e-12) << x;
  }
  EXPECT_EQ(core::EquationSource(42).f__(1, c), 0);
  EXPECT_EQ(core::expression::Formula::Parse("x^4")->f__(2, c), 48);
}

}  // namespace
