// SPDX-License-Identifier: GPL-3.0-or-later
// The "Сравнение" tab of a detail window: the run's methods side by side
// by the work they did (evaluations of f and f′), what they achieved
// (verdict, correct digits) and the efficiency index; the work–precision
// diagram; and the comparison at equal accuracy beside the method the
// results table names fastest by passes.
#pragma once

#include "app/comparison_run.h"
#include "app/method_analysis.h"

class QWidget;

namespace ui {

// `diagram`: the work–precision diagram's page (its view, legend and note),
// which the plot tabs make so that its commands are theirs.
QWidget* NewEfficiencyTab(const app::RunRecord& run, const app::RunAnalyses& analyses,
                          QWidget* diagram);

}  // namespace ui
