// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/series.h"

#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QtCharts/QChart>

#include "ui/charts/axes.h"

namespace ui {

void HideFromLegend(QChart& chart, QAbstractSeries* series) {
  for (QLegendMarker* marker : chart.legend()->markers(series)) marker->setVisible(false);
  series->setProperty(kOutOfLegendProperty, true);
}

// Background, texts and grid from the palette; the series keep their colours.
void Paint(QChart& chart, const QPalette& palette) {
  chart.setBackgroundBrush(palette.color(QPalette::Base));
  chart.setBackgroundRoundness(0);
  chart.setTitleBrush(palette.color(QPalette::Text));
  // The legend goes under the plot as a strip that wraps (ui/charts/legend.h);
  // the chart's own would cut the names short in a narrow window.
  chart.legend()->setLabelColor(palette.color(QPalette::Text));
  chart.legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
  chart.legend()->hide();
  for (QAbstractAxis* axis : chart.axes()) {
    axis->setLabelsColor(palette.color(QPalette::Text));
    axis->setTitleBrush(palette.color(QPalette::Text));
    axis->setLinePenColor(palette.color(QPalette::Mid));
    axis->setGridLineColor(palette.color(QPalette::Midlight));
  }
  KeepTicksFitting(chart);
}

void Attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
  chart.addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
}

QLineSeries* NewLine(const QString& name, const QPen& pen) {
  auto* series = new QLineSeries();
  series->setName(name);
  series->setPen(pen);
  return series;
}

QScatterSeries* NewMarkers(const QString& name, QScatterSeries::MarkerShape shape, qreal size,
                           const QColor& fill, const QColor& border) {
  auto* series = new QScatterSeries();
  series->setName(name);
  series->setMarkerShape(shape);
  series->setMarkerSize(size);
  series->setColor(fill);
  series->setBorderColor(border);
  return series;
}

}  // namespace ui
