// SPDX-License-Identifier: GPL-3.0-or-later
// The look of the designed windows: the platform's user-selectable system
// colours, by their index in the classic table of system colours; the palette
// that the program's own windows take from them; the design font; and the one
// way a control's colours are set.
//
// Every system colour is its classic default value. The windows' designs pair
// fixed text colours (navy labels, black text) with these backgrounds (light
// blue inputs, a pale status bar, grey table cells); were only some of them to
// follow a dark desktop palette, text and background would come from two
// sources and could meet as white on light blue or navy on dark grey. So a
// designed window takes its whole palette, text and background alike, from
// the design; what the design leaves to the desktop (tooltips, the error box)
// keeps the desktop's palette, text and background alike.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <initializer_list>

class QWidget;

namespace ui {

enum SystemColourIndex {
  kScrollBar = 0,
  kInactiveCaption = 3,
  kWindow = 5,
  kWindowText = 8,
  kHighlight = 13,
  kHighlightText = 14,
  kButtonFace = 15,
  kButtonShadow = 16,
  kGrayText = 17,
  kButtonText = 18,
  kButtonHighlight = 20,
  k3DDarkShadow = 21,
  k3DLight = 22,
  kGradientActiveCaption = 27,
  kGradientInactiveCaption = 28,
};

QColor SystemColour(SystemColourIndex index);

// Navy: red 0, green 0, blue 128.
inline QColor Navy() {
  return QColor(0, 0, 128);
}

// The palette of a designed window: the system colours in the roles a
// window, its buttons, edit boxes, selections and 3-D edges draw with, in
// every colour group.
QPalette DesignPalette();

// Gives `widget` these colours, each in every colour group, on top of the
// palette it has; its other roles keep their colours.
struct RoleColour {
  QPalette::ColorRole role;
  QColor colour;
};
void SetColours(QWidget& widget, std::initializer_list<RoleColour> colours);

// The design's "MS Sans Serif" does not exist on Linux: a sans-serif with
// Cyrillic glyphs at the same character height in pixels takes its place,
// narrowed to 90 %. The substitute runs about a tenth wider, so texts placed
// for the design (labels beside edit boxes, the About text, the splash title)
// would otherwise run into their neighbours or wrap.
QFont DesignFont(int character_height, bool bold = false);

}  // namespace ui
