// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/function_chart.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <QtCharts/QChart>
#include <algorithm>

#include "ui/charts/axes.h"
#include "ui/charts/method_look.h"
#include "ui/charts/series.h"

namespace ui {

namespace {

// The sign changes of the preview, in vermilion (orange on a dark
// background): apart from the curve, and no method's mark.
QColor SignChangeColour(const QPalette& palette) {
  return IsDark(palette) ? QColor(0xe6, 0x9f, 0x00) : QColor(0xd5, 0x5e, 0x00);
}

}  // namespace

IterateNumbers::IterateNumbers(QChart& chart, QScatterSeries& series,
                               const std::vector<app::NumberedIterate>& iterates,
                               const QColor& colour)
    : QObject(&chart), chart_(chart), series_(series), iterates_(iterates) {
  for (const app::NumberedIterate& iterate : iterates_) {
    auto* label = new QGraphicsSimpleTextItem(QString::number(iterate.n), &chart_);
    label->setBrush(colour);
    label->setZValue(10);
    labels_.push_back(label);
  }
  connect(&chart_, &QChart::plotAreaChanged, this, &IterateNumbers::Place);
  // Zooming and panning move the iterates without moving the plot area.
  for (QAbstractAxis* axis : series_.attachedAxes()) {
    if (auto* value = qobject_cast<QValueAxis*>(axis))
      connect(value, &QValueAxis::rangeChanged, this, &IterateNumbers::Place);
  }
}

void IterateNumbers::ShowUpTo(std::optional<std::int32_t> last) {
  last_ = last;
  Place();
}

void IterateNumbers::Place() {
  const QRectF area = chart_.plotArea();
  std::vector<QRectF> taken;
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    const QPointF at = chart_.mapToPosition({iterates_[i].x, iterates_[i].y}, &series_);
    QRectF box = labels_[i]->boundingRect();
    box.moveCenter({at.x(), at.y() - box.height()});
    // Where iterates crowd round the root, the earliest number stands for them.
    const bool crowded = std::any_of(taken.begin(), taken.end(),
                                     [&box](const QRectF& other) { return other.intersects(box); });
    const bool replayed = !last_ || iterates_[i].n <= *last_;
    labels_[i]->setPos(box.topLeft());
    labels_[i]->setVisible(replayed && area.contains(at) && !crowded);
    if (labels_[i]->isVisible()) taken.push_back(box);
  }
}

namespace {

// The axes of a function plot (about `y_ticks` round ticks up the side), the
// x-axis line and the curve's band, one legend entry for them all.
std::pair<QCategoryAxis*, QCategoryAxis*> AddCurve(QChart& chart, const app::FunctionPlot& plot,
                                                   int y_ticks, const QPalette& palette) {
  auto* x_axis = NewRoundAxis(QStringLiteral("x"), plot.range.left, plot.range.right, 6);
  const QString curve_name = plot.cobweb ? QStringLiteral("φ(x)") : QStringLiteral("f(x)");
  auto* y_axis =
      NewRoundAxis(plot.cobweb ? QStringLiteral("y") : curve_name, plot.bottom, plot.top, y_ticks);
  chart.addAxis(x_axis, Qt::AlignBottom);
  chart.addAxis(y_axis, Qt::AlignLeft);
  const QColor text = palette.color(QPalette::Text);

  auto* axis_line = NewLine(QString(), QPen(text, 1));
  axis_line->append({{x_axis->min(), 0}, {x_axis->max(), 0}});
  Attach(chart, axis_line, x_axis, y_axis);
  HideFromLegend(chart, axis_line);

  // The band of f's least and greatest values per pixel column: a line where
  // f is smooth, a filled swing where it oscillates faster than the pixels.
  QColor swing = text;
  swing.setAlpha(90);
  for (std::size_t i = 0; i < plot.curve.size(); ++i) {
    auto* low = new QLineSeries(&chart);
    auto* high = new QLineSeries(&chart);
    for (const app::PlotPoint& point : plot.curve[i].low) low->append(ToQt(point));
    for (const app::PlotPoint& point : plot.curve[i].high) high->append(ToQt(point));
    auto* curve = new QAreaSeries(high, low);
    curve->setName(curve_name);
    curve->setPen(QPen(text, 2));
    curve->setBrush(swing);
    Attach(chart, curve, x_axis, y_axis);
    if (i > 0) HideFromLegend(chart, curve);
  }
  return {x_axis, y_axis};
}

}  // namespace

QChart* NewFunctionChart(const app::FunctionPlot& plot, std::uint8_t method,
                         const QPalette& palette) {
  auto* chart = new QChart();
  chart->setTitle(!plot.cobweb ? QStringLiteral("Функция и построения метода")
                  : plot.spiral ? QStringLiteral("y = φ(x), y = x и спираль итераций")
                                : QStringLiteral("y = φ(x), y = x и лестница итераций"));
  const auto [x_axis, y_axis] = AddCurve(*chart, plot, 8, palette);
  const QColor text = palette.color(QPalette::Text);
  const QColor colour = MethodColour(method, palette);
  if (plot.cobweb) {
    // The fixed points of φ lie on the diagonal.
    auto* diagonal = NewLine(QStringLiteral("y = x"), QPen(text, 1, Qt::DotLine));
    diagonal->append({{plot.range.left, plot.range.left}, {plot.range.right, plot.range.right}});
    Attach(*chart, diagonal, x_axis, y_axis);
  }

  for (std::size_t i = 0; i < plot.lines.size(); ++i) {
    // A method drawing solid lines would look like the curve: its
    // construction lines are dashed all the same.
    QPen pen = MethodPen(method, colour, 1.5);
    if (pen.style() == Qt::SolidLine) pen.setStyle(Qt::DashLine);
    auto* line = NewLine(MethodShortName(method), pen);
    line->append({ToQt(plot.lines[i].from), ToQt(plot.lines[i].to)});
    line->setProperty(kConstructionPassProperty, plot.lines[i].n);
    line->setProperty(kConstructionPartProperty, kLinePart);
    Attach(*chart, line, x_axis, y_axis);
    if (i > 0) HideFromLegend(*chart, line);
  }

  // Where the chord formula reflects its point: from the chord's own
  // crossing along the axis to the point the method really took.
  for (std::size_t i = 0; i < plot.reflections.size(); ++i) {
    auto* mirror = NewLine(QStringLiteral("Отражение точки хорды"), QPen(colour, 1.5, Qt::DotLine));
    mirror->append({{plot.reflections[i].crossing, 0}, {plot.reflections[i].landed, 0}});
    mirror->setProperty(kConstructionPassProperty, plot.reflections[i].n);
    mirror->setProperty(kConstructionPartProperty, kMirrorPart);
    Attach(*chart, mirror, x_axis, y_axis);
    if (i > 0) HideFromLegend(*chart, mirror);
  }
  // The bracket of each pass, shrinking downwards: bisection's interval, or
  // the combined method's two sides.
  for (std::size_t i = 0; i < plot.brackets.size(); ++i) {
    const app::BracketBar& bar = plot.brackets[i];
    auto* line = NewLine(QStringLiteral("Отрезок прохода"), QPen(colour, 3));
    line->append({{bar.left, bar.y}, {bar.right, bar.y}});
    line->setProperty(kConstructionPassProperty, bar.n);
    line->setProperty(kConstructionPartProperty, kLinePart);
    Attach(*chart, line, x_axis, y_axis);
    if (i > 0) HideFromLegend(*chart, line);
  }

  auto* iterates = NewMarkers(QStringLiteral("Приближения xₙ"), MethodMarker(method), 10, colour,
                              colour.darker(130));
  QVariantList passes;
  for (const app::NumberedIterate& iterate : plot.iterates) {
    iterates->append(iterate.x, iterate.y);
    passes << iterate.n;
  }
  // The pointer's tooltip names an iterate by its pass (ui/charts/explorer.h).
  iterates->setProperty(kPassNumbersProperty, passes);
  iterates->setObjectName(kIteratesName);
  Attach(*chart, iterates, x_axis, y_axis);
  new IterateNumbers(*chart, *iterates, plot.iterates, text);

  if (plot.root) {
    auto* root =
        NewMarkers(QStringLiteral("Корень"), QScatterSeries::MarkerShapeStar, 16, text, text);
    root->append(*plot.root, 0);
    Attach(*chart, root, x_axis, y_axis);
  }
  if (plot.last_point) {
    auto* last = NewMarkers(QStringLiteral("Последнее приближение (не корень)"),
                            QScatterSeries::MarkerShapeRotatedRectangle, 12, Qt::transparent, text);
    last->append(ToQt(*plot.last_point));
    Attach(*chart, last, x_axis, y_axis);
  }
  Paint(*chart, palette);
  return chart;
}

QChart* NewPreviewChart(const app::FunctionPlot& plot,
                        const std::vector<app::SignChange>& sign_changes, const QPalette& palette) {
  auto* chart = new QChart();
  const auto [x_axis, y_axis] = AddCurve(*chart, plot, 5, palette);
  const QColor colour = SignChangeColour(palette);
  auto* changes = NewMarkers(QStringLiteral("f меняет знак"), QScatterSeries::MarkerShapeCircle, 10,
                             colour, colour.darker(130));
  changes->setObjectName(QString::fromLatin1(kSignChangeMarks));
  for (const app::SignChange& change : sign_changes) changes->append(change.x, 0);
  Attach(*chart, changes, x_axis, y_axis);
  Paint(*chart, palette);
  return chart;
}

}  // namespace ui
