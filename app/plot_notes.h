// SPDX-License-Identifier: GPL-3.0-or-later
// The notes under the plots of a detail window: what the function plot
// leaves out or marks, and why zero steps sit on the edge of a logarithmic
// axis.
#pragma once

#include <cstddef>
#include <string>

#include "app/convergence_series.h"
#include "app/method_geometry.h"

namespace app {

// `passes`: the passes of the method's history.
std::string FunctionPlotNote(const FunctionPlot& plot, std::size_t passes);
std::string ConvergencePlotNote(const ConvergenceExtent& extent);
// The convergence note, after a word on what a step measures.
std::string StepsPlotNote(const ConvergenceExtent& extent);
// How to read the work–precision diagram.
std::string WorkPrecisionNote();

}  // namespace app
