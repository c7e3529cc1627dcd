// SPDX-License-Identifier: GPL-3.0-or-later
// A top-level QWidget reaches screen readers as a "filler"; marked here, it
// is a frame (QAccessible::Window) or a dialog, as a window of its kind is.
#pragma once

#include <QAccessible>

class QWidget;

namespace ui {

void SetWindowRole(QWidget& window, QAccessible::Role role);

}  // namespace ui
