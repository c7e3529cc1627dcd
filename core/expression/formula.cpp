// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/formula.h"

#include <utility>

#include "core/expression/derivative.h"
#include "core/expression/parser.h"
#include "core/expression/printer.h"

namespace core::expression {

Formula::Formula(std::string text, NodePtr tree)
    : text_(std::move(text)),
      tree_(std::move(tree)),
      derivative_(Differentiate(tree_)),
      f_program_(tree_),
      derivative_program_(derivative_) {}

std::shared_ptr<const Formula> Formula::Parse(std::string_view text) {
  NodePtr tree = expression::Parse(text);
  return std::make_shared<const Formula>(std::string(text), std::move(tree));
}

std::string Formula::DerivativeText() const {
  return Print(derivative_);
}

}  // namespace core::expression
