// SPDX-License-Identifier: GPL-3.0-or-later
// The formula language: values at points for what reads, message and
// position for what does not, the derivative's text and values, and equal
// bits with the built-in equations.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "core/equations.h"
#include "core/errors.h"
#include "core/expression/formula.h"
#include "core/expression/functions.h"
#include "core/expression/parser.h"
#include "core/expression/printer.h"
#include "core/floating_point_environment.h"

namespace {

using core::expression::Formula;
using Reference = std::function<long double(long double x)>;

constexpr long double kK = 1.5L;
constexpr long double kL = -0.75L;
const std::vector<long double> kPoints = {0.3L, 0.5L, 0.9L};

class ExpressionTest : public ::testing::Test {
 protected:
  void SetUp() override { core::EstablishFloatingPointEnvironment(); }
};

struct ValueCase {
  std::string text;
  Reference value;  // in the written order, in long double
};

// clang-format off
const std::vector<ValueCase> kValueCases = {
    // Precedence, signs, associativity.
    {"1+2*x", [](long double x) { return 1 + 2 * x; }},
    {"(1+2)*x", [](long double x) { return 3 * x; }},
    {"x-1-2", [](long double x) { return (x - 1) - 2; }},
    {"x/2/4", [](long double x) { return (x / 2) / 4; }},
    {"-x^2", [](long double x) { return -(x * x); }},
    {"2^3^2", [](long double) { return 512.0L; }},
    {"2^-1", [](long double) { return 0.5L; }},
    {"--x", [](long double x) { return x; }},
    {"+x*-k", [](long double x) { return x * -kK; }},
    {"x − 1", [](long double x) { return x - 1; }},
    {"2·x×3", [](long double x) { return 2 * x * 3; }},
    // Both decimal points, spaces, constants, variables.
    {"1,5*x + 0.25", [](long double x) { return 1.5L * x + 0.25L; }},
    {" .5+5.", [](long double) { return 5.5L; }},
    {"pi*k-e*l", [](long double) {
       return std::numbers::pi_v<long double> * kK - std::numbers::e_v<long double> * kL; }},
    {"e^x", [](long double x) { return powl(std::numbers::e_v<long double>, x); }},
    // Every function under every name.
    {"sin(x)", [](long double x) { return sinl(x); }},
    {"cos(x)", [](long double x) { return cosl(x); }},
    {"tg(x)", [](long double x) { return sinl(x) / cosl(x); }},
    {"tan(x)", [](long double x) { return sinl(x) / cosl(x); }},
    {"ctg(x)", [](long double x) { return cosl(x) / sinl(x); }},
    {"cot(x)", [](long double x) { return cosl(x) / sinl(x); }},
    {"arcsin(x)", [](long double x) { return asinl(x); }},
    {"asin(x)", [](long double x) { return asinl(x); }},
    {"arccos(x)", [](long double x) { return acosl(x); }},
    {"acos(x)", [](long double x) { return acosl(x); }},
    {"arctg(x)", [](long double x) { return atanl(x); }},
    {"atan(x)", [](long double x) { return atanl(x); }},
    {"arcctg(x)", [](long double x) { return std::numbers::pi_v<long double> / 2 - atanl(x); }},
    {"acot(x)", [](long double x) { return std::numbers::pi_v<long double> / 2 - atanl(x); }},
    {"sh(x)", [](long double x) { return sinhl(x); }},
    {"sinh(x)", [](long double x) { return sinhl(x); }},
    {"ch(x)", [](long double x) { return coshl(x); }},
    {"cosh(x)", [](long double x) { return coshl(x); }},
    {"th(x)", [](long double x) { return tanhl(x); }},
    {"tanh(x)", [](long double x) { return tanhl(x); }},
    {"exp(x)", [](long double x) { return expl(x); }},
    {"ln(x)", [](long double x) { return logl(x); }},
    {"lg(x)", [](long double x) { return log10l(x); }},
    {"log10(x)", [](long double x) { return log10l(x); }},
    {"log2(x)", [](long double x) { return log2l(x); }},
    {"sqrt(x)", [](long double x) { return sqrtl(x); }},
    {"abs(-x)", [](long double x) { return x; }},
    {"(-8)^(1/3*3)", [](long double) { return -8.0L; }},
    {"x^3-2*x-5", [](long double x) { return powl(x, 3) - 2 * x - 5; }},
};
// clang-format on

TEST_F(ExpressionTest, ValuesInTheWrittenOrder) {
  ASSERT_EQ(core::expression::kFunctions.size(), 17u);  // each has a row above
  for (const ValueCase& test : kValueCases) {
    SCOPED_TRACE(test.text);
    const auto formula = Formula::Parse(test.text);
    for (const long double x : kPoints)
      EXPECT_EQ(formula->Value(x, kK, kL).Value(), test.value(x)) << "at x = " << double(x);
  }
}

struct ErrorCase {
  std::string text;
  std::string message;
  std::size_t position;
};

const std::string kMax(core::expression::kMaxFormulaLength, 'x');

std::string Nested(int depth) {
  return std::string(depth, '(') + "x" + std::string(depth, ')');
}

// clang-format off
const std::vector<ErrorCase> kErrorCases = {
    {"", "ожидалось число, переменная или «(» в позиции 1", 1},
    {"x^2 - *3", "ожидалось число, переменная или «(» в позиции 7", 7},
    {"sinx", "неизвестное имя «sinx» в позиции 1: может быть, sin(x)", 1},
    {"f(x)", "неизвестная функция «f» в позиции 1: функции перечислены в справке, раздел 11", 1},
    {"y+1", "неизвестное имя «y» в позиции 1: переменные x, k, l, постоянные pi, e", 1},
    {"sin x", "после «sin» нужна «(» в позиции 5: sin(x)", 5},
    {"(x+1", "не хватает «)» в позиции 5", 5},
    {"cos(x", "не хватает «)» в позиции 6", 6},
    {"x+1)", "лишняя «)» в позиции 4", 4},
    {"2x", "", 0},  // 2*x: see formula_input_test.cpp
    {"x(x+1)", "пропущен знак «*» в позиции 2: x*(x+1)", 2},
    {"(x)(x)", "", 0},
    {"1,2.3", "второй десятичный разделитель в позиции 4", 4},
    {"x # 1", "недопустимый символ «#» в позиции 3", 3},
    {"−x+№", "недопустимый символ «№» в позиции 4", 4},
    {"x+\xff", "недопустимый символ в позиции 3", 3},
    {"1" + std::string(5000, '0'), "формула длиннее 1000 символов", 1001},
    {kMax + "x", "формула длиннее 1000 символов", 1001},
    {Nested(101), "вложенность глубже 100 уровней в позиции 101", 101},
    {std::string(101, '-') + "x", "вложенность глубже 100 уровней в позиции 101", 101},
    {"1" + std::string(999, '0'), "", 0},  // 10^999 fits the extended range
    {"2^" + std::string(100, '-') + "1", "вложенность глубже 100 уровней в позиции 102", 102},
};
// clang-format on

TEST_F(ExpressionTest, ErrorsNameMessageAndPosition) {
  for (const ErrorCase& test : kErrorCases) {
    SCOPED_TRACE(test.text.substr(0, 40));
    try {
      Formula::Parse(test.text);
      EXPECT_EQ(test.message, "") << "read without an error";
    } catch (const core::EFormulaError& error) {
      EXPECT_EQ(error.Message(), test.message);
      EXPECT_EQ(error.Position(), test.position);
    }
  }
}

TEST_F(ExpressionTest, LimitsThemselvesRead) {
  EXPECT_NO_THROW(Formula::Parse(Nested(100)));
  EXPECT_NO_THROW(Formula::Parse(std::string(100, '-') + "x"));
  std::string sum = "x";
  while (sum.size() + 2 <= core::expression::kMaxFormulaLength) sum += "+x";
  EXPECT_EQ(Formula::Parse(sum)->f(1, {}), 500);
}

// The domain rules raise the arithmetic's own errors.
enum class Fault { kInvalid, kZeroDivide, kOverflow, kNone };

struct DomainCase {
  std::string text;
  long double x;
  Fault fault;
};

// clang-format off
const std::vector<DomainCase> kDomainCases = {
    {"ln(x)", 0, Fault::kZeroDivide}, {"ln(x)", -1, Fault::kInvalid},
    {"lg(x)", 0, Fault::kZeroDivide}, {"lg(x)", -1, Fault::kInvalid},
    {"log2(x)", 0, Fault::kZeroDivide}, {"log2(x)", -2, Fault::kInvalid},
    {"sqrt(x)", -1e-300L, Fault::kInvalid}, {"sqrt(x)", 0, Fault::kNone},
    {"arcsin(x)", 1.0000001L, Fault::kInvalid}, {"arccos(x)", -1.5L, Fault::kInvalid},
    {"ctg(x)", 0, Fault::kZeroDivide},
    {"tg(x)", 0x1p63L, Fault::kInvalid},  // sine and cosine are 0 there by rule
    {"sin(x)", 0x1p63L, Fault::kNone}, {"cos(x)+1/sin(x)", -0x1p63L, Fault::kZeroDivide},
    {"x^x", 0, Fault::kInvalid}, {"0^0", 1, Fault::kInvalid},
    {"x^(1/2)", -4, Fault::kInvalid}, {"x^2", -4, Fault::kNone},
    {"x^-1", 0, Fault::kZeroDivide}, {"1/x", 0, Fault::kZeroDivide}, {"x/x", 0, Fault::kInvalid},
    {"exp(x)", 20000, Fault::kOverflow}, {"sh(x)", -20000, Fault::kOverflow},
    {"ch(x)", 20000, Fault::kOverflow}, {"x^x", 5000, Fault::kOverflow},
    {"10^4000*x", 1e4000L, Fault::kOverflow},
};
// clang-format on

Fault FaultOf(const std::string& text, long double x) {
  try {
    Formula::Parse(text)->Value(x, 1, 1);
  } catch (const core::EInvalidOp&) {
    return Fault::kInvalid;
  } catch (const core::EZeroDivide&) {
    return Fault::kZeroDivide;
  } catch (const core::EOverflow&) {
    return Fault::kOverflow;
  }
  return Fault::kNone;
}

TEST_F(ExpressionTest, DomainRulesRaiseTheArithmeticErrors) {
  for (const DomainCase& test : kDomainCases) {
    SCOPED_TRACE(test.text + " at " + std::to_string(static_cast<double>(test.x)));
    EXPECT_EQ(FaultOf(test.text, test.x), test.fault);
  }
  // The store into a double overflows as the built-in equations' does.
  EXPECT_THROW(Formula::Parse("x*x")->f(1e200, {}), core::EOverflow);
  EXPECT_EQ(Formula::Parse("sin(x)")->Value(0x1p63L, 1, 1).Value(), 0);
}

struct DerivativeCase {
  std::string text;
  std::string derivative;
  Reference value;  // written by hand, evaluated in long double
};

// clang-format off
const std::vector<DerivativeCase> kDerivativeCases = {
    {"x^3-2*x-5", "3*x^2-2", [](long double x) { return 3 * x * x - 2; }},
    {"e^x-3*x", "e^x-3", [](long double x) { return expl(x) - 3; }},
    {"x-cos(x)", "1+sin(x)", [](long double x) { return 1 + sinl(x); }},
    {"(x-1)^2", "2*(x-1)", [](long double x) { return 2 * (x - 1); }},
    {"cos(x)*k-x+l", "-sin(x)*k-1", [](long double x) { return -sinl(x) * kK - 1; }},
    {"cos(l*x)*k", "-l*sin(l*x)*k", [](long double x) { return -kL * sinl(kL * x) * kK; }},
    {"sin(x^2)", "2*x*cos(x^2)", [](long double x) { return 2 * x * cosl(x * x); }},
    {"x*sin(x)", "sin(x)+x*cos(x)", [](long double x) { return sinl(x) + x * cosl(x); }},
    {"1/x", "-1/x^2", [](long double x) { return -1 / (x * x); }},
    {"x/(x+1)", "(x+1-x)/(x+1)^2", [](long double x) { return 1 / ((x + 1) * (x + 1)); }},
    {"tg(2*x)", "2/cos(2*x)^2", [](long double x) { return 2 / (cosl(2 * x) * cosl(2 * x)); }},
    {"ctg(x)", "-1/sin(x)^2", [](long double x) { return -1 / (sinl(x) * sinl(x)); }},
    {"arcsin(x)", "1/sqrt(1-x^2)", [](long double x) { return 1 / sqrtl(1 - x * x); }},
    {"arccos(x)", "-1/sqrt(1-x^2)", [](long double x) { return -1 / sqrtl(1 - x * x); }},
    {"atan(x)", "1/(1+x^2)", [](long double x) { return 1 / (1 + x * x); }},
    {"sh(x)+ch(x)", "ch(x)+sh(x)", [](long double x) { return coshl(x) + sinhl(x); }},
    {"th(x)", "1-th(x)^2", [](long double x) { return 1 / (coshl(x) * coshl(x)); }},
    {"exp(-x)", "-exp(-x)", [](long double x) { return -expl(-x); }},
    {"ln(x^2)", "2/x", [](long double x) { return 2 / x; }},
    {"lg(x)", "1/(x*ln(10))", [](long double x) { return 1 / (x * logl(10)); }},
    {"log2(x)", "1/(x*ln(2))", [](long double x) { return 1 / (x * logl(2)); }},
    {"sqrt(x)", "1/(2*sqrt(x))", [](long double x) { return 0.5L / sqrtl(x); }},
    {"abs(x-1)", "(x-1)/abs(x-1)", [](long double) { return -1.0L; }},
    {"2^x", "2^x*ln(2)", [](long double x) { return powl(2, x) * logl(2); }},
    {"x^x", "x^x*(ln(x)+1)", [](long double x) { return powl(x, x) * (logl(x) + 1); }},
    {"k*l+pi", "0", [](long double) { return 0.0L; }},
    {"-x^2", "-2*x", [](long double x) { return -2 * x; }},
};
// clang-format on

// Within a few units in the last place of a double.
void ExpectClose(double value, long double reference) {
  const double rounded = static_cast<double>(reference);
  const double ulp = std::nextafter(std::fabs(rounded), INFINITY) - std::fabs(rounded);
  EXPECT_LE(std::fabs(value - rounded), 4 * ulp) << value << " vs " << rounded;
}

TEST_F(ExpressionTest, DerivativesReadAsWrittenAndAgreeWithTheReference) {
  for (const DerivativeCase& test : kDerivativeCases) {
    SCOPED_TRACE(test.text);
    const auto formula = Formula::Parse(test.text);
    EXPECT_EQ(formula->DerivativeText(), test.derivative);
    for (const long double x : kPoints)
      ExpectClose(formula->f_(static_cast<double>(x), {double(kK), double(kL)}), test.value(x));
  }
}

// Printed text reads back into the same tree: the brackets it leaves out
// were not needed.
TEST_F(ExpressionTest, PrintedTextReadsBackUnchanged) {
  for (const std::string text :
       {"e^(x*pi)", "x-(x-1)", "x-(-x)", "-(-x)", "(-x)^2", "x^(-2)", "(x^2)^3", "x^2^3", "-(x*k)",
        "x/(k*l)", "x*(k*l)", "x+(k+l)", "-x^2*k", "sin(-x)/-x"}) {
    SCOPED_TRACE(text);
    const std::string printed = core::expression::Print(core::expression::Parse(text));
    EXPECT_EQ(core::expression::Print(core::expression::Parse(printed)), printed);
    EXPECT_EQ(Formula::Parse(printed)->Value(0.7L, kK, kL).Value(),
              Formula::Parse(text)->Value(0.7L, kK, kL).Value());
  }
  EXPECT_EQ(core::expression::Print(core::expression::Parse("x-(x-1)")), "x-(x-1)");
  EXPECT_EQ(core::expression::Print(core::expression::Parse("(x-1)-x")), "x-1-x");
  EXPECT_EQ(core::expression::Print(core::expression::Parse("(-x)^2")), "(-x)^2");
  EXPECT_EQ(core::expression::Print(core::expression::Parse("x^(-2)*(-(-k))")), "x^-2*--k");
}

// The right-hand sides of the list texts, typed as written, give the
// catalogue's values bit for bit.
TEST_F(ExpressionTest, BuiltInEquationsTypedAsWrittenGiveTheSameBits) {
  const std::vector<double> xs = {-3.7, -1, -0.1, 0, 0.3, 1, 1.4142, 2, 7.5, 1e10};
  const std::vector<core::Coefficients> coefficients = {{1, 1}, {-2.5, 0.3}, {0.1, -7}};
  for (std::uint8_t equation = 0; equation < core::kEquationCount; ++equation) {
    const std::string_view text = core::kEquationTexts[equation];
    SCOPED_TRACE(text);
    const auto formula = Formula::Parse(text.substr(text.find('=') + 1));
    for (const core::Coefficients& c : coefficients) {
      for (const double x : xs) {
        EXPECT_EQ(formula->f(x, c), core::f(equation, x, c)) << "x = " << x;
        ExpectClose(formula->f_(x, c), core::f_(equation, x, c));
      }
    }
  }
}

}  // namespace
