// SPDX-License-Identifier: GPL-3.0-or-later
// Simple iteration: x₀ = start, xₙ = φ(xₙ₋₁) while |xₙ − xₙ₋₁| is above the
// tolerance. The end only bounds the grid on which λ and q are found.
#include "core/simple_iteration.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/errors.h"

namespace core {

double GridPoint(double low, double high, std::size_t k, std::size_t points) {
  // The last point is the end itself, not a rounding of it.
  if (k + 1 >= points) return high;
  const auto last = static_cast<double>(points - 1);
  return (Extended(low) + (Extended(high) - low) * (static_cast<double>(k) / last)).ToDouble();
}

namespace {

// f′ (or φ′ of a typed φ) at each grid point where it has a finite value.
std::vector<double> Slopes(const EquationSource& source, const Coefficients& coefficients,
                           const MethodParameters& parameters, double low, double high) {
  std::vector<double> slopes;
  slopes.reserve(kConditionGridPoints);
  for (std::size_t k = 0; k < kConditionGridPoints; ++k) {
    const double x = GridPoint(low, high, k);
    try {
      const double slope = parameters.phi != nullptr ? parameters.phi->f_(x, coefficients)
                                                     : source.f_(x, coefficients);
      if (std::isfinite(slope)) slopes.push_back(slope);
    } catch (const Exception&) {
      // Undefined here: the estimate rests on the other points.
    }
  }
  return slopes;
}

}  // namespace

MethodSetup EstimateContraction(const EquationSource& source, const Coefficients& coefficients,
                                double start, double end, const MethodParameters& parameters) {
  MethodSetup setup;
  const std::vector<double> slopes =
      Slopes(source, coefficients, parameters, std::min(start, end), std::max(start, end));
  if (slopes.empty()) {
    if (parameters.phi == nullptr) setup.lambda = parameters.lambda.value_or(0);
    return setup;
  }
  if (parameters.phi != nullptr) {
    double q = 0;
    for (const double slope : slopes) q = std::max(q, std::fabs(slope));
    setup.contraction = q;
    return setup;
  }
  double lambda = 0;
  if (parameters.lambda) {
    lambda = *parameters.lambda;
  } else {
    // 1/M with the sign f′ has where it is steepest: where f′ keeps its sign,
    // φ′ = 1 − f′/M then lies in [0, 1).
    const auto steepest = std::max_element(slopes.begin(), slopes.end(), [](double a, double b) {
      return std::fabs(a) < std::fabs(b);
    });
    setup.largest_slope = std::fabs(*steepest);
    if (*steepest != 0) lambda = (Extended(1) / *steepest).ToDouble();
  }
  setup.lambda = lambda;
  Extended q = 0;
  for (const double slope : slopes) q = std::max(q, Abs(1 - Extended(lambda) * slope));
  setup.contraction = q.ToDouble();
  return setup;
}

double IterationTolerance(const std::optional<double>& contraction, double eps) {
  if (!contraction || !(*contraction > 0) || !(*contraction < 1)) return eps;
  return ((1 - Extended(*contraction)) / *contraction * eps).ToDouble();
}

namespace {

double Phi(Evaluator& eq, const MethodParameters& parameters, double lambda, double x) {
  if (parameters.phi != nullptr) return eq.Phi(*parameters.phi, x);
  return (Extended(x) - Extended(lambda) * eq.f(x)).ToDouble();
}

}  // namespace

std::int32_t SimpleIteration(Evaluator& eq, double& x, const MethodInputs& in) {
  MethodSetup setup =
      EstimateContraction(eq.Source(), eq.CoefficientsInUse(), in.a, in.b, in.parameters);
  const double tolerance = IterationTolerance(setup.contraction, in.eps);
  setup.tolerance = tolerance;
  eq.RecordSetup(setup);
  const double lambda = setup.lambda.value_or(0);
  std::int32_t n = 0;
  x = in.a;
  eq.Record(0, x);
  double previous = x;
  do {
    previous = x;
    x = Phi(eq, in.parameters, lambda, previous);
    ++n;
    eq.Record(n, x);
    eq.RecordEnds(x, previous);
  } while (StepAboveTolerance(previous, x, tolerance) && BelowCap(n));
  return n;
}

}  // namespace core
