// SPDX-License-Identifier: GPL-3.0-or-later
// The first line of a detail window: what became of the method's run, in
// plain words, so that nobody takes the last approximation of a run that
// never converged for a root.
#pragma once

#include "app/run_verdict.h"

class QLabel;

namespace ui {

// A notice stands out in the palette's tool-tip colours, a pair that every
// palette, light or dark, keeps readable.
void StyleAsNotice(QLabel& label);

// Bold; a notice where the run found no root.
QLabel* NewVerdictLine(const app::Verdict& verdict);

}  // namespace ui
