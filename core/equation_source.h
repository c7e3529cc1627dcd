// SPDX-License-Identifier: GPL-3.0-or-later
// What the root-finding methods solve: one of the ten built-in equations, by
// its index, or a formula the user typed. Both give f and f′ with the same
// checked arithmetic, so the methods, histories and reports need not know
// which one they have.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/equations.h"
#include "core/expression/formula.h"

namespace core {

class EquationSource {
 public:
  // Built-in equation `equation` (an index outside the catalogue reads as the
  // zero function, as core::f has it).
  EquationSource(std::uint8_t equation = 0)
      : equation_(equation) {}  // NOLINT: an index is a source
  explicit EquationSource(std::shared_ptr<const expression::Formula> formula)
      : formula_(std::move(formula)) {}

  std::uint8_t Equation() const { return equation_; }
  // The typed formula; null for a built-in equation.
  const std::shared_ptr<const expression::Formula>& Formula() const { return formula_; }

  double f(double x, const Coefficients& c) const {
    return formula_ != nullptr ? formula_->f(x, c) : core::f(equation_, x, c);
  }
  double f_(double x, const Coefficients& c) const {
    return formula_ != nullptr ? formula_->f_(x, c) : core::f_(equation_, x, c);
  }

  // f″. The catalogue has no f″ of its own: a built-in equation takes it
  // from its right-hand side read as a typed formula, which gives the
  // catalogue's f bit for bit, so its f″ is that very function's.
  double f__(double x, const Coefficients& c) const;

  // The same two kept in the extended format, without the store into a
  // double: a root refined beyond double precision needs the extra digits.
  Extended ExtendedF(Extended x, const Coefficients& c) const {
    return formula_ != nullptr ? formula_->Value(x, c.k, c.l) : core::ExtendedF(equation_, x, c);
  }
  Extended ExtendedDerivative(Extended x, const Coefficients& c) const {
    return formula_ != nullptr ? formula_->DerivativeValue(x, c.k, c.l)
                               : core::ExtendedDerivative(equation_, x, c);
  }

  // The equation as the detail windows name it: the list text of a built-in
  // one ("x=k*cos(l*x)"), the typed equation for a typed one (the text as
  // typed, with " = 0" unless it has "="); empty for an index that names no
  // equation.
  std::string Text() const;

  // The same equation: the same index, or the very same formula.
  friend bool operator==(const EquationSource& a, const EquationSource& b) {
    return a.formula_ == b.formula_ && (a.formula_ != nullptr || a.equation_ == b.equation_);
  }

 private:
  std::uint8_t equation_ = 0;
  std::shared_ptr<const expression::Formula> formula_;
};

}  // namespace core
