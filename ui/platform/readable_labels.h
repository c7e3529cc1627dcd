// SPDX-License-Identifier: GPL-3.0-or-later
// A Qt 6.4 label reaches screen readers by its accessible name alone, with no
// text interface: a label given a short name ("Итог метода") hides its text.
// Here every such label in a window passes its whole text on as its
// description, and text that the mouse can select becomes selectable from
// the keyboard too.
#pragma once

class QWidget;

namespace ui {

void MakeLabelsReadable(QWidget& window);

}  // namespace ui
