// SPDX-License-Identifier: GPL-3.0-or-later
// The feedback under the formula: how it was read and the derivative, or
// the mark under the place of an error, also in a long formula, and the same
// in words for a screen reader; the two readings of a list text; and the
// sign changes of the preview, which a pole does not fake, with what the
// line under it says.
#include "app/formula_feedback.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/floating_point_environment.h"

namespace {

struct FeedbackCase {
  std::string text;
  std::string feedback;
  std::string spoken;
  bool error;
};

const std::string kLong = "x+" + std::string(40, '1') + "+2y+" + std::string(40, '1');

// clang-format off
const std::vector<FeedbackCase> kCases = {
    {"", "Введите f(x), например x^3-2*x-5", "Введите f(x), например x^3-2*x-5", false},
    {"x^3-2*x-5", "f′(x) = 3*x^2-2", "f′(x) = 3*x^2-2", false},
    // Blanks alone are no other way of writing.
    {"x^3 - 2*x - 5", "f′(x) = 3*x^2-2", "f′(x) = 3*x^2-2", false},
    {"2x³-√x", "Читается как: 2*x^3-sqrt(x)\nf′(x) = 6*x^2-1/(2*sqrt(x))",
     "Читается как: 2*x^3-sqrt(x); f′(x) = 6*x^2-1/(2*sqrt(x))", false},
    {"x^2=2", "Читается как: x^2=2, то есть f(x) = x^2-2\nf′(x) = 2*x",
     "Читается как: x^2=2, то есть f(x) = x^2-2; f′(x) = 2*x", false},
    {"x^2 - *3", "x^2 - *3\n      ^\nожидалось число, переменная или «(» в позиции 7",
     "ожидалось число, переменная или «(» в позиции 7", true},
    {"−x+№", "−x+№\n   ^\nнедопустимый символ «№» в позиции 4",
     "недопустимый символ «№» в позиции 4", true},
    {"(x+1\t", "(x+1 \n     ^\nне хватает «)» в позиции 6", "не хватает «)» в позиции 6", true},
    {"sin(x", "sin(x\n     ^\nне хватает «)» в позиции 6", "не хватает «)» в позиции 6", true},
    // 30 characters each side of the place, the cut ends marked.
    {kLong, "…" + kLong.substr(14, 60) + "…\n" + std::string(31, ' ') +
                "^\nнеизвестное имя «y» в позиции 45: переменные x, k, l, постоянные pi, e",
     "неизвестное имя «y» в позиции 45: переменные x, k, l, постоянные pi, e", true},
    // A message about the whole formula names no place itself.
    {std::string(1001, 'x'),
     "…" + std::string(31, 'x') + "\n" + std::string(31, ' ') +
         "^\nформула длиннее 1000 символов",
     "формула длиннее 1000 символов (позиция 1001)", true},
};
// clang-format on

TEST(FormulaFeedbackTest, DerivativeOrMarkedError) {
  for (const FeedbackCase& test : kCases) {
    SCOPED_TRACE(test.text);
    const app::FormulaFeedback feedback = app::ReadFormula(test.text);
    EXPECT_EQ(feedback.text, test.feedback);
    EXPECT_EQ(feedback.spoken, test.spoken);
    EXPECT_EQ(feedback.error, test.error);
    EXPECT_FALSE(feedback.readings.has_value());
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

// A list text typed as it is reads as x − (right-hand side); the main
// window solves the right-hand side = 0. Both readings are offered.
TEST(FormulaFeedbackTest, ListTextsOfferBothReadings) {
  const app::FormulaFeedback feedback = app::ReadFormula("x = k·cos(l*x)");
  ASSERT_TRUE(feedback.readings.has_value());
  EXPECT_EQ(feedback.readings->equation, 0);
  EXPECT_EQ(feedback.readings->as_typed, "x-k*cos(l*x) = 0");
  EXPECT_EQ(feedback.readings->right_side, "k*cos(l*x) = 0");
  EXPECT_EQ(feedback.readings->note,
            "Это уравнение 0 из списка главного окна. Там методы ищут нули его правой части, "
            "k*cos(l*x) = 0, а по правилу «=» здесь решается x-k*cos(l*x) = 0.");
  EXPECT_EQ(app::ReadFormula("x=k*sin(x)*cos(l*x)").readings->equation, 9);
}

// The roots are marked; a change of sign through a pole (tg at ±π/2, 1/x at
// 0, 1/(x-1) at 1) is counted apart, and the note says which it is.
TEST(FormulaFeedbackTest, SignChangesAreRootsNotPoles) {
  core::EstablishFloatingPointEnvironment();
  struct Case {
    std::string formula;
    double start, end;
    std::size_t roots, poles;
    std::string note;
  };
  const std::string marked = " (отмечены на оси; щелчок по отметке выбирает отрезок вокруг неё).";
  const std::string no_bracket = ": половинному делению и хордам не на что опереться.";
  for (const Case& test : std::vector<Case>{
           {"x^3-2*x-5", -3, 3, 1, 0, "Смен знака f на отрезке: 1" + marked},
           {"x^2-1", 3, -3, 2, 0, "Смен знака f на отрезке: 2" + marked},
           {"tg(x)", -3, 3, 1, 2,
            "Смен знака f на отрезке: 1" + marked +
                " Ещё 2 — через разрыв (полюс), корня там нет."},
           {"tg(x)", 1, 2, 0, 1,
            "f меняет знак на отрезке только через разрыв (полюс), корня там нет" + no_bracket},
           {"1/(x-1)", 0, 2.7, 0, 1,
            "f меняет знак на отрезке только через разрыв (полюс), корня там нет" + no_bracket},
           // A sample at 0 itself divides by zero: the change is across the gap.
           {"1/x", -1, 1, 0, 1,
            "f меняет знак на отрезке только через разрыв (полюс), корня там нет" + no_bracket},
           {"sin(10*x)", -3, 3, 19, 0, "Смен знака f на отрезке: 19" + marked},
           {"(x-1)^2", 0.5, 3, 0, 0, "На отрезке f не меняет знак" + no_bracket},
           {"ln(x)", -1, 0.5, 0, 0, "На отрезке f не меняет знак" + no_bracket},
       }) {
    SCOPED_TRACE(test.formula + " on [" + std::to_string(test.start) + ", " +
                 std::to_string(test.end) + "]");
    const app::FunctionPreview preview = app::BuildFunctionPreview(
        core::EquationSource(app::ReadFormula(test.formula).formula), {1, 1}, test.start, test.end);
    EXPECT_EQ(preview.sign_changes.roots.size(), test.roots);
    EXPECT_EQ(preview.sign_changes.poles.size(), test.poles);
    EXPECT_EQ(app::PreviewNote(preview.sign_changes), test.note);
    EXPECT_LE(preview.plot.range.left, preview.plot.range.right);
  }
}

}  // namespace
