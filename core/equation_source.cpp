// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/equation_source.h"

namespace core {

std::string EquationSource::Text() const {
  if (formula_ != nullptr) return formula_->EquationText();
  if (equation_ < kEquationCount) return std::string(kEquationTexts[equation_]);
  return std::string();
}

}  // namespace core
