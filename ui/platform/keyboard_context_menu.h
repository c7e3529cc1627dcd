// SPDX-License-Identifier: GPL-3.0-or-later
// Shift+F10 and the Menu key open the context menu of the widget with the
// focus, as on every desktop: at the current cell of a table, else in the
// middle of the widget. X11 turns the Menu key into a context menu by
// itself; elsewhere (and for Shift+F10 everywhere) this does.
#pragma once

class QApplication;
class QKeyEvent;

namespace ui {

// Installs the key handling on the whole application, once.
void OpenContextMenusFromKeyboard(QApplication& application);

// Whether the key opens a context menu on this platform.
bool IsContextMenuKey(const QKeyEvent& event);

}  // namespace ui
