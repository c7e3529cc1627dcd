// SPDX-License-Identifier: GPL-3.0-or-later
// The work–precision diagram of a run: the correct digits of each pass
// against the evaluations of f and f′ computed to reach it, one line per
// method in its colour, marker and dash. A method that climbs steeper buys
// more digits with each evaluation; the lines meet the comparison at equal
// accuracy where they cross one level of digits.
#pragma once

#include <QPalette>
#include <vector>

#include "app/function_sampling.h"
#include "app/method_analysis.h"
#include "core/method_table.h"

class QChart;

namespace ui {

// One line for each method of `methods`; a method without a measured error
// keeps its legend entry, which says why it has no line.
QChart* NewWorkPrecisionChart(const core::PerMethod<std::vector<app::PlotPoint>>& series,
                              const QPalette& palette, const app::RunAnalyses& analyses,
                              const core::MethodSet& methods);

}  // namespace ui
