// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/equation_source.h"

#include <array>
#include <cstddef>

namespace core {

namespace {

// The right-hand side of each list text, read once as a formula.
const expression::Formula* CatalogueFormula(std::uint8_t equation) {
  static const std::array<std::shared_ptr<const expression::Formula>, kEquationCount> formulas =
      [] {
        std::array<std::shared_ptr<const expression::Formula>, kEquationCount> read;
        for (std::size_t i = 0; i < read.size(); ++i) {
          const std::string_view text = kEquationTexts[i];
          read[i] = expression::Formula::Parse(text.substr(text.find('=') + 1));
        }
        return read;
      }();
  return equation < formulas.size() ? formulas[equation].get() : nullptr;
}

}  // namespace

double EquationSource::f__(double x, const Coefficients& c) const {
  if (formula_ != nullptr) return formula_->f__(x, c);
  const expression::Formula* formula = CatalogueFormula(equation_);
  // An index outside the catalogue is the zero function, as core::f has it.
  return formula != nullptr ? formula->f__(x, c) : 0;
}

std::string EquationSource::Text() const {
  if (formula_ != nullptr) return formula_->EquationText();
  if (equation_ < kEquationCount) return std::string(kEquationTexts[equation_]);
  return std::string();
}

}  // namespace core
