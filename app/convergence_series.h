// SPDX-License-Identifier: GPL-3.0-or-later
// What the convergence plots of a detail window draw: each method's errors
// against a reference root, or its steps, pass by pass, and the ranges of
// the axes that show them all.
#pragma once

#include <cstdint>
#include <vector>

#include "app/comparison_run.h"
#include "app/function_sampling.h"
#include "app/method_analysis.h"
#include "core/history.h"
#include "core/method_table.h"

namespace app {

// The convergence plot of one method: the nonzero errors (or steps) against
// n, and the passes where they were zero (a logarithmic axis cannot draw
// them).
struct StepSeries {
  std::vector<PlotPoint> steps;
  std::vector<std::int32_t> zero_steps;
  bool errors = false;  // |xₙ − x*| against a reference root, not steps
};
StepSeries Steps(const core::MethodHistory& history);
// The errors where the analysis has a reference root, else the steps;
// always the steps when `steps` is set.
StepSeries ConvergenceSeries(const core::MethodHistory& history, const MethodAnalysis& analysis,
                             bool steps);
// The steps of every method; empty for those the run did not run.
core::PerMethod<StepSeries> RunSteps(const RunRecord& run);
// The series of every method; empty for those the run did not run.
core::PerMethod<StepSeries> RunConvergence(const RunRecord& run, const RunAnalyses& analyses,
                                           bool steps);

// The range of the convergence plot's logarithmic axis: whole decades round
// the finite nonzero steps, one more below the smallest for the row of zero
// steps, and always finite and positive (at the double limits the end is the
// largest double or the smallest denormal instead of a decade).
struct StepRange {
  double bottom = 0.1;
  double top = 1;
};
StepRange StepRangeOf(const core::PerMethod<StepSeries>& series);

// The passes the convergence plot shows, 0 to `shown`: all of them, unless
// the methods only repeat zero steps long after their last nonzero one (at
// the pass cap), which would squeeze the converging passes into the left edge.
struct ConvergenceExtent {
  std::int32_t shown = 1;
  std::int32_t last = 1;  // the last pass of any method
};
ConvergenceExtent ConvergenceExtentOf(const core::PerMethod<StepSeries>& series);

}  // namespace app
