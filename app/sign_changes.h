// SPDX-License-Identifier: GPL-3.0-or-later
// Where f changes sign over a range, as the own-equation window's preview
// marks it, and an interval for the methods around one such place: the
// student clicks a mark (or picks it from a list) instead of reading the
// ends off the axis. A change of sign through a pole is no root: it is told
// apart and counted, so that the window can say why nothing is marked.
#pragma once

#include <functional>
#include <optional>
#include <vector>

namespace app {

// f as the preview samples it: no value where the program's evaluation
// raises an error.
using SampledFunction = std::function<std::optional<double>(double)>;

// A change of sign of f between two neighbouring samples `left` < `right`
// (or f = 0 at a sample, where both are that sample). `x` is where the chord
// between the samples crosses the axis.
struct SignChange {
  double x = 0;
  double left = 0;
  double right = 0;
};

struct SignChanges {
  // Where f falls towards the axis between the samples: a root is there.
  std::vector<SignChange> roots;
  // Where it does not (|f| at the chord's crossing is not below both
  // samples: a pole, as tg(x) at π/2 or 1/(x-1) at 1), or where f has no
  // value between two samples of opposite sign: no root there.
  std::vector<SignChange> poles;
};

// The changes of sign between `samples` evenly spaced values of f over
// [left, right], left < right.
SignChanges FindSignChanges(const SampledFunction& f, double left, double right, int samples);

// An interval [start, end] around the root of `change` with the roundest
// ends that keep every other change of `all` (roots and poles alike) out,
// stay within [left, right] (the range `all` was found on) and have f of
// opposite signs at the ends, so that bisection and chords have a bracket:
// for x³-2x-5 on [-3, 3] the root near 2.09 gives [2, 3]. The ends are
// whole multiples of a step of 1, 2 or 5 times a power of ten, at most a
// quarter of the range; the samples around the change when no such ends
// will do.
struct Interval {
  double start = 0;
  double end = 0;
};
Interval IntervalAround(const SignChange& change, const SignChanges& all, double left, double right,
                        const SampledFunction& f);

// Roots beyond [start, end]: f is sampled over ranges of 10, 100 and then
// 1,000 times the width of [start, end] about its middle, until one holds a
// root outside [start, end]. Those roots, nearest to the interval first, at
// most `most`, with the changes and the range they were found on (for
// IntervalAround).
struct WiderScan {
  double left = 0;
  double right = 0;
  SignChanges all;
  std::vector<SignChange> beyond;
};
inline constexpr int kWiderScanSamples = 4000;
WiderScan ScanWider(const SampledFunction& f, double start, double end, int most = 10);

}  // namespace app
