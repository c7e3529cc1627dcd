// SPDX-License-Identifier: GPL-3.0-or-later
// The two plots of a detail window, drawn with Qt Charts in the colours of the
// window's palette (so they read in a dark palette too): the function with
// the method's geometry, and the steps of the four methods on a logarithmic
// axis.
#pragma once

#include <QColor>
#include <QPalette>
#include <QScatterSeries>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "app/comparison_run.h"
#include "app/function_plot.h"
#include "app/run_verdict.h"

class QChart;

namespace ui {

// The method's short name, "Хорды", where four must fit side by side.
QString MethodShortName(std::uint8_t method);

// The colour of method number `method` (1 to 4), the same in every plot.
QColor MethodColour(std::uint8_t method, const QPalette& palette);

// Each method's own marker shape and dash pattern, so that no plot tells the
// methods apart by colour alone.
QScatterSeries::MarkerShape MethodMarker(std::uint8_t method);
Qt::PenStyle MethodDash(std::uint8_t method);

// The property that keeps a series out of the legend (ui/chart_legend.h).
inline constexpr char kOutOfLegendProperty[] = "nle_out_of_legend";

// The property of a scatter series that holds each point's pass number n.
inline constexpr char kPassNumbersProperty[] = "nle_pass_numbers";

QChart* NewFunctionChart(const app::FunctionPlot& plot, std::uint8_t method,
                         const QPalette& palette);

// f over the interval as the own-equation window previews it, with the
// places where it changes sign marked on the x-axis.
QChart* NewPreviewChart(const app::FunctionPlot& plot, const std::vector<double>& sign_changes,
                        const QPalette& palette);

// Zeros sit on the bottom edge of the logarithmic axis as hollow squares in
// the method's colour. Shows the passes 0 to extent.shown. Each method's
// legend entry carries its verdict, and says "шаги" where it shows steps.
QChart* NewConvergenceChart(const std::array<app::StepSeries, 4>& series,
                            const app::ConvergenceExtent& extent, const QPalette& palette,
                            const std::array<app::Outcome, 4>& outcomes);

}  // namespace ui
