// SPDX-License-Identifier: GPL-3.0-or-later
// Linear plot axes whose ticks fall on round numbers, labelled in the
// program's own number text, and only as many as their labels have room for:
// at a large font, a high scale or in a small window a tick label is never
// cut to "…", and zooming or panning relabels the axis for the new range.
#pragma once

#include <QString>

class QCategoryAxis;
class QChart;

namespace ui {

// A linear axis over [low, high] with about `ticks` round ticks to begin with.
QCategoryAxis* NewRoundAxis(const QString& title, double low, double high, int ticks);

// Relabels every round axis of the chart whenever its plot area or an axis
// range changes. Call once the axes are attached.
void KeepTicksFitting(QChart& chart);

// Whether any axis of the chart had to cut a label short.
bool AnyLabelTruncated(const QChart& chart);

}  // namespace ui
