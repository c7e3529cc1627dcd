// SPDX-License-Identifier: GPL-3.0-or-later
// A top-level QWidget, or a plot view, reaches screen readers as a "filler";
// marked here, a window is a frame (QAccessible::Window) or a dialog, and a
// plot a chart, as others of their kind are.
#pragma once

#include <QAccessible>

class QWidget;

namespace ui {

void SetAccessibleRole(QWidget& widget, QAccessible::Role role);

}  // namespace ui
