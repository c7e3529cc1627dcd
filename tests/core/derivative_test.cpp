// SPDX-License-Identifier: GPL-3.0-or-later
// The derivative as a student reads it: its printed text, tidy (no "+-", no
// factor 1 or 0, no exponent written as arithmetic on numbers), its values
// at three points against values worked out to 25 digits beforehand, and
// the printed text read back giving the same values. Then the cost of a
// long formula: each evaluation is a few operations for each character.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "core/expression/formula.h"
#include "core/floating_point_environment.h"

namespace {

using core::expression::Formula;

const core::Coefficients kCoefficients{1.5, -0.75};

class DerivativeTest : public ::testing::Test {
 protected:
  void SetUp() override { core::EstablishFloatingPointEnvironment(); }
};

// Within 4 units in the last place of a double, or 1e-18 from a value at 0.
void ExpectClose(long double value, long double expected) {
  const double rounded = static_cast<double>(expected);
  const double ulp = std::nextafter(std::fabs(rounded), INFINITY) - std::fabs(rounded);
  const long double tolerance = std::max(4.0L * ulp, 1e-18L);
  EXPECT_LE(std::fabs(value - expected), tolerance) << double(value) << " vs " << rounded;
}

bool IsNumeral(char c) {
  return (c >= '0' && c <= '9') || c == '.' || c == ',';
}

bool IsOperation(char c) {
  return std::string_view("+-*/()").find(c) != std::string_view::npos;
}

// What no printed derivative may hold: "+-", a factor 1 or 0, an exponent
// written as arithmetic on numbers ("^(3-1)").
bool Untidy(const std::string& text) {
  for (const std::string_view pair : {"+-", "--", "-(-"})
    if (text.find(pair) != std::string::npos) return true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool unit = text[i] == '0' || text[i] == '1';
    const bool alone_before = i == 0 || IsOperation(text[i - 1]);
    const bool alone_after = i + 1 == text.size() || IsOperation(text[i + 1]);
    if (unit && alone_before && i + 1 < text.size() && text[i + 1] == '*') return true;
    if (unit && alone_after && i > 0 && text[i - 1] == '*') return true;
    if (text.compare(i, 2, "^(") != 0) continue;
    std::size_t j = i + 2;
    if (j < text.size() && text[j] == '-') ++j;
    const std::size_t digits = j;
    while (j < text.size() && IsNumeral(text[j])) ++j;
    if (j > digits && j + 1 < text.size() &&
        std::string_view("+-*").find(text[j]) != std::string_view::npos && IsNumeral(text[j + 1]))
      return true;
  }
  return false;
}

struct Point {
  long double x;
  long double derivative;
};

struct DerivativeCase {
  std::string formula;
  std::string printed;
  std::array<Point, 3> points;  // f′ worked out by hand, to 25 digits
};

// clang-format off
const std::vector<DerivativeCase> kCases = {
    {"x^-1", "-x^(-2)", {{{0.5L, -4.0L}, {1.5L, -0.4444444444444444444444444L}, {3L, -0.1111111111111111111111111L}}}},
    {"x*exp(-x)", "exp(-x)-x*exp(-x)", {{{0.5L, 0.3032653298563167118018998L}, {1.5L, -0.1115650800742149144666402L}, {3L, -0.09957413673572788595868483L}}}},
    {"ln(x)/x", "(1-ln(x))/x^2", {{{0.5L, 6.772588722239781237668928L}, {1.5L, 0.2642377297297047191208831L}, {3L, -0.01095692096312329904391614L}}}},
    {"x^3/3", "x^2", {{{0.5L, 0.25L}, {1.5L, 2.25L}, {3L, 9.0L}}}},
    {"cos(x*x)", "-2*x*sin(x*x)", {{{0.5L, -0.2474039592545229295968487L}, {1.5L, -2.3342195906637637242329L}, {3L, -2.472710911450539418537635L}}}},
    {"x/x", "0", {{{0.5L, 0.0L}, {1.5L, 0.0L}, {3L, 0.0L}}}},
    {"arcsin(th(x))", "sqrt(1-th(x)^2)", {{{0.5L, 0.8868188839700739086588978L}, {1.5L, 0.4250960349422804609246809L}, {3L, 0.09932792741943320782901245L}}}},
    {"arccos(th(x))", "-sqrt(1-th(x)^2)", {{{0.5L, -0.8868188839700739086588978L}, {1.5L, -0.4250960349422804609246809L}, {3L, -0.09932792741943320782901245L}}}},
    {"x^(1/3)", "1/3*x^(-2/3)", {{{0.5L, 0.5291336839893998249172352L}, {1.5L, 0.2543809427896293039573427L}, {3L, 0.1602499522563787091468487L}}}},
    {"x^0,5", "0,5*x^(-0,5)", {{{0.5L, 0.7071067811865475244008444L}, {1.5L, 0.408248290463863016366214L}, {3L, 0.2886751345948128822545744L}}}},
    {"1/x^2", "-2/x^3", {{{0.5L, -16.0L}, {1.5L, -0.5925925925925925925925926L}, {3L, -0.07407407407407407407407407L}}}},
    {"x^x", "x^x*(ln(x)+1)", {{{0.5L, 0.2169777094522739285438935L}, {1.5L, 2.582004274612949377916779L}, {3L, 56.66253179403896166767162L}}}},
    {"sin(x)^2", "2*sin(x)*cos(x)", {{{0.5L, 0.8414709848078965066525023L}, {1.5L, 0.1411200080598672221007448L}, {3L, -0.2794154981989258728115554L}}}},
    {"x^2/4", "x/2", {{{0.5L, 0.25L}, {1.5L, 0.75L}, {3L, 1.5L}}}},
    {"2*x/3", "2/3", {{{0.5L, 0.6666666666666666666666667L}, {1.5L, 0.6666666666666666666666667L}, {3L, 0.6666666666666666666666667L}}}},
    {"sqrt(1-x^2)", "-x/sqrt(1-x^2)", {{{0.25L, -0.2581988897471611256786177L}, {0.5L, -0.5773502691896257645091488L}, {0.875L, -1.807392228230127879750324L}}}},
    {"1/sqrt(x)", "-1/(2*sqrt(x)^3)", {{{0.5L, -1.414213562373095048801689L}, {1.5L, -0.272165526975908677577476L}, {3L, -0.09622504486493762741819146L}}}},
    {"k*x^2+l*x", "2*k*x+l", {{{0.5L, 0.75L}, {1.5L, 3.75L}, {3L, 8.25L}}}},
    {"x*ln(x)-1", "ln(x)+1", {{{0.5L, 0.3068528194400546905827679L}, {1.5L, 1.405465108108164381978013L}, {3L, 2.098612288668109691395245L}}}},
    {"tg(2*x)", "2/cos(2*x)^2", {{{0.25L, 2.596892820819049673767533L}, {0.5L, 6.851037641629519521883358L}, {1.5L, 2.040639033884853875477114L}}}},
    {"ctg(2*x)", "-2/sin(2*x)^2", {{{0.25L, -8.701370598680085643107147L}, {0.5L, -2.82456585487478382921867L}, {1.25L, -5.583957622824415364084846L}}}},
    {"arcctg(x)", "-1/(1+x^2)", {{{0.5L, -0.8L}, {1.5L, -0.3076923076923076923076923L}, {3L, -0.1L}}}},
    {"x^2=2", "2*x", {{{0.5L, 1.0L}, {1.5L, 3.0L}, {3L, 6.0L}}}},
    {"ln(ln(x))", "1/(x*ln(x))", {{{1.5L, 1.644202308250954457338607L}, {3L, 0.3034130755422791312047467L}, {0.5L, -2.885390081777926814719849L}}}},
    {"exp(-x^2/2)", "-x*exp(-x^2/2)", {{{0.5L, -0.4412484512922977014324461L}, {1.5L, -0.4869787010375245946956022L}, {3L, -0.0333269896147269194884294L}}}},
    {"(x^2+1)/(x-1)", "(2*x*(x-1)-(x^2+1))/(x-1)^2", {{{0.5L, -7.0L}, {1.5L, -7.0L}, {3L, 0.5L}}}},
    {"x^k", "k*x^(k-1)", {{{0.5L, 1.060660171779821286601267L}, {1.5L, 1.837117307087383573647963L}, {3L, 2.59807621135331594029117L}}}},
    {"sin(x)/x", "(cos(x)*x-sin(x))/x^2", {{{0.5L, -0.1625370306360665688605886L}, {1.5L, -0.3961729707122222514708616L}, {3L, -0.3456774997623559548794959L}}}},
    {"e^(2*x)", "2*e^(2*x)", {{{0.5L, 5.436563656918090470720575L}, {1.5L, 40.17107384637533548185706L}, {3L, 806.8575869854702452167744L}}}},
    {"x^2*sin(x)", "2*x*sin(x)+x^2*cos(x)", {{{0.5L, 0.6988211790767961793023583L}, {1.5L, 3.151643663564494840523597L}, {3L, -8.063212421044805782839686L}}}},
    {"th(x)", "1-th(x)^2", {{{0.5L, 0.7864477329659274101496989L}, {1.5L, 0.1807066389236485305974401L}, {3L, 0.00986603716544019127315617L}}}},
    {"lg(x^2+1)", "2*x/((x^2+1)*ln(10))", {{{0.5L, 0.3474355855226014621209031L}, {1.5L, 0.4008872140645401486010421L}, {3L, 0.2605766891419510965906774L}}}},
    {"x=k*cos(l*x)", "1+k*l*sin(l*x)", {{{0.5L, 1.412056595221803506544523L}, {1.5L, 2.015051043361482058283218L}, {3L, 1.875332346498911396587338L}}}},
};
// clang-format on

TEST_F(DerivativeTest, PrintsTidyAndAgreesWithTheHandDerivative) {
  for (const DerivativeCase& test : kCases) {
    SCOPED_TRACE(test.formula);
    const auto formula = Formula::Parse(test.formula);
    const std::string printed = formula->DerivativeText();
    EXPECT_EQ(printed, test.printed);
    EXPECT_FALSE(Untidy(printed));
    const auto again = Formula::Parse(printed);
    for (const Point& point : test.points) {
      SCOPED_TRACE("x = " + std::to_string(double(point.x)));
      const long double value = formula->DerivativeValue(point.x, 1.5L, -0.75L).Value();
      ExpectClose(value, point.derivative);
      ExpectClose(again->Value(point.x, 1.5L, -0.75L).Value(), value);
    }
  }
}

// The check above can tell an untidy text.
TEST_F(DerivativeTest, UntidyTextsAreTold) {
  for (const std::string text :
       {"a+-b", "1*x", "x*1", "-(-x)", "x^(3-1)", "x^(-1-1)", "x^3-1*x", "0*x+1"})
    EXPECT_TRUE(Untidy(text)) << text;
  for (const std::string text : {"x^(-2)", "10*x", "x*10", "2/3", "-x^(-2/3)", "0,5*x^(-0,5)"})
    EXPECT_FALSE(Untidy(text)) << text;
}

// th′ = 1 − th²: where th(x) rounds to 1 f′ is 0, near its true value
// 1/ch(x) (1.9e-13 at 30), where 1/ch² over sqrt(1 − th²) divided by 0.
TEST_F(DerivativeTest, ArcsineOfHyperbolicTangentHasAValueWhereThRoundsToOne) {
  const auto formula = Formula::Parse("arcsin(th(x))");
  for (const double x : {30.0, -30.0, 1e4}) {
    double value = 1;
    EXPECT_NO_THROW(value = formula->f_(x, kCoefficients)) << x;
    EXPECT_LE(std::fabs(value), 1e-12) << x;
  }
}

// A chain of 1,000 characters: its derivative printed runs to hundreds of
// thousands of characters, but the graph the program evaluates shares its
// parts, a few operations for each character.
std::string Chain(const std::string& factor, const std::string& operation) {
  std::string text = factor;
  while (text.size() + operation.size() + factor.size() <= 1000) text += operation + factor;
  return text;
}

TEST_F(DerivativeTest, LongChainsCostAFewOperationsPerCharacter) {
  const std::string products = Chain("x", "*");
  const std::string quotients = Chain("sin(x)", "/");
  for (const std::string& text : {products, quotients, Chain("(x+1)", "/"), Chain("x", "/")}) {
    SCOPED_TRACE(text.substr(0, 20));
    const auto formula = Formula::Parse(text);
    EXPECT_LE(formula->FunctionCost(), text.size());
    EXPECT_LE(formula->DerivativeCost(), 3 * text.size());
  }
  // x·x·…·x, 500 factors: f′ = 500·x^499, exactly 500 at 1.
  EXPECT_EQ(Formula::Parse(products)->DerivativeValue(1, 0, 0).Value(), 500);
  // sin(x)/sin(x)/…, n sines: f = sin^(2−n), f′ = (2−n)·sin^(1−n)·cos.
  const auto formula = Formula::Parse(quotients);
  const long double n = static_cast<long double>((quotients.size() + 1) / 7);
  for (const long double x : {1.0L, 1.25L, 2.0L}) {
    const long double expected = (2 - n) * powl(sinl(x), 1 - n) * cosl(x);
    const long double value = formula->DerivativeValue(x, 0, 0).Value();
    EXPECT_LE(std::fabs(value - expected), 1e-16L * std::fabs(expected)) << double(x);
  }
}

}  // namespace
