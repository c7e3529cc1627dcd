// SPDX-License-Identifier: GPL-3.0-or-later
// The convergence plot of a run: each method's errors (or steps) pass by
// pass on a logarithmic axis, in the method's colour, marker and dash.
#pragma once

#include <QPalette>

#include "app/convergence_series.h"
#include "app/method_analysis.h"
#include "core/method_table.h"

class QChart;

namespace ui {

// One line for each method of `methods`. Zeros sit on the bottom edge of
// the logarithmic axis as hollow squares in the method's colour. Shows the
// passes 0 to extent.shown. Each method's legend entry carries its verdict,
// and says "шаги" where it shows steps.
QChart* NewConvergenceChart(const core::PerMethod<app::StepSeries>& series,
                            const app::ConvergenceExtent& extent, const QPalette& palette,
                            const app::RunAnalyses& analyses, const core::MethodSet& methods);

}  // namespace ui
