// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <climits>
#include <cstddef>
#include <optional>
#include <string_view>

#include "core/errors.h"
#include "core/method_table.h"
#include "core/root_finding.h"
#include "core/utf8.h"

namespace core {

namespace {

std::int32_t RunMethod(Evaluator& eq, std::uint8_t method, double& root,
                       const MethodInputs& inputs) {
  const MethodEntry* entry = FindMethod(method);
  // No such method: nothing runs, the root is only rounded.
  return entry != nullptr ? entry->function(eq, root, inputs) : 0;
}

// A fresh history for a method about to run, keeping the memory it has.
void BeginHistory(MethodHistory& history, std::uint8_t method, double a, double eps, double b) {
  std::vector<PassRecord> passes = std::move(history.passes);
  passes.clear();
  history = MethodHistory{};
  history.method = method;
  history.ran = true;
  history.start = a;
  history.precision = eps;
  history.end = b;
  history.passes = std::move(passes);
}

}  // namespace

// The number of decimals follows the length of the precision text, not its
// value: 2 - L, as a plain integer, so that a long text never wraps round to
// a positive digit. Lengths beyond any edit box's capacity are clipped; from
// a few thousand characters on, the rounding overflows all the same.
int RoundingDigit(std::string_view precision_text) {
  constexpr std::size_t kLongest = INT_MAX / 2;
  return 2 - static_cast<int>(std::min(CharacterCount(precision_text), kLongest));
}

std::int32_t run(RootFindingHost& host, const Coefficients& coefficients, std::uint8_t method,
                 double& root, double a, double eps, double b, MethodHistory* history) {
  return run(host, coefficients, method, root, a, eps, b, MethodParameters{}, history);
}

std::int32_t run(RootFindingHost& host, const Coefficients& coefficients, std::uint8_t method,
                 double& root, double a, double eps, double b, const MethodParameters& parameters,
                 MethodHistory* history) {
  host.ProcessMessages();
  if (history != nullptr) BeginHistory(*history, method, a, eps, b);
  // Made after the messages: a command processed there may change the
  // equation or the coefficients, and the method must see the new ones.
  Evaluator eq(host, coefficients, history);
  std::int32_t count = 0;
  const MethodInputs inputs{a, eps, b, parameters};
  const MethodEntry* entry = FindMethod(method);
  if (entry != nullptr && entry->condition != nullptr) {
    // A method whose condition fails runs nothing: no pass, no rounding,
    // and the root variable keeps its value.
    if (std::optional<ConditionFailure> failure =
            entry->condition(host.SelectedSource(), coefficients, inputs)) {
      if (history != nullptr) {
        history->refusal = *failure;
        history->count = 0;
      }
      return 0;
    }
  }
  try {
    count = RunMethod(eq, method, root, inputs) + 1;
    root = RoundDecimal(root, RoundingDigit(host.PrecisionText()));
  } catch (const Exception& error) {
    eq.FinishHistory();
    if (history != nullptr) history->error = error.Message();
    throw;
  }
  eq.FinishHistory();
  if (history != nullptr) {
    history->count = count;
    history->root = root;
  }
  return count;
}

}  // namespace core
