// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/convergence_series.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace app {

namespace {

// Zero steps beyond the last nonzero one that the convergence plot still shows.
constexpr std::int32_t kTrailingZeroSteps = 10;
constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kSmallest = std::numeric_limits<double>::denorm_min();

}  // namespace

StepSeries Steps(const core::MethodHistory& history) {
  StepSeries series;
  for (const core::PassRecord& pass : history.passes) {
    // An infinite or undefined step has no place on any axis.
    if (!pass.step || !std::isfinite(*pass.step)) continue;
    if (*pass.step > 0) {
      series.steps.push_back({static_cast<double>(pass.n), *pass.step});
    } else {
      series.zero_steps.push_back(pass.n);
    }
  }
  return series;
}

StepSeries ConvergenceSeries(const core::MethodHistory& history, const MethodAnalysis& analysis,
                             bool steps) {
  if (steps || !analysis.reference) return Steps(history);
  StepSeries series;
  series.errors = true;
  for (std::size_t i = 0; i < history.passes.size(); ++i) {
    const std::optional<double> error = analysis.measures.passes[i].error;
    if (!error) continue;
    if (*error > 0) {
      series.steps.push_back({static_cast<double>(history.passes[i].n), *error});
    } else {
      series.zero_steps.push_back(history.passes[i].n);
    }
  }
  return series;
}

core::PerMethod<StepSeries> RunSteps(const RunRecord& run) {
  core::PerMethod<StepSeries> series;
  for (const core::Method method : run.method_set)
    core::ForMethod(series, method) = Steps(run.History(method));
  return series;
}

core::PerMethod<StepSeries> RunConvergence(const RunRecord& run, const RunAnalyses& analyses,
                                           bool steps) {
  core::PerMethod<StepSeries> series;
  for (const core::Method method : run.method_set) {
    core::ForMethod(series, method) =
        ConvergenceSeries(run.History(method), core::ForMethod(analyses, method), steps);
  }
  return series;
}

StepRange StepRangeOf(const core::PerMethod<StepSeries>& series) {
  double smallest = 1;
  double largest = 1;
  for (const StepSeries& method : series) {
    for (const PlotPoint& step : method.steps) {
      if (!(step.y > 0) || !std::isfinite(step.y)) continue;
      smallest = std::min(smallest, step.y);
      largest = std::max(largest, step.y);
    }
  }
  // 1e-324 and 1e309 are beyond the doubles: the decades stop at their ends.
  StepRange range;
  range.bottom = std::max(std::pow(10.0, std::floor(std::log10(smallest)) - 1), kSmallest);
  range.top = std::min(std::pow(10.0, std::ceil(std::log10(largest))), kLargest);
  return range;
}

ConvergenceExtent ConvergenceExtentOf(const core::PerMethod<StepSeries>& series) {
  std::int32_t last_nonzero = 1;
  ConvergenceExtent extent;
  for (const StepSeries& method : series) {
    for (const PlotPoint& step : method.steps) {
      last_nonzero = std::max(last_nonzero, static_cast<std::int32_t>(step.x));
      extent.last = std::max(extent.last, static_cast<std::int32_t>(step.x));
    }
    for (const std::int32_t n : method.zero_steps) extent.last = std::max(extent.last, n);
  }
  extent.shown = std::min(extent.last, last_nonzero + kTrailingZeroSteps);
  return extent;
}

}  // namespace app
