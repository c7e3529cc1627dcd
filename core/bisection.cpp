// SPDX-License-Identifier: GPL-3.0-or-later
// Bisection: x := (a + b) / 2, then keep the half in which f changes sign.
// Unlike the textbook, f(x) = 0 does not stop it (a zero product moves a), the
// cap allows 5001 passes, and with no pass the root is the midpoint of [a, b].
#include "core/methods.h"

namespace core {

double Midpoint(double a, double b) {
  return ((Extended(a) + b) / 2).ToDouble();
}

std::int32_t Bisection(Evaluator& eq, double& x, double a, double eps, double b) {
  std::int32_t n = 0;
  while (WidthAboveTolerance(a, b, eps) && AtMostCap(n)) {
    ++n;
    x = Midpoint(a, b);
    eq.Record(n, x);
    KeepSignChange(eq, x, a, b);
    eq.RecordEnds(a, b);
  }
  // An interval already within the precision: its midpoint rather than a
  // stale value left in the root variable by an earlier call.
  if (n == 0) {
    x = Midpoint(a, b);
    eq.Record(0, x);
    eq.RecordEnds(a, b);
  }
  return n;
}

}  // namespace core
