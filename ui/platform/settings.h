// SPDX-License-Identifier: GPL-3.0-or-later
// The program's one settings file,
// ~/.config/nonlinear-equations/nonlinear-equations.ini: what the windows
// remember between sessions (the detail window's size, the folder of the
// last saved file, the typed-equation window's formulas and inputs).
#pragma once

#include <QSettings>

namespace ui {

QSettings ProgramSettings();

}  // namespace ui
