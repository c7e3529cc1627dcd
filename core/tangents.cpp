// SPDX-License-Identifier: GPL-3.0-or-later
// Tangents (Newton): a := a - f(a) / f_(a) while |f(a)| > eps.
// The end b plays no part, and the root variable is written once, after the loop.
#include "core/methods.h"

namespace core {

double TangentStep(Evaluator& eq, double a) {
  return (a - Extended(eq.f(a)) / eq.f_(a)).ToDouble();
}

std::int32_t Tangents(Evaluator& eq, double& root, double a, double eps, double /*b*/) {
  std::int32_t n = 0;
  eq.Record(0, a);
  while (ResidualAboveTolerance(eq.f(a), eps) && BelowCap(n)) {
    a = TangentStep(eq, a);
    ++n;
    eq.Record(n, a);
  }
  root = a;
  return n;
}

}  // namespace core
