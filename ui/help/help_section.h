// SPDX-License-Identifier: GPL-3.0-or-later
// F1 in a window other than the main one: the help window, scrolled so that
// the section about that window is at its top, with the cursor at its heading.
#pragma once

#include <QString>

namespace ui {

// Shows the help window as the main window's F1 does, then goes to the
// first line that starts with `heading`; stays at the top when none does.
void ShowHelpSection(const QString& heading);

}  // namespace ui
