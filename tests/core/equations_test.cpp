// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/equations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "core/errors.h"

namespace {

using core::Coefficients;

// Ten significant digits, as a text, so a failure shows both numbers readably.
std::string TenDigits(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9e", value);
  return text;
}

struct ValuesAt07 {
  double f;
  double f_;
};

// k = 2, l = 3, x = 0.7, indices 0 to 9 in order.
constexpr ValuesAt07 kValuesAt07[core::kEquationCount] = {
    {-1.009692209, -5.1792562},    {5.293997152, -3.953257461}, {1.32043788, -3.428955077},
    {3.829684375, -2.288435374},   {-1.3926218, 4.291867498},   {-0.7067845464, -4.635171549},
    {-0.9797489236, -1.681931872}, {5.65049978, -2.966288168},  {3.169967143, -1.97089946},
    {-0.6504615798, -4.108823648},
};

TEST(EquationsTest, ValuesAt07ToTenDigits) {
  const Coefficients c{2, 3};
  for (std::uint8_t i = 0; i < core::kEquationCount; ++i) {
    SCOPED_TRACE(core::kEquationTexts[i]);
    EXPECT_EQ(TenDigits(core::f(i, 0.7, c)), TenDigits(kValuesAt07[i].f));
    EXPECT_EQ(TenDigits(core::f_(i, 0.7, c)), TenDigits(kValuesAt07[i].f_));
  }
}

TEST(EquationsTest, DerivativeMatchesCentralDifference) {
  const Coefficients c{2, 3};
  constexpr double kStep = 1e-6;
  for (const double x : {0.7, -1.3, 2.9}) {
    for (std::uint8_t i = 0; i < core::kEquationCount; ++i) {
      SCOPED_TRACE(std::string(core::kEquationTexts[i]) + " at " + std::to_string(x));
      const double difference = (core::f(i, x + kStep, c) - core::f(i, x - kStep, c)) / (2 * kStep);
      const double derivative = core::f_(i, x, c);
      EXPECT_NEAR(difference, derivative, 1e-7 * std::fmax(1.0, std::fabs(derivative)));
    }
  }
}

struct PointCase {
  const char* name;
  std::uint8_t equation;
  Coefficients c;
  double x;
  double f;
  double f_;
};

// Exact values: stationary points, the sine and cosine range rule (|argument|
// >= 2^63 gives 0), and a linear equation.
TEST(EquationsTest, ExactValues) {
  const PointCase cases[] = {
      {"stationary point of cos", 0, {1, 1}, 0, 1, 0},
      {"f = k at 0", 0, {2.5, 3}, 0, 2.5, 0},
      {"cos(k*x) beyond range", 8, {1, 1}, 1e19, 1, 0},
      {"cos(x*x) beyond range", 1, {1, 1}, 4e9, 0, 0},
      {"1 - x", 3, {0, 1}, 0.25, 0.75, -1},
      {"1 - x far out", 3, {0, 1}, -1e6, 1e6 + 1, -1},
  };
  for (const PointCase& test : cases) {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(core::f(test.equation, test.x, test.c), test.f);
    EXPECT_EQ(core::f_(test.equation, test.x, test.c), test.f_);
  }
  // Just below the bound x * x = 2^63 the cosine is still taken.
  EXPECT_NE(core::f(1, 3037000499.0, {1, 1}), 0);
}

TEST(EquationsTest, DerivativeAtStationaryPointIsMinusZero) {
  // -k * l * sin(0) is -1 * 1 * 0: the sign is part of the order of operations.
  EXPECT_TRUE(std::signbit(core::f_(0, 0, {1, 1})));
}

TEST(EquationsTest, ExtendedEvaluationRoundsOnlyAtTheStore) {
  // 0 - x + 1 with x = -(2^-53 + 2^-70): the extended sum drops 2^-70 and the
  // store meets an exact tie, giving 1; double arithmetic gives 1 + 2^-52.
  const double x = -(0x1p-53 + 0x1p-70);
  EXPECT_EQ(core::f(3, x, {0, 1}), 1.0);
}

TEST(EquationsTest, ResultBeyondDoubleRangeOverflows) {
  const Coefficients huge{1e308, 1e308};
  EXPECT_THROW(core::f(3, 0, huge), core::EOverflow);     // cos(0) * k - 0 + l = 2e308
  EXPECT_THROW(core::f_(4, 1.5, huge), core::EOverflow);  // (l + k) * sin(x) + ...
  EXPECT_EQ(core::f(0, 0, huge), 1e308);
}

TEST(EquationsTest, IndexOutsideCatalogueIsTheZeroFunction) {
  for (const std::uint8_t index : {10, 127, 255}) {
    EXPECT_EQ(core::f(index, 0.7, {2, 3}), 0);
    EXPECT_EQ(core::f_(index, 0.7, {2, 3}), 0);
  }
}

}  // namespace
