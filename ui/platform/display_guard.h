// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the windows without a graphical display. Qt then prints its
// platform plugin's notes and aborts (status 134), which tells a user at a
// text console nothing useful; instead the program says in one line that
// the windows need a display and that --solve and --variants work without
// one, and exits with status 1.
#pragma once

#include <QString>

namespace ui {

// From here until ReleaseDisplayGuard, a toolkit that cannot start its
// platform ends the program with that line. The toolkit's notes about the
// platform are held meanwhile: passed on once it has started, dropped when
// it could not.
void GuardDisplay();
void ReleaseDisplayGuard();

// The line, in the user's language.
QString NoDisplayText();

}  // namespace ui
