// SPDX-License-Identifier: GPL-3.0-or-later
// The formula reader on arbitrary text: it accepts or raises EFormulaError
// with a position inside the text, never anything else. What it accepts has
// a canonical text that reads back into the same canonical text and the same
// values; its f and f′ raise only the arithmetic's errors; and its printed
// derivative, where it is within the limits, reads back into the same values
// as the derivative it was printed from.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>

#include "core/errors.h"
#include "core/expression/formula.h"
#include "core/expression/parser.h"
#include "core/expression/scanner.h"
#include "core/floating_point_environment.h"
#include "core/utf8.h"
#include "fuzz_check.h"

namespace {

namespace expression = core::expression;

// The value, or the kind of error the evaluation raised.
struct Outcome {
  long double value = 0;
  const std::type_info* error = nullptr;

  bool operator==(const Outcome& other) const {
    if (error != nullptr || other.error != nullptr)
      return error != nullptr && other.error != nullptr && *error == *other.error;
    return value == other.value || (value != value && other.value != other.value);
  }
};

template <typename Evaluate>
Outcome Run(Evaluate evaluate) {
  Outcome outcome;
  try {
    outcome.value = evaluate().Value();
  } catch (const core::EMathError& error) {
    outcome.error = &typeid(error);
  }
  return outcome;
}

constexpr double kPoints[] = {-1.5, 0.0, 0.7, 3.0};

// `text` reads, or fails only at one of the limits.
std::shared_ptr<const expression::Formula> ReadWithinLimits(const std::string& text) {
  try {
    return expression::Formula::Parse(text);
  } catch (const core::EFormulaError& error) {
    FUZZ_CHECK(error.Message().starts_with("формула длиннее") ||
                   error.Message().starts_with("вложенность глубже"),
               "[%s] does not read: %s", text.c_str(), error.what());
    return nullptr;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::shared_ptr<const expression::Formula> formula;
  try {
    formula = expression::Formula::Parse(text);
  } catch (const core::EFormulaError& error) {
    const std::size_t length = core::CharacterCount(text);
    FUZZ_CHECK(error.Position() >= 1 && error.Position() <= length + 1,
               "position %zu of %zu characters", error.Position(), length);
    FUZZ_CHECK(!error.Message().empty(), "empty message");
    return 0;
  }
  const std::uint16_t control_word = core::FloatingPointControlWord();

  // The canonical text and the function's text read back unchanged.
  const std::string canonical = formula->CanonicalText();
  const auto again = expression::Formula::Parse(canonical);
  FUZZ_CHECK(again->CanonicalText() == canonical, "[%s] reads as [%s]", canonical.c_str(),
             again->CanonicalText().c_str());
  const std::string function = formula->FunctionText();
  FUZZ_CHECK(expression::Formula::Parse(function)->FunctionText() == function,
             "[%s] does not read back", function.c_str());

  // The printed derivative, read back, has the derivative's values.
  const std::string derivative = formula->DerivativeText();
  const auto printed = ReadWithinLimits(derivative);

  for (const double x : kPoints) {
    const auto f = [&](const expression::Formula& g) {
      return Run([&] { return g.Value(x, 1.25, -0.5); });
    };
    const auto df = [&](const expression::Formula& g) {
      return Run([&] { return g.DerivativeValue(x, 1.25, -0.5); });
    };
    FUZZ_CHECK(f(*formula) == f(*again), "[%s] and [%s] differ at %g", canonical.c_str(),
               text.size() < 200 ? std::string(text).c_str() : "…", x);
    FUZZ_CHECK(df(*formula) == df(*again), "f′ of [%s] differs at %g", canonical.c_str(), x);
    if (printed != nullptr) {
      FUZZ_CHECK(f(*printed) == df(*formula), "printed f′ [%s] differs at %g",
                 derivative.substr(0, 200).c_str(), x);
    }
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
