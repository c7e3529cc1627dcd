// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/root_evidence.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/verdict_thresholds.h"
#include "core/method_table.h"

namespace app {

namespace {

bool Near(double u, double v) {
  return std::fabs(u - v) <= kRepeatTolerance * std::max({1.0, std::fabs(u), std::fabs(v)});
}

int Sign(long double value) {
  return (value > 0) - (value < 0);
}

}  // namespace

double Ulp(double x) {
  const double magnitude = std::fabs(x);
  return std::nextafter(magnitude, std::numeric_limits<double>::infinity()) - magnitude;
}

double LastStep(const core::MethodHistory& history) {
  for (auto pass = history.passes.rbegin(); pass != history.passes.rend(); ++pass)
    if (pass->step && *pass->step > 0) return *pass->step;
  return 0;
}

RootNear FindRootNear(const SolvedFunction& function, double near, long double reach,
                      std::optional<long double> first) {
  RootNear found;
  const std::optional<long double> root = RefineRoot(function.f, function.df, near, reach, first);
  if (!root) return found;
  const std::optional<long double> f_root = function.f(*root);
  const std::optional<long double> f_near = function.f(near);
  // A refined zero is far smaller than f at the point it started from; at a
  // jump or a pole f stays as large, or grows.
  if (*root == near ||
      (f_root && (*f_root == 0 || (f_near && std::fabs(*f_root) < std::fabs(*f_near))))) {
    found.root = root;
  } else {
    found.jump = true;
  }
  return found;
}

double LargestF(const SolvedFunction& function, const core::MethodHistory& history) {
  double largest = 0;
  for (const double end : {history.start, history.end}) {
    const std::optional<long double> value = function.f(end);
    if (value && std::isfinite(*value))
      largest = std::max(largest, static_cast<double>(std::fabs(*value)));
  }
  for (const core::PassRecord& pass : history.passes)
    if (pass.fx && std::isfinite(*pass.fx)) largest = std::max(largest, std::fabs(*pass.fx));
  return largest;
}

std::optional<double> MultiplicityTowards(const SolvedFunction& function, double x,
                                          long double root) {
  const long double error = static_cast<long double>(x) - root;
  if (std::fabs(error) <= kResolutionUlps * Ulp(x)) return std::nullopt;
  const std::optional<long double> fx = function.f(x);
  const std::optional<long double> slope = function.df(x);
  if (!fx || !slope || *fx == 0) return std::nullopt;
  const long double m = std::fabs(*slope * error / *fx);
  if (!std::isfinite(m)) return std::nullopt;
  return static_cast<double>(m);
}

std::optional<LocalMultiple> EstimateLocalMultiple(const SolvedFunction& function, double x) {
  const std::optional<long double> fx = function.f(x);
  const std::optional<long double> slope = function.df(x);
  if (!fx || !slope || *fx == 0 || *slope == 0) return std::nullopt;
  const long double newton_step = *fx / *slope;
  // Small beside the distance to the root, which is about m Newton steps.
  const long double h = std::max(
      {std::fabs(newton_step) * 1e-3L, std::fabs(static_cast<long double>(x)) * 1e-12L, 1e-300L});
  const std::optional<long double> right = function.df(x + h);
  const std::optional<long double> left = function.df(x - h);
  if (!right || !left) return std::nullopt;
  const long double curvature = (*right - *left) / (2 * h);
  // 1 − f·f″/f′² is 1/m at a root of multiplicity m.
  const long double inverse = 1 - *fx * curvature / (*slope * *slope);
  if (!(inverse > 0) || !std::isfinite(inverse)) return std::nullopt;
  const long double m = 1 / inverse;
  return LocalMultiple{static_cast<double>(m), x - m * newton_step};
}

bool MovesTowards(const core::MethodHistory& history, long double target) {
  const std::vector<core::PassRecord>& passes = history.passes;
  const core::PassRecord& last = passes.back();
  if (core::EntryOf(history.method).keeps_bracket) {
    if (!last.a || !last.b || target < std::min(*last.a, *last.b) ||
        target > std::max(*last.a, *last.b))
      return false;
  }
  for (std::size_t i = passes.size(); i-- > 1;) {
    const int direction = Sign(static_cast<long double>(passes[i].x) - passes[i - 1].x);
    if (direction == 0) continue;
    const int towards = Sign(target - last.x);
    return towards == 0 || towards == direction;
  }
  // A point the method reached in one construction, without moving since.
  return true;
}

int CyclePeriod(const std::vector<core::PassRecord>& passes) {
  for (int period = 2; period <= kLongestPeriod; ++period) {
    const auto p = static_cast<std::size_t>(period);
    if (passes.size() < 3 * p) break;
    const std::size_t last = passes.size() - 1;
    bool repeats = true;
    for (std::size_t i = last; i + 2 * p > last && repeats; --i)
      repeats = Near(passes[i].x, passes[i - p].x);
    if (!repeats) continue;
    bool moves = false;
    for (std::size_t i = last; i + p > last; --i)
      moves = moves || !Near(passes[i].x, passes[last].x);
    if (moves) return period;
  }
  return 0;
}

double XScale(const core::MethodHistory& history) {
  return std::max({1.0, std::fabs(history.start), std::fabs(history.end)});
}

double Farthest(const core::MethodHistory& history) {
  double farthest = 0;
  for (const core::PassRecord& pass : history.passes)
    farthest = std::max(farthest, std::fabs(pass.x));
  return farthest;
}

bool Diverges(const core::MethodHistory& history, double f_scale) {
  const core::PassRecord& last = history.passes.back();
  double largest_f = 0;
  for (const core::PassRecord& pass : history.passes)
    if (pass.fx) largest_f = std::max(largest_f, std::fabs(*pass.fx));
  const bool x_grows =
      std::fabs(last.x) > kFar * XScale(history) && std::fabs(last.x) >= Farthest(history);
  const bool f_grows = last.fx && std::fabs(*last.fx) > kFar * std::max(1.0, f_scale) &&
                       std::fabs(*last.fx) >= largest_f;
  return x_grows || f_grows;
}

bool RunsAwayWhileFDecays(const core::MethodHistory& history) {
  const std::vector<core::PassRecord>& passes = history.passes;
  if (passes.size() < kRunawayPasses + 1) return false;
  const std::size_t first = passes.size() - kRunawayPasses - 1;
  const core::PassRecord& last = passes.back();
  const int direction = Sign(static_cast<long double>(last.x) - passes[first].x);
  if (direction == 0) return false;
  // Beyond the interval, on the side it is heading for.
  const double low = std::min(history.start, history.end);
  const double high = std::max(history.start, history.end);
  if (direction > 0 ? !(last.x > high) : !(last.x < low)) return false;
  for (std::size_t i = first + 1; i < passes.size(); ++i) {
    const core::PassRecord& before = passes[i - 1];
    const core::PassRecord& pass = passes[i];
    if (Sign(static_cast<long double>(pass.x) - before.x) != direction) return false;
    if (!pass.fx || !before.fx || std::fabs(*pass.fx) > std::fabs(*before.fx)) return false;
  }
  if (!(std::fabs(*last.fx) < std::fabs(*passes[first].fx))) return false;
  const double first_step = std::fabs(passes[first + 1].x - passes[first].x);
  const double last_step = std::fabs(last.x - passes[passes.size() - 2].x);
  return last_step >= kRunawayStepShare * first_step;
}

std::optional<double> SteadyStepRatio(const core::MethodHistory& history) {
  std::vector<double> steps;
  for (const core::PassRecord& pass : history.passes)
    if (pass.step && *pass.step > 0) steps.push_back(*pass.step);
  if (steps.size() < kRatiosCompared + 1) return std::nullopt;
  double lowest = 1;
  double highest = 0;
  double sum = 0;
  for (std::size_t i = steps.size() - kRatiosCompared; i < steps.size(); ++i) {
    const double ratio = steps[i] / steps[i - 1];
    lowest = std::min(lowest, ratio);
    highest = std::max(highest, ratio);
    sum += ratio;
  }
  if (lowest < kLowestRatio || highest > kHighestRatio || highest - lowest > kRatioSpread)
    return std::nullopt;
  return sum / kRatiosCompared;
}

std::optional<ResidualFloor> FloorOfResidual(const SolvedFunction& function, double x) {
  const std::optional<long double> slope = function.df(x);
  if (!slope || !std::isfinite(x)) return std::nullopt;
  ResidualFloor floor;
  floor.slope_ulp = static_cast<double>(std::fabs(*slope) * Ulp(x));
  floor.smallest_f = std::numeric_limits<double>::infinity();
  int first_sign = 0;
  for (const double direction :
       {-std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()}) {
    double y = x;
    for (int unit = 0; unit <= kResidualUlpsSearched; ++unit) {
      // The value as the method compares it: rounded to a double.
      if (const std::optional<long double> value = function.f(y)) {
        const auto rounded = static_cast<double>(*value);
        floor.smallest_f = std::min(floor.smallest_f, std::fabs(rounded));
        const int sign = Sign(rounded);
        if (first_sign == 0) first_sign = sign;
        floor.sign_change = floor.sign_change || sign * first_sign < 0;
      }
      y = std::nextafter(y, direction);
    }
  }
  return floor;
}

std::optional<ExactHit> ExactRootLeft(const core::MethodHistory& history) {
  const std::vector<core::PassRecord>& passes = history.passes;
  for (std::size_t i = 0; i + 1 < passes.size(); ++i) {
    if (passes[i].fx && *passes[i].fx == 0 && passes[i].x != passes.back().x)
      return ExactHit{passes[i].n, passes[i].x};
  }
  return std::nullopt;
}

}  // namespace app
