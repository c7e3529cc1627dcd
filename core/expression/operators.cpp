// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expression/operators.h"

#include <cmath>

namespace core::expression {

// a^b: an invalid operation for 0^0 and for a negative base to a power that
// is not a whole number, a division by zero for 0 to a negative power, an
// overflow beyond the extended range.
Extended Power(Extended a, Extended b) {
  const long double base = a.Value();
  const long double exponent = b.Value();
  if (base == 0 && exponent == 0) RaiseInvalidOp();
  if (base == 0 && exponent < 0) RaiseZeroDivide();
  if (base < 0 && std::trunc(exponent) != exponent) RaiseInvalidOp();
  const long double result = powl(base, exponent);
  if (std::isinf(result)) RaiseOverflow();
  return Extended(result);
}

}  // namespace core::expression
