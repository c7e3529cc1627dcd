// SPDX-License-Identifier: GPL-3.0-or-later
// How each method looks in every plot: its colour on a light and on a dark
// background, its marker and its dash. The table in method_look.cpp has one
// row per method of core/method_table.h, in the same order. The colours of
// the four are Okabe and Ito's, those of the two more Tol's wine and indigo
// (light) and yellow and cyan (dark), which stay apart under deuteranopia
// and protanopia; the marker and dash tell the methods apart without colour
// at all.
#pragma once

#include <QColor>
#include <QPalette>
#include <QPen>
#include <QScatterSeries>
#include <QString>
#include <cstdint>

namespace ui {

// A palette whose base is dark: the plots then take the dark colours.
bool IsDark(const QPalette& palette);

// The colour of method number `method`, the same in every plot.
QColor MethodColour(std::uint8_t method, const QPalette& palette);
QScatterSeries::MarkerShape MethodMarker(std::uint8_t method);
Qt::PenStyle MethodDash(std::uint8_t method);
// A pen in the method's dash, with the dash pattern of a custom one.
QPen MethodPen(std::uint8_t method, const QColor& colour, qreal width);

// The method's short name, "Хорды", where several must fit side by side.
QString MethodShortName(std::uint8_t method);

}  // namespace ui
