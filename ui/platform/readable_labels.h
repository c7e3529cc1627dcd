// SPDX-License-Identifier: GPL-3.0-or-later
// A Qt 6.4 label reaches screen readers by its accessible name alone, with no
// text interface: a label given a short name ("Итог метода") would hide its
// text, and reading a window by names would give headings only. Here every
// such label in a window is named by its own text, whatever it shows later,
// and the short name becomes its description, saying what the text is; text
// that the mouse can select becomes selectable from the keyboard too.
#pragma once

class QWidget;

namespace ui {

void MakeLabelsReadable(QWidget& window);

}  // namespace ui
