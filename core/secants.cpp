// SPDX-License-Identifier: GPL-3.0-or-later
// Secants: x := x - f(x) · (x - u) / (f(x) - f(u)), through the two latest points.
// The two buffers u and w take turns by the parity of n, so the first secant runs
// through the start and the end and the first step is measured against the end.
#include "core/methods.h"

namespace core {

double SecantStep(Evaluator& eq, double x, double other) {
  // The product first, then the difference (f evaluated again at x), then the quotient.
  const Extended product = eq.f(x) * (Extended(x) - other);
  const Extended difference = Extended(eq.f(x)) - eq.f(other);
  return (x - product / difference).ToDouble();
}

std::int32_t Secants(Evaluator& eq, double& x, double a, double eps, double b) {
  std::int32_t n = 0;
  x = a;
  double u = b;  // even passes draw through u and replace it
  double w = b;  // odd passes draw through w and replace it
  double p = b;  // the buffer the pass did not replace: the previous approximation
  eq.Record(0, x);
  eq.RecordEnds(x, p);
  // The cap keeps a negative precision, which no step can meet, from running forever.
  while (StepAboveTolerance(p, x, eps) && BelowCap(n)) {
    if (n % 2 == 0) {
      x = SecantStep(eq, x, u);
      u = x;
      p = w;
    } else {
      x = SecantStep(eq, x, w);
      w = x;
      p = u;
    }
    ++n;
    eq.Record(n, x);
    eq.RecordEnds(x, p);  // the next secant runs through x and p
  }
  return n;
}

}  // namespace core
