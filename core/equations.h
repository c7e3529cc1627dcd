// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue of the ten equations. The function of an equation is the
// right-hand side of its list text, so the methods find the zeros of that
// right-hand side; f_ is its exact derivative.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/extended.h"

namespace core {

// The two coefficients of the shared state. The catalogue reads them at every
// evaluation and never changes them.
struct Coefficients {
  double k = 0;
  double l = 0;
};

inline constexpr int kEquationCount = 10;

// The list texts, in index order (UTF-8).
extern const std::array<std::string_view, kEquationCount> kEquationTexts;

// The value of the equation's function at x, evaluated in extended precision
// in the order the formula is written and rounded to double.
double f(std::uint8_t equation, double x, const Coefficients& c);

// Its derivative at x.
double f_(std::uint8_t equation, double x, const Coefficients& c);

// The same two, kept in the extended format without the final store into a
// double: a root refined beyond double precision needs the extra digits.
Extended ExtendedF(std::uint8_t equation, Extended x, const Coefficients& c);
Extended ExtendedDerivative(std::uint8_t equation, Extended x, const Coefficients& c);

}  // namespace core
