// SPDX-License-Identifier: GPL-3.0-or-later
// Exact fractions of the numbers in a derivative, so that folding them does
// not round: the exponent of (x^(1/3))′ is 1/3 − 1 = −2/3, and of (x^0,1)′
// 0,1 − 1 = −0,9, where folding in extended precision would print twenty
// digits. Numerators and denominators are 64-bit; a result beyond them is
// no fraction, and the caller folds in extended precision or not at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core::expression {

struct Fraction {
  std::int64_t numerator = 0;
  std::int64_t denominator = 1;  // positive, in lowest terms with the numerator

  friend bool operator==(const Fraction&, const Fraction&) = default;
};

// A number as the formula language writes it ("2", "-0,9", "2.5E+4"), or a
// folded number's text; none for other text or one beyond 64 bits.
std::optional<Fraction> FractionOfText(std::string_view text);

std::optional<Fraction> Sum(Fraction a, Fraction b);
std::optional<Fraction> Difference(Fraction a, Fraction b);
std::optional<Fraction> Product(Fraction a, Fraction b);
std::optional<Fraction> Quotient(Fraction a, Fraction b);  // none for b = 0
// a^b for a whole b; none for 0 to a power below 1 (0^0 and 0^−n raise).
std::optional<Fraction> WholePower(Fraction a, Fraction b);

// The fraction as a number of the language when it is one, exactly: "2",
// "-0.9" (or "-0,9" with `point` ','); none for 1/3, which needs a division.
std::optional<std::string> DecimalText(Fraction a, char point = '.');

// The value, rounded once: numerator and denominator are exact in the
// extended format.
long double ValueOf(Fraction a);

}  // namespace core::expression
