// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/axes.h"

#include <QCategoryAxis>
#include <QFontMetricsF>
#include <QtCharts/QChart>
#include <algorithm>
#include <cmath>

#include "app/function_sampling.h"
#include "app/number_text.h"

namespace ui {

namespace {

QString TickText(double tick) {
  return QString::fromStdString(app::FormatReal(tick));
}

// The ticks for `length` pixels of axis: the most round ticks whose labels,
// each with a gap of two "x" on either side, still fit one after another.
std::vector<double> FittingTicks(const QCategoryAxis& axis, double length, bool horizontal) {
  const QFontMetricsF metrics(axis.labelsFont());
  const double gap = 4 * metrics.horizontalAdvance(QLatin1Char('x'));
  const double low = axis.min();
  const double high = axis.max();
  for (int about = std::clamp(static_cast<int>(length / (3 * gap)), 2, 12); about >= 1; --about) {
    std::vector<double> ticks = app::NiceTicks(low, high, about);
    double widest = 0;
    for (const double tick : ticks)
      widest = std::max(widest,
                        horizontal ? metrics.horizontalAdvance(TickText(tick)) : metrics.height());
    if (about == 1 || static_cast<double>(ticks.size()) * (widest + gap) <= length) return ticks;
  }
  return {};
}

void Relabel(QChart& chart, QCategoryAxis& axis) {
  const bool horizontal = axis.orientation() == Qt::Horizontal;
  const QRectF area = chart.plotArea();
  const double length = horizontal ? area.width() : area.height();
  if (!(length > 0)) return;
  const std::vector<double> ticks = FittingTicks(axis, length, horizontal);
  QStringList labels;
  for (const double tick : ticks) labels << TickText(tick);
  if (labels == axis.categoriesLabels()) return;
  // Removing and appending categories moves neither end of the range.
  const double low = axis.min();
  const double high = axis.max();
  for (const QString& label : axis.categoriesLabels()) axis.remove(label);
  axis.setStartValue(low);
  for (std::size_t i = 0; i < ticks.size(); ++i) axis.append(labels[static_cast<int>(i)], ticks[i]);
  axis.setRange(low, high);
}

}  // namespace

QCategoryAxis* NewRoundAxis(const QString& title, double low, double high, int ticks) {
  auto* axis = new QCategoryAxis();
  axis->setTitleText(title);
  axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  axis->setStartValue(low);
  for (const double tick : app::NiceTicks(low, high, ticks)) axis->append(TickText(tick), tick);
  axis->setRange(low, high);
  return axis;
}

void KeepTicksFitting(QChart& chart) {
  const auto relabel_all = [&chart] {
    // Relabelling moves the plot area, which asks again; once is enough.
    static bool busy = false;
    if (busy) return;
    busy = true;
    for (QAbstractAxis* axis : chart.axes())
      if (auto* round = qobject_cast<QCategoryAxis*>(axis)) Relabel(chart, *round);
    busy = false;
  };
  QObject::connect(&chart, &QChart::plotAreaChanged, &chart, relabel_all);
  for (QAbstractAxis* axis : chart.axes())
    if (auto* round = qobject_cast<QCategoryAxis*>(axis))
      QObject::connect(round, &QValueAxis::rangeChanged, &chart, relabel_all);
}

bool AnyLabelTruncated(const QChart& chart) {
  const QList<QAbstractAxis*> axes = chart.axes();
  return std::any_of(axes.begin(), axes.end(),
                     [](const QAbstractAxis* axis) { return axis->labelsTruncated(); });
}

}  // namespace ui
