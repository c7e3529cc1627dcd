// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/root_finding.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/method_table.h"
#include "tests/doubles/fake_host.h"

namespace {

using core::Coefficients;
using doubles::FakeHost;

// The design defaults: "x=k*cos(l*x)" with k = l = 1, so f(x) = cos x, on [1, 2].
constexpr Coefficients kUnit{1, 1};
constexpr double kStart = 1;
constexpr double kEnd = 2;
constexpr double kPrecision = 0.001;

struct Outcome {
  std::int32_t count;
  double root;
};

Outcome Solve(FakeHost& host, const Coefficients& c, std::uint8_t method, double a, double eps,
              double b, double root = 0) {
  const std::int32_t count = core::run(host, c, method, root, a, eps, b);
  return {count, root};
}

struct MethodCase {
  const char* name;
  std::uint8_t method;
  std::int32_t count;
  double root;
};

void ExpectOutcomes(const char* equation_text, std::uint8_t equation, const Coefficients& c,
                    double a, const char* precision_text, double eps, double b,
                    std::initializer_list<MethodCase> cases) {
  for (const MethodCase& expected : cases) {
    SCOPED_TRACE(std::string(equation_text) + ", " + expected.name);
    FakeHost host(equation, precision_text);
    const Outcome outcome = Solve(host, c, expected.method, a, eps, b);
    EXPECT_EQ(outcome.count, expected.count);
    EXPECT_EQ(outcome.root, expected.root);
    EXPECT_EQ(host.message_rounds, 1);
    EXPECT_EQ(host.precision_reads, 1);
  }
}

TEST(RunTest, DefaultsCountsAndRoots) {
  ExpectOutcomes("defaults", 0, kUnit, kStart, "0,001", kPrecision, kEnd,
                 {{"bisection", core::kBisection, 11, 1.571},
                  {"chords", core::kChords, 3, 1.571},
                  {"tangents", core::kTangents, 3, 1.571},
                  {"secants", core::kSecants, 4, 1.571}});
}

// The approximations each method forms on the defaults, before rounding.
TEST(RunTest, DefaultsApproximations) {
  FakeHost host;
  core::Evaluator eq(host, kUnit);
  double x = 0;
  EXPECT_EQ(core::Bisection(eq, x, kStart, kPrecision, kEnd), 10);
  EXPECT_EQ(x, 1.5712890625);

  EXPECT_NEAR(core::ChordPoint(eq, kStart, kEnd), 1.564904376, 5e-10);
  EXPECT_EQ(core::Chords(eq, x, kStart, kPrecision, kEnd), 2);
  EXPECT_NEAR(x, 1.570978575, 5e-10);

  EXPECT_NEAR(core::TangentStep(eq, kStart), 1.642092616, 5e-10);
  EXPECT_EQ(core::Tangents(eq, x, kStart, kPrecision, kEnd), 2);
  EXPECT_NEAR(x, 1.570675277, 5e-10);

  EXPECT_EQ(core::Secants(eq, x, kStart, kPrecision, kEnd), 3);
  EXPECT_NEAR(x, 1.570796326, 5e-10);
}

// The root variable is written as soon as an approximation is formed; the
// host sees each new value at its next read of the equation.
TEST(RunTest, RootVariableFollowsTheApproximations) {
  struct TrailCase {
    const char* name;
    std::uint8_t method;
    std::vector<double> trail;  // to ten digits
  };
  const TrailCase cases[] = {
      {"chords", core::kChords, {0.25, 1.564904376, 1.570978575}},
      {"tangents", core::kTangents, {0.25}},  // written only after the loop
  };
  for (const TrailCase& test : cases) {
    SCOPED_TRACE(test.name);
    FakeHost host;
    double root = 0.25;
    host.watched_root = &root;
    core::run(host, kUnit, test.method, root, kStart, kPrecision, kEnd);
    ASSERT_EQ(host.trail.size(), test.trail.size());
    for (std::size_t i = 0; i < test.trail.size(); ++i)
      EXPECT_NEAR(host.trail[i], test.trail[i], 5e-10);
  }
}

// The equation is read before every evaluation that the formulas write, even
// where the value at that point is already known: bisection 2 per pass;
// chords 3 for the first point, then per pass 1 test + 3 + 2 and 1 last test;
// tangents per pass 1 test + 2 and 1 last test; secants 3 per pass.
TEST(RunTest, EquationIsReadBeforeEveryEvaluation) {
  const struct {
    const char* name;
    std::uint8_t method;
    int reads;
  } cases[] = {
      {"bisection", core::kBisection, 10 * 2},
      {"chords", core::kChords, 3 + 2 * 6 + 1},
      {"tangents", core::kTangents, 2 * 3 + 1},
      {"secants", core::kSecants, 3 * 3},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    FakeHost host;
    Solve(host, kUnit, test.method, kStart, kPrecision, kEnd);
    EXPECT_EQ(host.equation_reads, test.reads);
  }
}

// Values already met in a method are not computed again: one new value of f
// per pass (bisection, chords, secants), one f and one f_ per pass for
// tangents, plus the values at the ends that start the method. Once the
// approximations stop moving, nothing new is computed: tangents at the cap
// need five values and five derivatives.
TEST(RunTest, OneNewEvaluationPerPass) {
  using Method = std::int32_t (*)(core::Evaluator&, double&, double, double, double);
  const struct {
    const char* name;
    Method method;
    double eps;
    std::int32_t passes;
    std::int64_t computed;
  } cases[] = {
      {"bisection", core::Bisection, kPrecision, 10, 1 + 10},
      {"chords", core::Chords, kPrecision, 2, 2 + 2},  // the first pass repeats the first point
      {"tangents", core::Tangents, kPrecision, 2, 2 * 2 + 1},
      {"secants", core::Secants, kPrecision, 3, 2 + 2},
      {"bisection at its cap", core::Bisection, -1, 5001, 1 + 5001},
      {"chords at the cap", core::Chords, -1, 5000, 2 + 5000},
      {"tangents at the cap", core::Tangents, -1, 5000, 5 + 5},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    FakeHost host;
    core::Evaluator eq(host, kUnit);
    double x = 0;
    EXPECT_EQ(test.method(eq, x, kStart, test.eps, kEnd), test.passes);
    EXPECT_LE(eq.Computed(), test.computed);
  }
}

TEST(RunTest, StartEqualToEnd) {
  // Bisection makes no pass: the root is the midpoint of [1, 1], not the
  // stale value that the root variable held.
  FakeHost host;
  const Outcome bisection = Solve(host, kUnit, core::kBisection, 1, kPrecision, 1, 0.25);
  EXPECT_EQ(bisection.count, 1);
  EXPECT_EQ(bisection.root, 1);
  double root = 0.25;
  EXPECT_THROW(core::run(host, kUnit, core::kChords, root, 1, kPrecision, 1), core::EZeroDivide);
  EXPECT_EQ(root, 0.25);  // the fault came before the first chord point was stored
  ExpectOutcomes("start = end", 0, kUnit, 1, "0,001", kPrecision, 1,
                 {{"tangents", core::kTangents, 3, 1.571}, {"secants", core::kSecants, 1, 1}});
}

TEST(RunTest, BisectionWithinPrecisionYieldsRoundedMidpoint) {
  FakeHost host;
  const Outcome outcome = Solve(host, kUnit, core::kBisection, 1.2, 0.5, 1.5, 7);
  EXPECT_EQ(outcome.count, 1);
  EXPECT_EQ(outcome.root, 1.35);
  EXPECT_EQ(host.equation_reads, 0);
}

TEST(RunTest, StartOnAnExactRoot) {
  // f(x) = 1 - x. Bisection's first product is 0, which moves the start off
  // the root; f is negative on the rest, so every pass moves the start.
  ExpectOutcomes("1 - x", 3, {0, 1}, 1, "0,001", kPrecision, 2,
                 {{"bisection", core::kBisection, 11, 1.999},
                  {"chords", core::kChords, 1, 1},
                  {"tangents", core::kTangents, 1, 1},
                  {"secants", core::kSecants, 3, 1}});
}

TEST(RunTest, ZeroDerivativeIsDivisionByZero) {
  FakeHost host;
  double root = 0.25;
  try {
    core::run(host, kUnit, core::kTangents, root, 0, kPrecision, kEnd);
    FAIL() << "no error";
  } catch (const core::EZeroDivide& error) {
    EXPECT_STREQ(error.what(), "Floating point division by zero");
  }
  EXPECT_EQ(root, 0.25);  // tangents write the root variable only after their loop
}

TEST(RunTest, NegativePrecisionRunsToTheCaps) {
  // The text "-1" has two characters, so every root is rounded to a whole number.
  ExpectOutcomes("defaults, precision -1", 0, kUnit, kStart, "-1", -1, kEnd,
                 {{"bisection", core::kBisection, 5002, 2},
                  {"chords", core::kChords, 5001, 2},
                  {"tangents", core::kTangents, 5001, 2}});
  // The secants settle on pi / 2, then draw a secant through two equal points: 0 / 0.
  FakeHost host(0, "-1");
  double root = 0;
  try {
    core::run(host, kUnit, core::kSecants, root, kStart, -1, kEnd);
    FAIL() << "no error";
  } catch (const core::EInvalidOp& error) {
    EXPECT_STREQ(error.what(), "Invalid floating point operation");
  }
  EXPECT_NEAR(root, 1.5707963267948966, 1e-15);
}

TEST(RunTest, SecantsStopAtTheCap) {
  // f(x) = 2 x sin x + 2.5 cos x from [0, 1]: the secants wander without
  // settling or faulting (checked for 10^8 passes), so only the cap ends them.
  ExpectOutcomes("x=k*x*sin(x)-l*cos(x)", 4, {2, -2.5}, 0, "-1", -1, 1,
                 {{"secants", core::kSecants, 5001, 0}});
}

// The rounding digit is 2 - L for a text of L characters; its value plays no part.
TEST(RunTest, DecimalsFollowTheLengthOfThePrecisionText) {
  const struct {
    const char* text;
    double root;  // bisection's last midpoint 1.5712890625, rounded
  } cases[] = {
      {"0,001", 1.571},
      {"0,0010", 1.5713000000000001},      // 15713 times the double 0.0001
      {"0,00\u00B9", 1.571},               // five characters in six bytes
      {"\u0451\u0451\u0451\u0451", 1.57},  // four Cyrillic letters in eight bytes
      {"10", 2},
      {"1", 0},
      {"", 0},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.text);
    FakeHost host(0, test.text);
    EXPECT_EQ(Solve(host, kUnit, core::kBisection, kStart, kPrecision, kEnd).root, test.root);
  }
  FakeHost host(0, "0,0001");
  const Outcome outcome = Solve(host, kUnit, core::kBisection, kStart, 0.0001, kEnd);
  EXPECT_EQ(outcome.count, 15);
  EXPECT_EQ(outcome.root, 1.5707);
}

TEST(RunTest, LongPrecisionTextsEndInFloatingPointErrors) {
  // 21 characters: 1.57 * 10^19 exceeds the 64-bit integer range after the methods ran.
  const std::string tiny = "0,0000000000000000001";
  for (const core::MethodEntry& method : core::kMethods) {
    // f″ = −cos x changes sign at π/2: the combined method runs nothing here.
    if (method.condition != nullptr) continue;
    SCOPED_TRACE(method.key);
    FakeHost host(0, tiny);
    double root = 0;
    EXPECT_THROW(core::run(host, kUnit, method.number, root, kStart, 1e-19, kEnd),
                 core::EInvalidOp);
    EXPECT_NEAR(root, 1.5707963267948966, 1e-15);  // the unrounded root stays
  }
  FakeHost host;
  core::Evaluator eq(host, kUnit);
  double x = 0;
  EXPECT_EQ(core::Bisection(eq, x, kStart, 1e-19, kEnd), 5001);
  EXPECT_EQ(core::Chords(eq, x, kStart, 1e-19, kEnd), 5000);
  EXPECT_EQ(core::Tangents(eq, x, kStart, 1e-19, kEnd), 5000);
  EXPECT_EQ(core::Secants(eq, x, kStart, 1e-19, kEnd), 5);
  // The digit is a plain integer: 131 characters do not wrap round to d = 127,
  // which would have rounded the root to 0.
  FakeHost long_text(0, std::string(131, '0'));
  double root = 0;
  EXPECT_THROW(core::run(long_text, kUnit, core::kBisection, root, kStart, kPrecision, kEnd),
               core::EInvalidOp);
}

TEST(RunTest, UnknownMethodOnlyRoundsTheRootVariable) {
  const auto beyond_the_table = static_cast<std::uint8_t>(core::kMethods.size() + 1);
  for (const std::uint8_t method : {std::uint8_t{0}, beyond_the_table, std::uint8_t{255}}) {
    SCOPED_TRACE(method);
    FakeHost host(0, "10");
    const Outcome outcome = Solve(host, kUnit, method, kStart, kPrecision, kEnd, 2.5);
    EXPECT_EQ(outcome.count, 1);
    EXPECT_EQ(outcome.root, 2);
    EXPECT_EQ(host.equation_reads, 0);
  }
}

// Messages are processed before the method starts, so a command dispatched
// there (here: another equation and new coefficients) changes what it solves.
TEST(RunTest, MessagesProcessedFirstMayChangeTheEquation) {
  FakeHost host;
  Coefficients shared = kUnit;
  host.on_messages = [&](int) {
    host.Select(3);
    shared = {0, 1};
  };
  const Outcome outcome = Solve(host, shared, core::kTangents, kStart, kPrecision, kEnd);
  EXPECT_EQ(outcome.count, 1);
  EXPECT_EQ(outcome.root, 1);
}

TEST(RunTest, EquationOutsideTheCatalogueDoesNotCrash) {
  // The zero function: bisection keeps moving the start, tangents stop at
  // once, chords and secants meet 0 / 0.
  ExpectOutcomes("index 255", 255, kUnit, kStart, "0,001", kPrecision, kEnd,
                 {{"bisection", core::kBisection, 11, 1.999}, {"tangents", core::kTangents, 1, 1}});
  for (const std::uint8_t method : {core::kChords, core::kSecants}) {
    FakeHost host(255);
    double root = 0;
    EXPECT_THROW(core::run(host, kUnit, method, root, kStart, kPrecision, kEnd), core::EInvalidOp);
  }
}

}  // namespace
