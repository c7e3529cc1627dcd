// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces every plot is made of: series with a name and a pen or a
// marker, attached to the plot's axes, and the plot painted in the colours
// of the window's palette, so that it reads in a dark palette too.
#pragma once

#include <QColor>
#include <QPalette>
#include <QPen>
#include <QPointF>
#include <QScatterSeries>
#include <QString>

#include "app/function_sampling.h"

class QAbstractAxis;
class QAbstractSeries;
class QChart;
class QLineSeries;

namespace ui {

// The property that keeps a series out of the legend (ui/charts/legend.h).
inline constexpr char kOutOfLegendProperty[] = "nle_out_of_legend";

// The property of a scatter series that holds each point's pass number n.
inline constexpr char kPassNumbersProperty[] = "nle_pass_numbers";

inline QPointF ToQt(app::PlotPoint point) {
  return {point.x, point.y};
}

void HideFromLegend(QChart& chart, QAbstractSeries* series);

// Background, texts and grid from the palette; the series keep their colours.
void Paint(QChart& chart, const QPalette& palette);

void Attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y);

QLineSeries* NewLine(const QString& name, const QPen& pen);

QScatterSeries* NewMarkers(const QString& name, QScatterSeries::MarkerShape shape, qreal size,
                           const QColor& fill, const QColor& border);

}  // namespace ui
