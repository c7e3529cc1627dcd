// SPDX-License-Identifier: GPL-3.0-or-later
// What became of a method's run, judged from its history and its equation:
// whether its stopping test held and whether a root backs it, or why it
// stopped without it. The comparison run judges every method when it has
// finished, for the marks in the results table and the fastest method; the
// detail window states the verdict in one line at the top and in the legend
// of the convergence plot, the comparison tab lists it for every method, and
// the reports and the command line's JSON carry it.
#pragma once

#include "app/comparison_run.h"
#include "app/verdict.h"
#include "core/history.h"

namespace app {

Verdict JudgeRun(const RunRecord& run, const core::MethodHistory& history);

// Judges every method of the run's set into its record.
void JudgeMethods(RunRecord& run);

// The verdict of a method: the one the run was judged with when it finished,
// else judged now (a run that an error ended is never judged by the run).
Verdict VerdictOf(const RunRecord& run, std::uint8_t method);

}  // namespace app
