// SPDX-License-Identifier: GPL-3.0-or-later
// The four root-finding methods and the pieces they share: one function per
// step of a method, the named stopping tests and the pass cap. Every method
// writes its approximation into x (the caller's root variable) as soon as it
// is formed, reports it to the evaluator's history in the same breath, and
// returns its number of loop passes; run() adds the rounding.
#pragma once

#include <cstdint>

#include "core/evaluator.h"
#include "core/extended.h"
#include "core/stopping_test.h"

namespace core {

// Chords, tangents and secants allow a pass while n < kPassCap; bisection
// while n <= kPassCap, so it may make one pass more.
inline constexpr std::int32_t kPassCap = 5000;

inline bool BelowCap(std::int32_t n) {
  return n < kPassCap;
}
inline bool AtMostCap(std::int32_t n) {
  return n <= kPassCap;
}

// The stopping tests hold while the quantity is strictly above eps, compared
// in extended precision from the stored doubles (core/stopping_test.h).
inline bool WidthAboveTolerance(double a, double b, double eps) {
  return Distance(a, b) > eps;
}
inline bool ResidualAboveTolerance(double fx, double eps) {
  return Residual(fx) > eps;
}
// x and the previous approximation p are the two points the secants keep.
inline bool StepAboveTolerance(double p, double x, double eps) {
  return Distance(x, p) > eps;
}

// f(a) · f(x) >= 0 moves a to x, otherwise b; a product of 0 (also -0) moves a.
inline void KeepSignChange(Evaluator& eq, double x, double& a, double& b) {
  if (Extended(eq.f(a)) * eq.f(x) >= 0) {
    a = x;
  } else {
    b = x;
  }
}

// (a + b) / 2
double Midpoint(double a, double b);
// a + |f(a) / (f(a) - f(b))| · (b - a)
double ChordPoint(Evaluator& eq, double a, double b);
// a - f(a) / f_(a)
double TangentStep(Evaluator& eq, double a);
// x - f(x) · (x - other) / (f(x) - f(other))
double SecantStep(Evaluator& eq, double x, double other);

std::int32_t Bisection(Evaluator& eq, double& x, double a, double eps, double b);
std::int32_t Chords(Evaluator& eq, double& x, double a, double eps, double b);
std::int32_t Tangents(Evaluator& eq, double& root, double a, double eps, double b);
std::int32_t Secants(Evaluator& eq, double& x, double a, double eps, double b);

}  // namespace core
