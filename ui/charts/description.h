// SPDX-License-Identifier: GPL-3.0-or-later
// The text alternatives of a plot for those who cannot see it: a description
// of what it shows (its title, its axes with their ranges, and each series),
// given to the plot as its accessible description, and its data as a table,
// shown in a window of its own that the detail window opens.
#pragma once

#include <QString>

class QAbstractItemModel;
class QAbstractSeries;
class QChart;
class QXYSeries;
class QObject;
class QWidget;

namespace ui {

// The points that a series draws: its own, or an area's upper edge (the
// function's band draws f as an area); null for other series.
const QXYSeries* PointsOf(const QAbstractSeries& series);

QString DescribeChart(const QChart& chart);

// The points of the series that the legend names. When every x is a whole
// number (passes), one row per x and one column per series; otherwise one
// row per point: series, x, y. Numbers in the program's number text.
QAbstractItemModel* NewChartDataModel(const QChart& chart, QObject* parent);

// A window with the table of the chart's data, owned by `parent`; with
// `more`, a second table under it, captioned `more_caption` (the window
// takes the model).
QWidget* ShowChartData(QWidget* parent, const QChart& chart, const QString& title,
                       QAbstractItemModel* more = nullptr, const QString& more_caption = {});

}  // namespace ui
