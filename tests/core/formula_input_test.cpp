// SPDX-License-Identifier: GPL-3.0-or-later
// Typing a formula as students type it: each accepted form with the
// canonical text shown back and its value at a point, each refused one with
// its message, hint and position, and the catalogue's list texts recognised.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/expression/formula.h"
#include "core/floating_point_environment.h"

namespace {

using core::expression::Formula;

// x = 0.5, k = 2, l = 3 for every value below.
constexpr long double kX = 0.5L;
constexpr long double kK = 2;
constexpr long double kL = 3;

class FormulaInputTest : public ::testing::Test {
 protected:
  void SetUp() override { core::EstablishFloatingPointEnvironment(); }
};

struct AcceptedCase {
  std::string typed;
  std::string canonical;
  long double value;  // f at x = 0.5, worked out by hand
};

// clang-format off
const std::vector<AcceptedCase> kAccepted = {
    // Numbers with an exponent; "e" alone is the constant.
    {"1e-3*x", "1e-3*x", 0.0005L},
    {"2.5E+4*x", "2.5E+4*x", 12500},
    {"1,5e2-x", "1,5e2-x", 149.5L},
    {".5e1x", ".5e1*x", 2.5L},
    {"2e+3", "2e+3", 2000},
    {"2e-x", "2*e-x", 4.936563656918090470720574942705221L},
    {"exp(1e1)", "exp(1e1)", 22026.46579480671651695790064528424L},
    // Multiplication left out where no reader could take it another way.
    {"2x", "2*x", 1},
    {"2 x", "2*x", 1},
    {"-2x", "-2*x", -1},
    {"2sin(x)", "2*sin(x)", 0.9588510772084060005465758704311427L},
    {"3(x+1)", "3*(x+1)", 4.5L},
    {"(x+1)(x-1)", "(x+1)*(x-1)", -0.75L},
    {"(x+1)x", "(x+1)*x", 0.75L},
    {"sin(x)cos(x)", "sin(x)*cos(x)", 0.4207354924039482533262511L},
    {"2x^2", "2*x^2", 0.5L},
    {"x²k", "x^2*k", 0.5L},
    {"2√x", "2*sqrt(x)", 1.414213562373095048801688724209698L},
    {"2(x+1)²", "2*(x+1)^2", 4.5L},
    // Equations: lhs = rhs is lhs − (rhs); "= 0" leaves lhs alone.
    {"x^2-2=0", "x^2-2=0", -1.75L},
    {"x^2 = 2", "x^2=2", -1.75L},
    {"x = 1+x", "x=1+x", -1},
    {"2x = k", "2*x=k", -1},
    // Other ways of writing the operations.
    {"x²", "x^2", 0.25L},
    {"(x+1)³", "(x+1)^3", 3.375L},
    {"√x", "sqrt(x)", 0.7071067811865475244008443621048490L},
    {"√(x+1)", "sqrt(x+1)", 1.224744871391589049098642037352946L},
    {"2×x·3⋅k", "2*x*3*k", 6},
    {"x**3", "x^3", 0.125L},
    {"2**3**2", "2^3^2", 512},
    {"x − 1", "x-1", -0.5L},
    // arcctg, with values in (0, π).
    {"arcctg(x)", "arcctg(x)", 1.107148717794090503017065460178537L},
    {"acot(-x)", "arcctg(-x)", 2.034443935795702735445577923671680L},
};
// clang-format on

TEST_F(FormulaInputTest, AcceptedFormsReadAsTheirCanonicalText) {
  for (const AcceptedCase& test : kAccepted) {
    SCOPED_TRACE(test.typed);
    std::shared_ptr<const Formula> formula;
    try {
      formula = Formula::Parse(test.typed);
    } catch (const core::EFormulaError& error) {
      ADD_FAILURE() << error.Message();
      continue;
    }
    EXPECT_EQ(formula->Text(), test.typed);
    EXPECT_EQ(formula->CanonicalText(), test.canonical);
    const long double value = formula->Value(kX, kK, kL).Value();
    EXPECT_NEAR(value, test.value, 4e-19L * std::max(1.0L, std::fabs(test.value)));
    // The canonical text reads back into the same formula.
    const auto again = Formula::Parse(test.canonical);
    EXPECT_EQ(again->CanonicalText(), test.canonical);
    EXPECT_EQ(again->Value(kX, kK, kL).Value(), value);
  }
}

struct RefusedCase {
  std::string typed;
  std::string message;
  std::size_t position;
};

// clang-format off
const std::vector<RefusedCase> kRefused = {
    // Names run together.
    {"sinx", "неизвестное имя «sinx» в позиции 1: может быть, sin(x)", 1},
    {"xx", "неизвестное имя «xx» в позиции 1: может быть, x*x", 1},
    {"2pix", "неизвестное имя «pix» в позиции 2: может быть, pi*x", 2},
    {"sin2x", "неизвестное имя «sin2x» в позиции 1: может быть, sin(2*x)", 1},
    {"sinxcosx", "неизвестное имя «sinxcosx» в позиции 1: может быть, sin(x)*cos(x)", 1},
    {"x2", "неизвестное имя «x2» в позиции 1: может быть, x^2 или x*2", 1},
    {"2xsin(x)", "неизвестное имя «xsin» в позиции 2: может быть, x*sin(…)", 2},
    {"arctan(x)", "неизвестная функция «arctan» в позиции 1: есть arcsin, arccos, arctg, arcctg", 1},
    {"Sin(x)", "неизвестное имя «Sin» в позиции 1: имена пишутся строчными буквами, sin", 1},
    // log is ln or lg.
    {"log(x+1)", "«log» в позиции 1 неоднозначен: натуральный логарифм — ln(x+1), десятичный — lg(x+1)", 1},
    // A Cyrillic letter.
    {"2х", "русская «х» в позиции 2 — переключите раскладку: x", 2},
    {"сos(x)", "русская «с» в позиции 1 — переключите раскладку: c", 1},
    {"x+д", "русская буква «д» в позиции 3 — переключите раскладку на латинскую", 3},
    // A second argument.
    {"sin(x,2)", "у функции «sin» один аргумент, а «,» в позиции 6 — десятичная запятая: sin(x)", 6},
    {"cos(x+1, 2)", "у функции «cos» один аргумент, а «,» в позиции 8 — десятичная запятая: cos(x+1)", 8},
    {"x, 2", "лишняя «,» в позиции 2: десятичная запятая пишется вплотную к цифрам, например 2,5", 2},
    // Multiplication left out where it could be read two ways.
    {"x(x+1)", "пропущен знак «*» в позиции 2: x*(x+1)", 2},
    {"2 3", "пропущен знак «*» в позиции 3: 2*3", 3},
    {"(x+1)2", "пропущен знак «*» в позиции 6: (x+1)*2", 6},
    {"1/2x", "неясно, что в знаменателе, в позиции 4: 1/(2*x) или 1/2*x", 4},
    {"e^2x", "неясно, где кончается степень, в позиции 4: e^(2*x) или e^2*x", 4},
    {"(x+1)^2(x-1)", "неясно, где кончается степень, в позиции 8: (x+1)^(2*(x-1)) или (x+1)^2*(x-1)", 8},
    {"√2x", "неясно, что под корнем, в позиции 3: √(2*x) или √2*x", 3},
    {"√x²", "неясно, что под корнем, в позиции 3: √(x²) или (√x)²", 3},
    {"x²²", "вторая степень подряд в позиции 3: поставьте скобки, например (x^2)^3", 3},
    // Brackets of a call.
    {"sin^2(x)", "после «sin» нужна «(» в позиции 4: степень пишется после скобки, sin(x)^2", 4},
    {"sin x", "после «sin» нужна «(» в позиции 5: sin(x)", 5},
    // Equations.
    {"f(x) = x^2-2", "«f(x) =» писать не нужно в позиции 1: введите только правую часть, x^2-2", 1},
    {"=x", "нет левой части в позиции 1: например, x^2=2", 1},
    {"x^2=", "нет правой части в позиции 5: допишите её, например = 0", 5},
    {"x=1=2", "второй знак «=» в позиции 4: уравнение пишется с одним «=»", 4},
    // Numbers beyond the range.
    {"1e5000*x", "слишком большое число в позиции 1", 1},
    {"x+1e-5000", "слишком маленькое число в позиции 3: напишите 0", 3},
    // A long run of letters gets no guess.
    {std::string(50, 'x'), "неизвестное имя «" + std::string(50, 'x') + "» в позиции 1: переменные x, k, l, постоянные pi, e", 1},
};
// clang-format on

TEST_F(FormulaInputTest, RefusedFormsNameTheFixAndThePlace) {
  for (const RefusedCase& test : kRefused) {
    SCOPED_TRACE(test.typed.substr(0, 40));
    try {
      Formula::Parse(test.typed);
      ADD_FAILURE() << "read without an error";
    } catch (const core::EFormulaError& error) {
      EXPECT_EQ(error.Message(), test.message);
      EXPECT_EQ(error.Position(), test.position);
    }
  }
}

// "2x" written out is "2*x": 333 of them, 998 characters, are 1,331.
TEST_F(FormulaInputTest, TheCanonicalTextKeepsToTheLengthLimit) {
  std::string text = "2x";
  while (text.size() + 3 <= 1000) text += "+2x";
  try {
    Formula::Parse(text);
    ADD_FAILURE() << "read without an error";
  } catch (const core::EFormulaError& error) {
    EXPECT_EQ(error.Message(),
              "формула длиннее 1000 символов, если записать все знаки («*», «^», sqrt): 1331");
    EXPECT_EQ(error.Position(), text.size() + 1);
  }
}

struct CatalogueCase {
  std::string typed;
  std::optional<std::uint8_t> equation;
};

const std::vector<CatalogueCase> kCatalogue = {
    {"x=k*cos(l*x)", 0},
    {"x = k·cos(l*x)", 0},
    {"x=k*cos(x*x)*l", 1},
    {"x=k*cos(x)-x+l", 3},
    {"x=cos(k*x)+l", 8},
    {"x=k*sin(x)*cos(l*x)", 9},
    {"k*cos(l*x)", std::nullopt},
    {"x=k*cos(l*x)+0", std::nullopt},
    {"x=cos(l*x)*k", std::nullopt},
};

TEST_F(FormulaInputTest, ListTextsOfTheCatalogueAreRecognised) {
  for (const CatalogueCase& test : kCatalogue) {
    SCOPED_TRACE(test.typed);
    const auto formula = Formula::Parse(test.typed);
    EXPECT_EQ(formula->CatalogueEquation(), test.equation);
    if (!test.equation) continue;
    // Typed, it is x − (right-hand side); the catalogue's f is the right-hand
    // side alone.
    const core::Coefficients c{1.5, -0.75};
    const double x = 0.3;
    EXPECT_EQ(formula->f(x, c),
              (core::Extended(x) - core::ExtendedF(*test.equation, x, c)).ToDouble());
    EXPECT_EQ(formula->EquationText(), test.typed);
  }
}

}  // namespace
