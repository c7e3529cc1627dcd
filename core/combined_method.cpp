// SPDX-License-Identifier: GPL-3.0-or-later
// The combined method of chords and tangents. Where f changes sign between
// the ends and f′ and f″ keep their signs, the tangent from the end where
// f·f″ > 0 and the chord from the other both stay on their own side of the
// root, so the two approximations close in on it from both sides. The
// method stops when they are within 2·eps of each other and answers their
// midpoint, which is then within eps of the root.
#include <cmath>

#include "core/errors.h"
#include "core/method_table.h"
#include "core/simple_iteration.h"

namespace core {

namespace {

int Sign(double value) {
  return (value > 0) - (value < 0);
}

// The sign `derivative` keeps on the grid, or the first point where it is 0,
// changes or cannot be evaluated.
std::optional<ConditionFailure> KeepsSign(
    double (EquationSource::*derivative)(double, const Coefficients&) const,
    ConditionFailure::Kind kind, const EquationSource& source, const Coefficients& coefficients,
    double low, double high) {
  int sign = 0;
  for (std::size_t k = 0; k < kSignGridPoints; ++k) {
    const double x = GridPoint(low, high, k, kSignGridPoints);
    double value = 0;
    try {
      value = (source.*derivative)(x, coefficients);
    } catch (const Exception&) {
      return ConditionFailure{ConditionFailure::Kind::kUndefined, x};
    }
    if (!std::isfinite(value)) return ConditionFailure{ConditionFailure::Kind::kUndefined, x};
    const int here = Sign(value);
    if (here == 0 || (sign != 0 && here != sign)) return ConditionFailure{kind, x};
    sign = here;
  }
  return std::nullopt;
}

}  // namespace

std::optional<ConditionFailure> CombinedCondition(const EquationSource& source,
                                                  const Coefficients& coefficients,
                                                  const MethodInputs& in) {
  try {
    if (Sign(source.f(in.a, coefficients)) * Sign(source.f(in.b, coefficients)) >= 0)
      return ConditionFailure{ConditionFailure::Kind::kNoSignChange, in.a};
  } catch (const Exception&) {
    return ConditionFailure{ConditionFailure::Kind::kUndefined, in.a};
  }
  const double low = std::min(in.a, in.b);
  const double high = std::max(in.a, in.b);
  if (auto failure = KeepsSign(&EquationSource::f_, ConditionFailure::Kind::kSlopeChangesSign,
                               source, coefficients, low, high))
    return failure;
  return KeepsSign(&EquationSource::f__, ConditionFailure::Kind::kCurvatureChangesSign, source,
                   coefficients, low, high);
}

std::int32_t CombinedChordsTangents(Evaluator& eq, double& x, const MethodInputs& in) {
  const EquationSource source = eq.Source();
  const Coefficients& coefficients = eq.CoefficientsInUse();
  // The tangent's end: f·f″ > 0 there, so the tangent meets the axis
  // between that end and the root. f″ has one sign on the interval.
  const bool tangent_at_start =
      Sign(source.f(in.a, coefficients)) == Sign(source.f__(in.a, coefficients));
  const double tolerance = (Extended(2) * in.eps).ToDouble();
  MethodSetup setup;
  setup.tolerance = tolerance;
  eq.RecordSetup(setup);
  // a is the sequence from the start's side, b the one from the end's.
  double a = in.a;
  double b = in.b;
  std::int32_t n = 0;
  x = Midpoint(a, b);
  eq.Record(0, x);
  eq.RecordEnds(a, b);
  while (WidthAboveTolerance(a, b, tolerance) && BelowCap(n)) {
    double& tangent = tangent_at_start ? a : b;
    double& chord = tangent_at_start ? b : a;
    // Both steps from the previous pair: the chord runs to the tangent's
    // previous point. Where f is the same at both (the two have met, or f
    // no longer tells neighbouring doubles apart) there is no chord: the
    // bracket has closed on the tangent's side.
    const bool no_chord = Extended(eq.f(chord)) == eq.f(tangent);
    const double next_chord = no_chord ? 0 : SecantStep(eq, chord, tangent);
    tangent = TangentStep(eq, tangent);
    chord = no_chord ? tangent : next_chord;
    ++n;
    x = Midpoint(a, b);
    eq.Record(n, x);
    eq.RecordEnds(a, b);
  }
  return n;
}

}  // namespace core
