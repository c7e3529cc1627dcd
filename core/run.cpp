// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <climits>
#include <cstddef>
#include <string_view>

#include "core/errors.h"
#include "core/method_table.h"
#include "core/root_finding.h"

namespace core {

namespace {

// Characters of a UTF-8 text: every byte that does not continue a sequence
// starts one, so a letter outside ASCII counts once.
std::size_t CharacterCount(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  }));
}

std::int32_t RunMethod(Evaluator& eq, std::uint8_t method, double& root, double a, double eps,
                       double b) {
  const MethodEntry* entry = FindMethod(method);
  // No such method: nothing runs, the root is only rounded.
  return entry != nullptr ? entry->function(eq, root, a, eps, b) : 0;
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
  host.ProcessMessages();
  if (history != nullptr) BeginHistory(*history, method, a, eps, b);
  // Made after the messages: a command processed there may change the
  // equation or the coefficients, and the method must see the new ones.
  Evaluator eq(host, coefficients, history);
  std::int32_t count = 0;
  try {
    count = RunMethod(eq, method, root, a, eps, b) + 1;
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
