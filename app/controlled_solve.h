// SPDX-License-Identifier: GPL-3.0-or-later
// A comparison run that may take long, done away from its window: on the
// window's inputs as they stood when the command was given, on an in-memory
// table, under a JobControl. Where the window's run would process messages
// it reports its progress, and before every evaluation of f or f′ it checks
// whether it was asked to stop. The window then shows what the run left,
// as if the run had filled its own table.
#pragma once

#include <exception>
#include <memory>

#include "app/comparison_run.h"
#include "app/job_control.h"
#include "app/table_window.h"
#include "core/expression/formula.h"

namespace app {

struct ControlledSolve {
  TableWindow table;  // its cells and status text as the run left them
  bool progress_visible = false;
  std::shared_ptr<const RunRecord> record;  // null when the formula did not read
  std::exception_ptr error;                 // the error the run ended in, if any
};

// Raises JobCancelled when the control is cancelled; every other error is
// kept in the result, after what the run did before it.
ControlledSolve SolveUnderControl(const InputTexts& inputs, JobControl& control);

// Whether solving `formula` may take longer than about 100 ms on the
// interface thread: its worst case, every method running to the cap of
// passes, priced by the length of f and f′. Short formulas are solved at
// once, as always; longer ones away from the windows.
bool MaySolveSlowly(const core::expression::Formula& formula);

// The price of one character of f or f′ in one evaluation, in nanoseconds:
// 5 to 46 measured over products, quotients, sums and nested functions of
// 9 to 6,000 characters (a chain of "/sin(x)" costs most: a sine and a
// division every seven characters), rounded up.
inline constexpr double kNanosecondsPerCharacter = 50;

}  // namespace app
