// SPDX-License-Identifier: GPL-3.0-or-later
// The feedback under the formula: the derivative, or the mark under the
// place of an error, also in a long formula; and the sign changes of the
// preview, which a pole does not fake.
#include "app/formula_feedback.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/floating_point_environment.h"

namespace {

struct FeedbackCase {
  std::string text;
  std::string feedback;
  bool error;
};

const std::string kLong = "x+" + std::string(40, '1') + "+2y+" + std::string(40, '1');

// clang-format off
const std::vector<FeedbackCase> kCases = {
    {"", "Введите f(x), например x^3-2*x-5", false},
    {"x^3-2*x-5", "f′(x) = 3*x^2-2", false},
    {"x^2 - *3", "x^2 - *3\n      ^\nожидалось число, переменная или «(» в позиции 7", true},
    {"−x+№", "−x+№\n   ^\nнедопустимый символ «№» в позиции 4", true},
    {"(x+1\t", "(x+1 \n     ^\nне хватает «)» в позиции 6", true},
    // 30 characters each side of the place, the cut ends marked.
    {kLong, "…" + kLong.substr(14, 60) + "…\n" + std::string(31, ' ') +
                "^\nнеизвестное имя «y» в позиции 45: переменные x, k, l, постоянные pi, e", true},
};
// clang-format on

TEST(FormulaFeedbackTest, DerivativeOrMarkedError) {
  for (const FeedbackCase& test : kCases) {
    SCOPED_TRACE(test.text);
    const app::FormulaFeedback feedback = app::ReadFormula(test.text);
    EXPECT_EQ(feedback.text, test.feedback);
    EXPECT_EQ(feedback.error, test.error);
    EXPECT_EQ(feedback.formula == nullptr, test.error || test.text.empty());
  }
}

TEST(FormulaFeedbackTest, LongDerivativesAreCut) {
  std::string product = "x";
  for (int i = 0; i < 60; ++i) product += "*sin(x)";
  const app::FormulaFeedback feedback = app::ReadFormula(product);
  EXPECT_EQ(feedback.text.size(),
            std::string("f′(x) = ").size() + app::kShownDerivativeLength + std::string("…").size());
}

TEST(FormulaFeedbackTest, SignChangesAreRootsNotPoles) {
  core::EstablishFloatingPointEnvironment();
  struct Case {
    std::string formula;
    double start, end;
    std::size_t changes;
  };
  for (const Case& test : std::vector<Case>{{"x^3-2*x-5", -3, 3, 1},
                                            {"x^2-1", 3, -3, 2},
                                            {"tg(x)", -3, 3, 1},
                                            {"1/x", -1, 1, 0},
                                            {"sin(10*x)", -3, 3, 19},
                                            {"(x-1)^2", 0.5, 3, 0}}) {
    SCOPED_TRACE(test.formula);
    const app::FunctionPreview preview = app::BuildFunctionPreview(
        core::EquationSource(app::ReadFormula(test.formula).formula), {1, 1}, test.start, test.end);
    EXPECT_EQ(preview.sign_changes.size(), test.changes);
    EXPECT_LE(preview.plot.range.left, preview.plot.range.right);
  }
}

}  // namespace
