// SPDX-License-Identifier: GPL-3.0-or-later
// The "Сравнение" tab of a detail window: the run's methods side by side
// by the work they did (evaluations of f and f′), what they achieved
// (verdict, correct digits) and the efficiency index, with the method that
// did least work beside the one the results table names fastest by passes.
#pragma once

#include "app/comparison_run.h"
#include "app/method_analysis.h"

class QWidget;

namespace ui {

QWidget* NewEfficiencyTab(const app::RunRecord& run, const app::RunAnalyses& analyses);

}  // namespace ui
