// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdint>

#include "core/extended.h"
#include "core/root_finding.h"

namespace core {

namespace {

// 10^exponent by binary powering, lowest bit first; the running power is
// squared only while higher bits remain, so it never overflows needlessly.
Extended PowerOfTen(unsigned exponent) {
  Extended result = 1.0L;
  Extended power = 10.0L;
  while (exponent != 0) {
    if (exponent & 1U) result = result * power;
    exponent >>= 1;
    if (exponent != 0) power = power * power;
  }
  return result;
}

}  // namespace

// The factor is stored as a double, so for d < 0 it is the double nearest to
// 10^d: a decimal tie such as 0.125 at two decimals is no tie for the division.
double RoundDecimal(double v, int d) {
  const unsigned magnitude = d < 0 ? 0U - static_cast<unsigned>(d) : static_cast<unsigned>(d);
  const Extended power = PowerOfTen(magnitude);
  const double factor = (d < 0 ? Extended(1.0L) / power : power).ToDouble();
  const Extended q = Extended(v) / factor;
  const std::int64_t m = RoundToInt64(q);
  return (Extended(static_cast<long double>(m)) * factor).ToDouble();
}

}  // namespace core
