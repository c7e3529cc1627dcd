// SPDX-License-Identifier: GPL-3.0-or-later
// Standard output and standard error of the command line, every write
// checked: a script that pipes the results on must learn when they were not
// written (a full disk, a closed descriptor), as it does from GNU tools:
// "nonlinear-equations: write error: <reason>" on standard error, when that
// can still be written, and exit status 1. A reader that goes away still
// ends the program with SIGPIPE, as it ends any other.
#pragma once

#include <cstdio>
#include <string_view>

namespace ui {

// Gives standard output and standard error, when the program was started
// with them closed (`>&-`), a descriptor of /dev/null, so that no file the
// command opens takes their number and receives the results; and remembers
// them as closed, so that writing to them fails as it would have.
void GuardStandardStreams();

// Writes the whole text to standard output or standard error and flushes
// it. A failure is remembered, never raised: the toolkit's message handler
// writes here too.
void WriteOutput(std::FILE* stream, std::string_view text) noexcept;

// The command's exit status, once its output is written: unchanged when
// every write succeeded; otherwise the write error is told and a status of 0
// becomes 1.
int FinishOutput(int status);

}  // namespace ui
