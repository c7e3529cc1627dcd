// SPDX-License-Identifier: GPL-3.0-or-later
// The formula reader on arbitrary text: it accepts or raises EFormulaError
// with a position inside the text, never anything else; what it accepts
// prints back to text that reads into the same print, and evaluates f and f′
// raising only the arithmetic's errors.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/errors.h"
#include "core/expression/formula.h"
#include "core/expression/parser.h"
#include "core/expression/printer.h"
#include "core/expression/scanner.h"
#include "core/floating_point_environment.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  namespace expression = core::expression;
  std::shared_ptr<const expression::Formula> formula;
  try {
    formula = expression::Formula::Parse(text);
  } catch (const core::EFormulaError& error) {
    const std::size_t length = expression::CharacterCount(text);
    FUZZ_CHECK(error.Position() >= 1 && error.Position() <= length + 1,
               "position %zu of %zu characters", error.Position(), length);
    FUZZ_CHECK(!error.Message().empty(), "empty message");
    return 0;
  }
  const std::string printed = expression::Print(formula->Tree());
  const std::string again = expression::Print(expression::Parse(printed));
  FUZZ_CHECK(again == printed, "[%s] prints [%s]", printed.c_str(), again.c_str());
  (void)formula->DerivativeText();

  const std::uint16_t control_word = core::FloatingPointControlWord();
  for (const double x : {-1.5, 0.0, 0.7, 3.0}) {
    try {
      (void)formula->f(x, {1.25, -0.5});
    } catch (const core::EMathError&) {
    }
    try {
      (void)formula->f_(x, {1.25, -0.5});
    } catch (const core::EMathError&) {
    }
  }
  FUZZ_CHECK(core::FloatingPointControlWord() == control_word, "settings changed");
  return 0;
}
