// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/equations.h"

#include "core/extended.h"

namespace core {

const std::array<std::string_view, kEquationCount> kEquationTexts = {
    "x=k*cos(l*x)",          "x=k*cos(x*x)*l",      "x=k*sin(x*l)*cos(x)", "x=k*cos(x)-x+l",
    "x=k*x*sin(x)-l*cos(x)", "x=x*k*cos(l*x)",      "x=cos(l*x*x*k)",      "x=k*cos(x*x*x)*l",
    "x=cos(k*x)+l",          "x=k*sin(x)*cos(l*x)",
};

namespace {

// Each formula is written in the order it is evaluated: operands and
// intermediate results stay extended, chains of products and sums run left to
// right, and -k is negated before any product. Only the final store into a
// double rounds. An index outside the catalogue names no equation: it reads as
// the zero function, so that nothing can crash on it (the methods then stop at
// once or meet 0 / 0, an invalid operation).

// Inlined into each caller: f is the methods' hot path, and a second caller
// (the extended-precision one) must not turn it into a call with its
// operands passed through memory.
[[gnu::always_inline]] inline Extended Function(std::uint8_t equation, Extended x, Extended k,
                                                Extended l) {
  // One line per equation, like the catalogue's table.
  // clang-format off
  switch (equation) {
    case 0: return Cos(l * x) * k;
    case 1: return Cos(x * x) * k * l;
    case 2: return Sin(x * l) * k * Cos(x);
    case 3: return Cos(x) * k - x + l;
    case 4: return k * x * Sin(x) - Cos(x) * l;
    case 5: return x * k * Cos(l * x);
    case 6: return Cos(l * x * x * k);
    case 7: return Cos(x * x * x) * k * l;
    case 8: return Cos(k * x) + l;
    case 9: return Sin(x) * k * Cos(l * x);
    default: return 0.0L;
  }
  // clang-format on
}

[[gnu::always_inline]] inline Extended Derivative(std::uint8_t equation, Extended x, Extended k,
                                                  Extended l) {
  // One line per equation, like the catalogue's table.
  // clang-format off
  switch (equation) {
    case 0: return -k * l * Sin(l * x);
    case 1: return -2 * k * l * x * Sin(x * x);
    case 2: return k * l * Cos(x) * Cos(l * x) - Sin(x) * k * Sin(l * x);
    case 3: return -k * Sin(x) - 1;
    case 4: return (l + k) * Sin(x) + k * x * Cos(x);
    case 5: return Cos(l * x) * k - k * l * x * Sin(l * x);
    case 6: return -2 * k * l * x * Sin(k * l * x * x);
    case 7: return -3 * k * l * x * x * Sin(x * x * x);
    case 8: return -k * Sin(k * x);
    case 9: return k * Cos(x) * Cos(l * x) - k * l * Sin(x) * Sin(l * x);
    default: return 0.0L;
  }
  // clang-format on
}

}  // namespace

double f(std::uint8_t equation, double x, const Coefficients& c) {
  return Function(equation, x, c.k, c.l).ToDouble();
}

double f_(std::uint8_t equation, double x, const Coefficients& c) {
  return Derivative(equation, x, c.k, c.l).ToDouble();
}

Extended ExtendedF(std::uint8_t equation, Extended x, const Coefficients& c) {
  return Function(equation, x, c.k, c.l);
}

Extended ExtendedDerivative(std::uint8_t equation, Extended x, const Coefficients& c) {
  return Derivative(equation, x, c.k, c.l);
}

}  // namespace core
