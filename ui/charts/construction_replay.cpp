// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/construction_replay.h"

#include <QLineSeries>
#include <QPalette>
#include <QScatterSeries>
#include <QtCharts/QChart>

#include "ui/charts/function_chart.h"
#include "ui/charts/method_look.h"
#include "ui/charts/series.h"

namespace ui {

namespace {

constexpr qreal kCurrentWidth = 3.5;
constexpr qreal kCurrentRing = 20;

}  // namespace

ConstructionReplay::ConstructionReplay(QChart& chart, std::shared_ptr<const app::RunRecord> run,
                                       std::uint8_t method, app::FunctionPlot plot,
                                       const QPalette& palette)
    : QObject(&chart),
      chart_(chart),
      run_(std::move(run)),
      method_(method),
      plot_(std::move(plot)) {
  QAbstractAxis* x_axis = chart_.axes(Qt::Horizontal).value(0);
  QAbstractAxis* y_axis = chart_.axes(Qt::Vertical).value(0);
  const QColor colour = MethodColour(method_, palette);
  const QColor text = palette.color(QPalette::Text);
  current_ = NewLine(QStringLiteral("Текущий проход"), QPen(colour, kCurrentWidth));
  current_mirror_ = NewLine(QString(), QPen(colour, kCurrentWidth, Qt::DotLine));
  current_iterate_ =
      NewMarkers(QStringLiteral("xₙ текущего прохода"), QScatterSeries::MarkerShapeCircle,
                 kCurrentRing, Qt::transparent, text);
  for (QAbstractSeries* series :
       {static_cast<QAbstractSeries*>(current_), static_cast<QAbstractSeries*>(current_mirror_),
        static_cast<QAbstractSeries*>(current_iterate_)}) {
    Attach(chart_, series, x_axis, y_axis);
  }
  HideFromLegend(chart_, current_mirror_);
  HideFromLegend(chart_, current_iterate_);
  for (QAbstractSeries* series : chart_.series()) {
    if (series->objectName() == QLatin1String(kIteratesName))
      iterates_ = static_cast<QScatterSeries*>(series);
  }
  if (iterates_ != nullptr) {
    iterate_points_ = iterates_->points();
    iterate_passes_ = iterates_->property(kPassNumbersProperty).toList();
  }
}

void ConstructionReplay::ShowPass(std::int32_t n) {
  pass_ = n;
  for (QAbstractSeries* series : chart_.series()) {
    const QVariant pass = series->property(kConstructionPassProperty);
    if (!pass.isValid()) continue;
    const bool line =
        series->property(kConstructionPartProperty).toString() == QLatin1String(kLinePart);
    const std::int32_t drawn = pass.toInt();
    series->setVisible(line ? app::ReplayDrawsLine(plot_, drawn, n) : drawn <= n);
  }
  if (iterates_ != nullptr) {
    QList<QPointF> points;
    QVariantList passes;
    for (qsizetype i = 0; i < iterate_points_.size(); ++i) {
      if (iterate_passes_.value(i).toInt() > n) continue;
      points << iterate_points_[i];
      passes << iterate_passes_[i];
    }
    iterates_->setProperty(kPassNumbersProperty, passes);
    iterates_->replace(points);
  }
  if (auto* numbers = chart_.findChild<IterateNumbers*>()) numbers->ShowUpTo(n);

  current_->clear();
  current_mirror_->clear();
  current_iterate_->clear();
  const std::vector<core::PassRecord>& passes = run_->History(method_).passes;
  if (passes.empty() || n < passes.front().n || n > passes.back().n) return;
  const auto index = static_cast<std::size_t>(n - passes.front().n);
  const app::PassDrawing drawing = app::DrawPass(*run_, method_, plot_, index);
  // The pass's lines as one path: a cobweb's second step goes on from where
  // its first ended; a line that does not join the path (the combined
  // method's tangent beside its chord) stays drawn as the plot has it.
  for (const app::ConstructionLine& line : drawing.lines) {
    if (current_->count() == 0) {
      current_->append({ToQt(line.from), ToQt(line.to)});
      continue;
    }
    const QPointF end = current_->at(current_->count() - 1);
    if (end == ToQt(line.from)) {
      current_->append(ToQt(line.to));
    } else if (end == ToQt(line.to)) {
      current_->append(ToQt(line.from));
    }
  }
  if (drawing.bracket) {
    current_->append({{drawing.bracket->left, drawing.bracket->y},
                      {drawing.bracket->right, drawing.bracket->y}});
  }
  if (drawing.reflection)
    current_mirror_->append({{drawing.reflection->crossing, 0}, {drawing.reflection->landed, 0}});
  if (drawing.iterate) current_iterate_->append(ToQt(*drawing.iterate));
}

int ConstructionReplay::DrawnConstructions() const {
  int drawn = 0;
  for (const QAbstractSeries* series : chart_.series()) {
    if (series->property(kConstructionPassProperty).isValid() && series->isVisible() &&
        series->property(kConstructionPartProperty).toString() == QLatin1String(kLinePart))
      ++drawn;
  }
  return drawn;
}

}  // namespace ui
