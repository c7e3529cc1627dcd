// SPDX-License-Identifier: GPL-3.0-or-later
// The two plots of a detail window, drawn with Qt Charts in the colours of the
// window's palette (so they read in a dark palette too): the function with
// the method's geometry, and the steps of the four methods on a logarithmic
// axis. Also the saving of a plot as PNG or SVG.
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "app/comparison_run.h"
#include "app/function_plot.h"
#include "app/run_verdict.h"

class QChart;
class QChartView;

namespace ui {

// The method's short name, "Хорды", where four must fit side by side.
QString MethodShortName(std::uint8_t method);

// The colour of method number `method` (1 to 4), the same in every plot.
QColor MethodColour(std::uint8_t method, const QPalette& palette);

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

enum class PictureFormat { kPng, kSvg };
// The view as it is on the screen; raises EFOpenError when the file cannot
// be written.
void SaveChartPicture(QChartView& view, const QString& path, PictureFormat format);

}  // namespace ui
