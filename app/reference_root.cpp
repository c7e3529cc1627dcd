// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/reference_root.h"

#include <algorithm>
#include <cmath>

#include "app/method_report.h"
#include "core/equation_source.h"
#include "core/errors.h"

namespace app {

namespace {

// Enough halvings to close any bracket of long doubles; Newton needs a few.
constexpr int kMostRefiningPasses = 200;

bool OppositeSigns(long double u, long double v) {
  return (u < 0 && v > 0) || (u > 0 && v < 0);
}

struct Bracket {
  long double low;
  long double high;
  long double f_low;
};

// Widens a symmetric look around `near` by doubling until f changes sign
// between `near` and one side; the last look is the whole reach.
std::optional<Bracket> FindSignChange(const ExtendedFunction& f, long double near,
                                      long double f_near, long double reach, long double first) {
  if (!(first <= reach) || !std::isfinite(reach)) return std::nullopt;
  for (long double h = first;; h = std::min(2 * h, reach)) {
    const std::optional<long double> f_left = f(near - h);
    if (f_left && (*f_left == 0 || OppositeSigns(*f_left, f_near)))
      return Bracket{near - h, near, *f_left};
    const std::optional<long double> f_right = f(near + h);
    if (f_right && (*f_right == 0 || OppositeSigns(*f_right, f_near)))
      return Bracket{near, near + h, f_near};
    if (h == reach) return std::nullopt;
  }
}

}  // namespace

std::optional<long double> RefineRoot(const ExtendedFunction& f, const ExtendedFunction& df,
                                      long double near, long double reach,
                                      std::optional<long double> first) {
  const std::optional<long double> f_near = f(near);
  if (!f_near || !std::isfinite(near)) return std::nullopt;
  if (*f_near == 0) return near;
  std::optional<Bracket> bracket =
      FindSignChange(f, near, *f_near, reach,
                     first.value_or(std::max(std::fabs(near) * kFirstLook, kSmallestLook)));
  if (!bracket) return std::nullopt;
  long double low = bracket->low;
  long double high = bracket->high;
  const long double f_low = bracket->f_low;
  if (f_low == 0) return low;
  long double x = near;
  for (int pass = 0; pass < kMostRefiningPasses; ++pass) {
    const std::optional<long double> fx = f(x);
    if (!fx) return std::nullopt;
    if (*fx == 0) return x;
    // Keep the half in which f changes sign.
    if (OppositeSigns(*fx, f_low)) {
      high = x;
    } else {
      low = x;
    }
    if (std::nextafter(low, high) >= high) return x;
    const std::optional<long double> slope = df(x);
    long double next = (low + high) / 2;
    if (slope && *slope != 0) {
      const long double newton = x - *fx / *slope;
      if (newton == x) return x;
      if (newton > low && newton < high) next = newton;
    }
    x = next;
  }
  return x;
}

SolvedFunction FunctionOf(const RunRecord& run, const core::MethodHistory& history) {
  const core::Coefficients coefficients{run.k, run.l};
  const core::EquationSource source = SourceOf(history);
  const auto evaluate = [coefficients, source](auto function) -> ExtendedFunction {
    return [coefficients, source, function](long double x) -> std::optional<long double> {
      try {
        return (source.*function)(core::Extended(x), coefficients).Value();
      } catch (const core::Exception&) {
        return std::nullopt;
      }
    };
  };
  return {evaluate(&core::EquationSource::ExtendedF),
          evaluate(&core::EquationSource::ExtendedDerivative)};
}

long double ReferenceReach(const core::MethodHistory& history) {
  const long double width = std::fabs(static_cast<long double>(history.end) - history.start);
  return std::max(width, std::fabs(static_cast<long double>(history.passes.back().x)) * 1e-3L);
}

std::optional<long double> ReferenceRoot(const RunRecord& run, const core::MethodHistory& history) {
  if (history.passes.empty()) return std::nullopt;
  const SolvedFunction function = FunctionOf(run, history);
  return RefineRoot(function.f, function.df, history.passes.back().x, ReferenceReach(history));
}

}  // namespace app
