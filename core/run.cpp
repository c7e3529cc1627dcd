#include <algorithm>
#include <climits>
#include <cstddef>
#include <string_view>

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

// The number of decimals follows the length of the precision text, not its
// value: 2 - L, as a plain integer, so that a long text never wraps round to
// a positive digit. Lengths beyond any edit box's capacity are clipped; from
// a few thousand characters on, the rounding overflows all the same.
int RoundingDigit(std::string_view precision_text) {
  constexpr std::size_t kLongest = INT_MAX / 2;
  return 2 - static_cast<int>(std::min(CharacterCount(precision_text), kLongest));
}

std::int32_t RunMethod(Evaluator& eq, std::uint8_t method, double& root, double a, double eps,
                       double b) {
  const MethodEntry* entry = FindMethod(method);
  // No such method: nothing runs, the root is only rounded.
  return entry != nullptr ? entry->function(eq, root, a, eps, b) : 0;
}

}  // namespace

std::int32_t run(RootFindingHost& host, const Coefficients& coefficients, std::uint8_t method,
                 double& root, double a, double eps, double b) {
  host.ProcessMessages();
  // Made after the messages: a command processed there may change the
  // equation or the coefficients, and the method must see the new ones.
  Evaluator eq(host, coefficients);
  const std::int32_t n = RunMethod(eq, method, root, a, eps, b);
  root = RoundDecimal(root, RoundingDigit(host.PrecisionText()));
  return n + 1;
}

}  // namespace core
