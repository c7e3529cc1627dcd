// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/function_texts.h"

namespace app {

// The products in the order that reads best, not in the order of evaluation:
// the values are the same.
const std::array<std::string_view, core::kEquationCount> kFunctionTexts = {
    "f(x) = k·cos(l·x)",        "f(x) = k·l·cos(x²)",           "f(x) = k·sin(l·x)·cos(x)",
    "f(x) = k·cos(x) − x + l",  "f(x) = k·x·sin(x) − l·cos(x)", "f(x) = k·x·cos(l·x)",
    "f(x) = cos(k·l·x²)",       "f(x) = k·l·cos(x³)",           "f(x) = cos(k·x) + l",
    "f(x) = k·sin(x)·cos(l·x)",
};

std::string FunctionText(std::uint8_t equation) {
  if (equation >= kFunctionTexts.size()) return std::string();
  return std::string(kFunctionTexts[equation]);
}

std::string FunctionText(const RunRecord& run) {
  if (run.source.Formula() != nullptr) return "f(x) = " + run.source.Formula()->FunctionText();
  return FunctionText(run.source.Equation());
}

}  // namespace app
