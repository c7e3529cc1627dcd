// The platform's user-selectable system colours, by their index in the
// classic table of system colours. Where a Qt palette role means the same
// thing the colour follows the desktop's palette; otherwise it is the classic
// default colour.
#pragma once

#include <QColor>
#include <QFont>

namespace ui {

enum SystemColourIndex {
  kScrollBar = 0,
  kInactiveCaption = 3,
  kWindowText = 8,
  kButtonFace = 15,
  k3DLight = 22,
  kGradientActiveCaption = 27,
  kGradientInactiveCaption = 28,
};

QColor SystemColour(SystemColourIndex index);

// Navy: red 0, green 0, blue 128.
inline QColor Navy() {
  return QColor(0, 0, 128);
}

// The design's "MS Sans Serif" does not exist on Linux: a sans-serif with
// Cyrillic glyphs at the same character height in pixels takes its place,
// narrowed to 90 %. The substitute runs about a tenth wider, so texts placed
// for the design (labels beside edit boxes, the About text, the splash title)
// would otherwise run into their neighbours or wrap.
QFont DesignFont(int character_height, bool bold = false);

}  // namespace ui
