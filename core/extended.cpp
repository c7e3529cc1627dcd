#include "core/extended.h"

#include <cfenv>

#include "core/errors.h"

namespace core {

void RaiseInvalidOp() { throw EInvalidOp(); }
void RaiseZeroDivide() { throw EZeroDivide(); }
void RaiseOverflow() { throw EOverflow(); }

std::int64_t RoundToInt64(Extended x) {
  // The range test comes first: llrintl's result is unspecified out of range.
  constexpr long double kLimit = 9223372036854775808.0L;  // 2^63
  const long double rounded = nearbyintl(x.Value());       // ties to even under round-to-nearest
  if (std::isnan(rounded) || rounded < -kLimit || rounded >= kLimit) RaiseInvalidOp();
  return static_cast<std::int64_t>(rounded);
}

namespace {
constexpr std::uint16_t kControlWord = 0x037F;
constexpr std::uint32_t kDefaultMxcsr = 0x1F80;
}  // namespace

void EstablishFloatingPointEnvironment() {
  std::uint16_t control_word = kControlWord;
  std::uint32_t mxcsr = kDefaultMxcsr;
  asm volatile("fnclex\n\tfldcw %0" : : "m"(control_word));
  asm volatile("ldmxcsr %0" : : "m"(mxcsr));
}

std::uint16_t FloatingPointControlWord() {
  std::uint16_t control_word = 0;
  asm volatile("fnstcw %0" : "=m"(control_word));
  return control_word;
}

}  // namespace core
