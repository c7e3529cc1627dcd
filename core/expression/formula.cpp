// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/formula.h"

#include <array>
#include <utility>

#include "core/expression/derivative.h"
#include "core/expression/parser.h"
#include "core/expression/printer.h"

namespace core::expression {

namespace {

// The list texts in the canonical notation, read once.
const std::array<std::string, kEquationCount>& CatalogueTexts() {
  static const std::array<std::string, kEquationCount> texts = [] {
    std::array<std::string, kEquationCount> canonical;
    for (std::size_t i = 0; i < canonical.size(); ++i) {
      NodeTable table;
      canonical[i] = CanonicalText(Read(kEquationTexts[i], table));
    }
    return canonical;
  }();
  return texts;
}

std::optional<std::uint8_t> CatalogueIndex(const std::string& canonical) {
  const auto& texts = CatalogueTexts();
  for (std::size_t i = 0; i < texts.size(); ++i)
    if (texts[i] == canonical) return static_cast<std::uint8_t>(i);
  return std::nullopt;
}

}  // namespace

Formula::Formula(std::string text, std::string canonical, bool equation, NodePtr tree,
                 NodePtr derivative, NodePtr second_derivative)
    : text_(std::move(text)),
      canonical_(std::move(canonical)),
      equation_(equation),
      tree_(std::move(tree)),
      derivative_(std::move(derivative)),
      catalogue_(equation_ ? CatalogueIndex(canonical_) : std::nullopt),
      f_program_(tree_),
      derivative_program_(derivative_),
      second_derivative_program_(second_derivative) {}

std::shared_ptr<const Formula> Formula::Parse(std::string_view text) {
  NodeTable table;
  const Reading reading = Read(text, table);
  NodePtr derivative = Differentiate(reading.function, table);
  // The table is shared, so f″ reuses the nodes of f and f′ it names.
  NodePtr second_derivative = Differentiate(derivative, table);
  return std::make_shared<const Formula>(std::string(text), expression::CanonicalText(reading),
                                         reading.right != nullptr, reading.function,
                                         std::move(derivative), std::move(second_derivative));
}

std::string Formula::EquationText() const {
  return equation_ ? text_ : text_ + " = 0";
}

std::string Formula::FunctionText() const {
  return equation_ ? Print(tree_) : text_;
}

std::string Formula::DerivativeText() const {
  return Print(derivative_);
}

}  // namespace core::expression
