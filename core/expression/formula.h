// SPDX-License-Identifier: GPL-3.0-or-later
// A typed formula f(x) ready to solve: read once, differentiated once, and
// evaluated with the checked extended arithmetic of the built-in equations.
// This is the entry point of the expression code for the windows and the
// command line:
//
//   auto formula = core::expression::Formula::Parse("x³-2x=5");  // EFormulaError
//   formula->f(2.5, {k, l});       formula->f_(2.5, {k, l});       // EMathError kinds
//   formula->f__(2.5, {k, l});     // f″, for the combined chord–tangent method
//   formula->Text();               // "x³-2x=5", as typed
//   formula->CanonicalText();      // "x^3-2*x=5", every operation written out
//   formula->FunctionText();       // "x^3-2*x-5", the f whose zeros are sought
//   formula->DerivativeText();     // "3*x^2-2"
//   formula->CatalogueEquation();  // the list text's index, when it is one
//
// f evaluates in the written order of operations and rounds only the final
// result to double, as the built-in equations do: "cos(l*x)*k" gives equation
// 0's values bit for bit.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/equations.h"
#include "core/expression/evaluate.h"
#include "core/expression/node.h"

namespace core::expression {

class Formula {
 public:
  // Reads `text` (UTF-8). Raises EFormulaError with a Russian message, a
  // hint that names the fix, and the position; the limits of parser.h hold.
  static std::shared_ptr<const Formula> Parse(std::string_view text);

  const std::string& Text() const { return text_; }  // as typed
  // As typed, with every operation written out and only the brackets the
  // order of operations needs, so that a student sees how the reader took
  // it: "2x²(x+1)" → "2*x^2*(x+1)", "√x=1" → "sqrt(x)=1". It reads back
  // into the same formula.
  const std::string& CanonicalText() const { return canonical_; }
  // The equation as the windows name it: the text as typed when it has "=",
  // otherwise the text followed by " = 0".
  std::string EquationText() const;
  // f as the windows name it ("f(x) = …"): the text as typed, or for an
  // equation lhs = rhs the function lhs-(rhs) in the canonical notation.
  std::string FunctionText() const;

  // The index of the catalogue's equation when the text is one of its list
  // texts (spaces and the way of writing aside: "x = k·cos(l*x)" is equation
  // 0). Then f here is x − (right-hand side), while the main window's
  // methods, as the catalogue says, solve its right-hand side = 0:
  // core::EquationSource(index) is that one.
  std::optional<std::uint8_t> CatalogueEquation() const { return catalogue_; }

  const NodePtr& Tree() const { return tree_; }
  const NodePtr& DerivativeTree() const { return derivative_; }
  std::string DerivativeText() const;

  // f and f′ at x, in extended precision, raising the arithmetic's errors.
  // f′ is meant where f is defined (derivative.h).
  Extended Value(Extended x, Extended k, Extended l) const { return f_program_.Run({x, k, l}); }
  Extended DerivativeValue(Extended x, Extended k, Extended l) const {
    return derivative_program_.Run({x, k, l});
  }
  // f″ at x: the derivative of the derivative, built by the same rules and
  // meant, like f′, where f is defined.
  Extended SecondDerivativeValue(Extended x, Extended k, Extended l) const {
    return second_derivative_program_.Run({x, k, l});
  }
  // The same, stored into a double, as core::f and core::f_ are.
  double f(double x, const Coefficients& c) const { return Value(x, c.k, c.l).ToDouble(); }
  double f_(double x, const Coefficients& c) const {
    return DerivativeValue(x, c.k, c.l).ToDouble();
  }
  double f__(double x, const Coefficients& c) const {
    return SecondDerivativeValue(x, c.k, c.l).ToDouble();
  }

  // The operations one evaluation of f and of f′ performs: a few for each
  // character of the formula, however its printed derivative grows.
  std::size_t FunctionCost() const { return f_program_.Size(); }
  std::size_t DerivativeCost() const { return derivative_program_.Size(); }

  Formula(std::string text, std::string canonical, bool equation, NodePtr tree, NodePtr derivative,
          NodePtr second_derivative);

 private:
  std::string text_;
  std::string canonical_;
  bool equation_;  // typed with "="
  NodePtr tree_;
  NodePtr derivative_;
  std::optional<std::uint8_t> catalogue_;
  Program f_program_;
  Program derivative_program_;
  Program second_derivative_program_;
};

}  // namespace core::expression
