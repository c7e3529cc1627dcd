// SPDX-License-Identifier: GPL-3.0-or-later
// The plots of f: a detail window's, with the method's construction, its
// numbered iterates and the root, and the own-equation window's preview of
// f over the interval with the places where it changes sign.
#pragma once

#include <QObject>
#include <QPalette>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/method_geometry.h"
#include "app/sign_changes.h"

class QChart;
class QColor;
class QGraphicsSimpleTextItem;
class QScatterSeries;

namespace ui {

// The pass whose construction a series of the function plot draws, and
// which part of it: a line (tangent, chord, secant or bar) or the mirror of
// a reflected chord point. The replay shows and hides them by these.
inline constexpr char kConstructionPassProperty[] = "nle_construction_pass";
inline constexpr char kConstructionPartProperty[] = "nle_construction_part";
inline constexpr char kLinePart[] = "line";
inline constexpr char kMirrorPart[] = "mirror";
// The object name of the scatter series of the numbered iterates.
inline constexpr char kIteratesName[] = "nle_iterates";

// The numbers of the iterates, just above their markers; placed again
// whenever the plot area moves or the axes change. Where iterates crowd
// round the root, the earliest number stands for them. A child of the chart.
class IterateNumbers : public QObject {
  Q_OBJECT

 public:
  IterateNumbers(QChart& chart, QScatterSeries& series,
                 const std::vector<app::NumberedIterate>& iterates, const QColor& colour);

  // Only the numbers of passes up to `last` (all when empty): the replay's.
  void ShowUpTo(std::optional<std::int32_t> last);

 private:
  void Place();

  QChart& chart_;
  QScatterSeries& series_;
  std::vector<app::NumberedIterate> iterates_;
  std::vector<QGraphicsSimpleTextItem*> labels_;
  std::optional<std::int32_t> last_;
};

QChart* NewFunctionChart(const app::FunctionPlot& plot, std::uint8_t method,
                         const QPalette& palette);

// f over the interval as the own-equation window previews it, with the
// places where it changes sign marked on the x-axis: the markers are the
// series named kSignChangeMarks, a point for each change in its order.
inline constexpr char kSignChangeMarks[] = "SignChangeMarks";
QChart* NewPreviewChart(const app::FunctionPlot& plot,
                        const std::vector<app::SignChange>& sign_changes, const QPalette& palette);

}  // namespace ui
