// SPDX-License-Identifier: GPL-3.0-or-later
// The plots of f: a detail window's, with the method's construction, its
// numbered iterates and the root, and the own-equation window's preview of
// f over the interval with the places where it changes sign.
#pragma once

#include <QPalette>
#include <cstdint>
#include <vector>

#include "app/method_geometry.h"
#include "app/sign_changes.h"

class QChart;

namespace ui {

QChart* NewFunctionChart(const app::FunctionPlot& plot, std::uint8_t method,
                         const QPalette& palette);

// f over the interval as the own-equation window previews it, with the
// places where it changes sign marked on the x-axis: the markers are the
// series named kSignChangeMarks, a point for each change in its order.
inline constexpr char kSignChangeMarks[] = "SignChangeMarks";
QChart* NewPreviewChart(const app::FunctionPlot& plot,
                        const std::vector<app::SignChange>& sign_changes, const QPalette& palette);

}  // namespace ui
