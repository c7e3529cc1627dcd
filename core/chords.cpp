// SPDX-License-Identifier: GPL-3.0-or-later
// Chords (false position): x := a + |f(a) / (f(a) - f(b))| · (b - a), then keep
// the sign change. Stops on |f(x)| rather than on the width, and the absolute
// fraction always steps from a towards b; the first pass repeats the first point.
#include "core/methods.h"

namespace core {

double ChordPoint(Evaluator& eq, double a, double b) {
  // f(a) is evaluated for the difference first and again for the quotient.
  const Extended difference = Extended(eq.f(a)) - eq.f(b);
  const Extended fraction = Abs(eq.f(a) / difference);
  return (a + fraction * (Extended(b) - a)).ToDouble();
}

std::int32_t Chords(Evaluator& eq, double& x, double a, double eps, double b) {
  std::int32_t n = 0;
  x = ChordPoint(eq, a, b);
  eq.Record(0, x);
  eq.RecordEnds(a, b);
  while (ResidualAboveTolerance(eq.f(x), eps) && BelowCap(n)) {
    ++n;
    x = ChordPoint(eq, a, b);
    eq.Record(n, x);
    KeepSignChange(eq, x, a, b);
    eq.RecordEnds(a, b);
  }
  return n;
}

}  // namespace core
