// SPDX-License-Identifier: GPL-3.0-or-later
// A typed formula f(x) ready to solve: read once, differentiated once, and
// evaluated with the checked extended arithmetic of the built-in equations.
// This is the entry point of the expression code for the windows and the
// command line:
//
//   auto formula = core::expression::Formula::Parse("x^3-2*x-5");  // EFormulaError
//   formula->f(2.5, {k, l});       formula->f_(2.5, {k, l});       // EMathError kinds
//   formula->Text();               formula->DerivativeText();       // "3*x^2-2"
//
// f evaluates in the written order of operations and rounds only the final
// result to double, as the built-in equations do: "cos(l*x)*k" gives equation
// 0's values bit for bit.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/equations.h"
#include "core/expression/evaluate.h"
#include "core/expression/node.h"

namespace core::expression {

class Formula {
 public:
  // Reads `text` (UTF-8). Raises EFormulaError with a Russian message and the
  // position; the limits of parser.h hold.
  static std::shared_ptr<const Formula> Parse(std::string_view text);

  const std::string& Text() const { return text_; }  // as typed
  const NodePtr& Tree() const { return tree_; }
  const NodePtr& DerivativeTree() const { return derivative_; }
  std::string DerivativeText() const;

  // f and f′ at x, in extended precision, raising the arithmetic's errors.
  Extended Value(Extended x, Extended k, Extended l) const { return f_program_.Run({x, k, l}); }
  Extended DerivativeValue(Extended x, Extended k, Extended l) const {
    return derivative_program_.Run({x, k, l});
  }
  // The same, stored into a double, as core::f and core::f_ are.
  double f(double x, const Coefficients& c) const { return Value(x, c.k, c.l).ToDouble(); }
  double f_(double x, const Coefficients& c) const {
    return DerivativeValue(x, c.k, c.l).ToDouble();
  }

  Formula(std::string text, NodePtr tree);

 private:
  std::string text_;
  NodePtr tree_;
  NodePtr derivative_;
  Program f_program_;
  Program derivative_program_;
};

}  // namespace core::expression
