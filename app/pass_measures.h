// SPDX-License-Identifier: GPL-3.0-or-later
// The numbers a student needs beside each pass: the quantity that the
// method's stopping test compares with the precision, the error against a
// reference root with its correct digits, and the local order of convergence
// qₙ, given only where three values in a row really decrease.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/history.h"

namespace app {

// The stopping quantity under its name in the pass table, as the method
// table names it: |b − a| for bisection, |f(xₙ)| for chords and tangents,
// and for the secants the distance between the two points of the next
// secant (the table's a and b).
std::string_view TestedQuantityName(std::uint8_t method);

// Its value after the pass, in extended precision as the test compares it
// (the method's loop calls the same function); empty where the pass lacks
// what it needs (a pass cut short by an error).
std::optional<long double> TestedQuantity(std::uint8_t method, const core::PassRecord& pass);

// A method that tests the distance between its start and end before it
// forms any point (bisection) records no pass 0; the pass table shows that
// test as row 0, so that its rows agree with the iteration count.
bool HasStartingRow(const core::MethodHistory& history);
// |end − start|, the quantity of that row.
long double StartingWidth(const core::MethodHistory& history);

// Which values qₙ is measured on: the error where a reference root can be
// trusted, else the steps; a method that tests the width of its bracket
// (bisection) always on that width, which bounds its error and shrinks on
// every pass.
enum class OrderBasis { kErrors, kSteps, kWidths };

struct PassMeasure {
  std::optional<long double> tested;
  std::optional<double> error;  // |xₙ − x*|
  std::optional<int> digits;    // correct significant decimal digits of xₙ
  std::optional<double> q;      // ln(eₙ/eₙ₋₁) / ln(eₙ₋₁/eₙ₋₂)
};

struct PassMeasures {
  OrderBasis basis = OrderBasis::kSteps;
  std::vector<PassMeasure> passes;  // one per pass of the history
};

PassMeasures MeasurePasses(const core::MethodHistory& history,
                           std::optional<long double> reference);

// Where qₙ is shown: eₙ₋₂ > eₙ₋₁ > eₙ, all above the rounding noise of a
// double at xₙ (a few units in its last place), below which a ratio measures
// only rounding.
bool AboveRoundingNoise(double value, double x);

}  // namespace app
