// SPDX-License-Identifier: GPL-3.0-or-later
// A window whose contents scroll once the window is smaller than they want:
// at large fonts and on small screens a window still shrinks to what the
// user asks, and nothing of it is cut off or pushed off the screen.
#pragma once

class QWidget;

namespace ui {

// Puts `contents` into a frameless scroll area that fills `window` (which
// must have no layout yet) and stretches the contents to the area's width.
void ScrollContents(QWidget* window, QWidget* contents);

}  // namespace ui
