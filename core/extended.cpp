// SPDX-License-Identifier: GPL-3.0-or-later
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

}  // namespace core
