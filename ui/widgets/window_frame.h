// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's border: fixed, yet the window can be maximized. Qt only
// knows "resizable" (which lets the user drag the edges) or a fixed size
// (which makes window managers refuse to maximize). On X11 the Motif window
// manager hints come nearest: the functions move, minimize, maximize, close
// and resize, but no resize handles among the decorations. The resize
// function has to stay: Openbox refuses to maximize a window without it, and
// other window managers may read the functions the same way. Without the
// handles the border offers nothing to drag wherever the window manager
// honours the decorations.
#pragma once

#include <QWidget>

namespace ui {

// Motif hint bits, as the window manager reads them.
inline constexpr unsigned kMotifHintsFunctions = 1U << 0;
inline constexpr unsigned kMotifHintsDecorations = 1U << 1;
inline constexpr unsigned kMotifFunctionResize = 1U << 1;
inline constexpr unsigned kMotifFunctionMove = 1U << 2;
inline constexpr unsigned kMotifFunctionMinimize = 1U << 3;
inline constexpr unsigned kMotifFunctionMaximize = 1U << 4;
inline constexpr unsigned kMotifFunctionClose = 1U << 5;
inline constexpr unsigned kMotifDecorationBorder = 1U << 1;
inline constexpr unsigned kMotifDecorationTitle = 1U << 3;
inline constexpr unsigned kMotifDecorationMenu = 1U << 4;
inline constexpr unsigned kMotifDecorationMinimize = 1U << 5;
inline constexpr unsigned kMotifDecorationMaximize = 1U << 6;

// Tells the window manager that `window` (a top-level widget) has a fixed
// border but a maximize function. Does nothing off X11 (offscreen, Wayland).
void FixBorderKeepMaximize(QWidget& window);

}  // namespace ui
