// SPDX-License-Identifier: GPL-3.0-or-later
// The inputs the benchmarks solve; the window they run on is the tests'
// in-memory double (tests/doubles), which counts how often the equation is
// read: once per evaluation of f or f_ that a method asks for.
#pragma once

#include "core/equations.h"

namespace bench {

// The design defaults, and the precision text that drives every method to its
// cap (a negative precision never satisfies a stopping test).
struct InputCase {
  const char* name;
  double precision;
  const char* precision_text;
};

inline constexpr InputCase kDefaults = {"defaults", 0.001, "0,001"};
inline constexpr InputCase kCaps = {"caps", -1, "-1"};
inline constexpr double kStart = 1;
inline constexpr double kEnd = 2;
inline constexpr core::Coefficients kDesignCoefficients = {1, 1};

}  // namespace bench
