// SPDX-License-Identifier: GPL-3.0-or-later
// The program without windows: one comparison (--solve) printed as text, CSV
// or JSON and optionally as a PDF report, or variants for a class with their
// answer key (--variants). No display is ever opened. Exit status 0 when the
// run completes, 1 when it ends in an error (the error box's text goes to
// standard error), 2 for a usage error.
#pragma once

namespace ui {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRunError = 1;
inline constexpr int kExitUsage = 2;

// Runs the command line that argv gives and returns the exit status.
int RunCommandLine(int argc, char* argv[]);

}  // namespace ui
