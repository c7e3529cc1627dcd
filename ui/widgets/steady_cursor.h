// SPDX-License-Identifier: GPL-3.0-or-later
// A line edit that holds a long text keeps its cursor steady while it has the
// focus. Each blink repaints the edit, and a line edit draws its whole line
// again, a text of a megabyte included: a fifth of a core for a blinking
// cursor. Only the blinking stops: the text, the value that is read, stays
// whole, and the edit looks and behaves as before. The blink rate is one
// setting for the whole application, so it comes back as soon as the focus
// moves on or the text is short again.
#pragma once

#include <QtGlobal>

class QLineEdit;

namespace ui {

// Texts longer than this many characters keep the cursor steady.
inline constexpr qsizetype kSteadyCursorLength = 4096;

void KeepCursorSteadyWhenLong(QLineEdit& edit);

}  // namespace ui
