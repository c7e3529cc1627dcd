// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/convergence_charts.h"

#include <QAreaSeries>
#include <QBuffer>
#include <QCategoryAxis>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QValueAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <algorithm>

#include "app/function_plot.h"
#include "app/number_text.h"
#include "core/method_table.h"
#include "ui/charts/axes.h"
#include "ui/platform/file_chooser.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

bool IsDark(const QPalette& palette) {
  return palette.color(QPalette::Base).lightness() < 128;
}

QPointF ToQt(app::PlotPoint point) {
  return {point.x, point.y};
}

void HideFromLegend(QChart& chart, QAbstractSeries* series) {
  for (QLegendMarker* marker : chart.legend()->markers(series)) marker->setVisible(false);
  series->setProperty(kOutOfLegendProperty, true);
}

// Background, texts and grid from the palette; the series keep their colours.
void Paint(QChart& chart, const QPalette& palette) {
  chart.setBackgroundBrush(palette.color(QPalette::Base));
  chart.setBackgroundRoundness(0);
  chart.setTitleBrush(palette.color(QPalette::Text));
  // The legend goes under the plot as a strip that wraps (ui/chart_legend.h);
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

// The numbers of the iterates, just above their markers; placed again
// whenever the plot area moves.
void NumberIterates(QChart& chart, QScatterSeries& series,
                    const std::vector<app::NumberedIterate>& iterates, const QColor& colour) {
  std::vector<QGraphicsSimpleTextItem*> labels;
  for (const app::NumberedIterate& iterate : iterates) {
    auto* label = new QGraphicsSimpleTextItem(QString::number(iterate.n), &chart);
    label->setBrush(colour);
    label->setZValue(10);
    labels.push_back(label);
  }
  const auto place = [&chart, &series, labels, iterates] {
    const QRectF area = chart.plotArea();
    std::vector<QRectF> taken;
    for (std::size_t i = 0; i < labels.size(); ++i) {
      const QPointF at = chart.mapToPosition({iterates[i].x, 0}, &series);
      QRectF box = labels[i]->boundingRect();
      box.moveCenter({at.x(), at.y() - box.height()});
      // Where iterates crowd round the root, the earliest number stands for them.
      const bool crowded = std::any_of(taken.begin(), taken.end(), [&box](const QRectF& other) {
        return other.intersects(box);
      });
      labels[i]->setPos(box.topLeft());
      labels[i]->setVisible(area.contains(at) && !crowded);
      if (labels[i]->isVisible()) taken.push_back(box);
    }
  };
  QObject::connect(&chart, &QChart::plotAreaChanged, &chart, place);
  // Zooming and panning move the iterates without moving the plot area.
  for (QAbstractAxis* axis : series.attachedAxes()) {
    if (auto* value = qobject_cast<QValueAxis*>(axis))
      QObject::connect(value, &QValueAxis::rangeChanged, &chart, place);
  }
}

// The axes of a function plot (about `y_ticks` round ticks up the side), the
// x-axis line and the curve's band, one legend entry for them all.
std::pair<QCategoryAxis*, QCategoryAxis*> AddCurve(QChart& chart, const app::FunctionPlot& plot,
                                                   int y_ticks, const QPalette& palette) {
  auto* x_axis = NewRoundAxis(QStringLiteral("x"), plot.range.left, plot.range.right, 6);
  auto* y_axis = NewRoundAxis(QStringLiteral("f(x)"), plot.bottom, plot.top, y_ticks);
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
    curve->setName(QStringLiteral("f(x)"));
    curve->setPen(QPen(text, 2));
    curve->setBrush(swing);
    Attach(chart, curve, x_axis, y_axis);
    if (i > 0) HideFromLegend(chart, curve);
  }
  return {x_axis, y_axis};
}

}  // namespace

// The methods' short names: the legend of the convergence plot, where four
// must fit side by side, and the lines each method draws.
QString MethodShortName(std::uint8_t method) {
  switch (method) {
    case core::kBisection:
      return QStringLiteral("Половинное деление");
    case core::kChords:
      return QStringLiteral("Хорды");
    case core::kTangents:
      return QStringLiteral("Касательные");
    case core::kSecants:
      return QStringLiteral("Секущие");
    default:
      return QString();
  }
}

QColor MethodColour(std::uint8_t method, const QPalette& palette) {
  // Okabe and Ito's colours, which stay apart under deuteranopia and
  // protanopia: blue, vermilion, bluish green and reddish purple; on a dark
  // background sky blue, orange and the same green and purple, each at least
  // 3:1 against its background.
  static const QColor kOnLight[] = {QColor(0x00, 0x72, 0xb2), QColor(0xd5, 0x5e, 0x00),
                                    QColor(0x00, 0x9e, 0x73), QColor(0xcc, 0x79, 0xa7)};
  static const QColor kOnDark[] = {QColor(0x56, 0xb4, 0xe9), QColor(0xe6, 0x9f, 0x00),
                                   QColor(0x00, 0x9e, 0x73), QColor(0xcc, 0x79, 0xa7)};
  const std::size_t index = std::clamp<std::size_t>(method, 1, 4) - 1;
  return IsDark(palette) ? kOnDark[index] : kOnLight[index];
}

QScatterSeries::MarkerShape MethodMarker(std::uint8_t method) {
  static const QScatterSeries::MarkerShape kShapes[] = {
      QScatterSeries::MarkerShapeCircle, QScatterSeries::MarkerShapeRectangle,
      QScatterSeries::MarkerShapeTriangle, QScatterSeries::MarkerShapeRotatedRectangle};
  return kShapes[std::clamp<std::size_t>(method, 1, 4) - 1];
}

Qt::PenStyle MethodDash(std::uint8_t method) {
  static const Qt::PenStyle kDashes[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};
  return kDashes[std::clamp<std::size_t>(method, 1, 4) - 1];
}

QChart* NewFunctionChart(const app::FunctionPlot& plot, std::uint8_t method,
                         const QPalette& palette) {
  auto* chart = new QChart();
  chart->setTitle(QStringLiteral("Функция и построения метода"));
  const auto [x_axis, y_axis] = AddCurve(*chart, plot, 8, palette);
  const QColor text = palette.color(QPalette::Text);
  const QColor colour = MethodColour(method, palette);

  for (std::size_t i = 0; i < plot.lines.size(); ++i) {
    // A method drawing solid lines would look like the curve: its
    // construction lines are dashed all the same.
    const Qt::PenStyle dash =
        MethodDash(method) == Qt::SolidLine ? Qt::DashLine : MethodDash(method);
    auto* line = NewLine(MethodShortName(method), QPen(colour, 1.5, dash));
    line->append({ToQt(plot.lines[i].first), ToQt(plot.lines[i].second)});
    Attach(*chart, line, x_axis, y_axis);
    if (i > 0) HideFromLegend(*chart, line);
  }

  // Where the chord formula reflects its point: from the chord's own
  // crossing along the axis to the point the method really took.
  for (std::size_t i = 0; i < plot.reflections.size(); ++i) {
    auto* mirror = NewLine(QStringLiteral("Отражение точки хорды"), QPen(colour, 1.5, Qt::DotLine));
    mirror->append({{plot.reflections[i].crossing, 0}, {plot.reflections[i].landed, 0}});
    Attach(*chart, mirror, x_axis, y_axis);
    if (i > 0) HideFromLegend(*chart, mirror);
  }
  // Bisection's interval of each pass, shrinking downwards.
  for (std::size_t i = 0; i < plot.brackets.size(); ++i) {
    const app::BracketBar& bar = plot.brackets[i];
    auto* line = NewLine(QStringLiteral("Отрезок прохода"), QPen(colour, 3));
    line->append({{bar.left, bar.y}, {bar.right, bar.y}});
    Attach(*chart, line, x_axis, y_axis);
    if (i > 0) HideFromLegend(*chart, line);
  }

  auto* iterates = NewMarkers(QStringLiteral("Приближения xₙ"), MethodMarker(method), 10, colour,
                              colour.darker(130));
  QVariantList passes;
  for (const app::NumberedIterate& iterate : plot.iterates) {
    iterates->append(iterate.x, 0);
    passes << iterate.n;
  }
  // The pointer's tooltip names an iterate by its pass (ui/chart_explorer.h).
  iterates->setProperty(kPassNumbersProperty, passes);
  Attach(*chart, iterates, x_axis, y_axis);
  NumberIterates(*chart, *iterates, plot.iterates, text);

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

QChart* NewPreviewChart(const app::FunctionPlot& plot, const std::vector<double>& sign_changes,
                        const QPalette& palette) {
  auto* chart = new QChart();
  const auto [x_axis, y_axis] = AddCurve(*chart, plot, 5, palette);
  const QColor colour = MethodColour(core::kChords, palette);
  auto* changes = NewMarkers(QStringLiteral("f меняет знак"), QScatterSeries::MarkerShapeCircle, 10,
                             colour, colour.darker(130));
  for (const double x : sign_changes) changes->append(x, 0);
  Attach(*chart, changes, x_axis, y_axis);
  Paint(*chart, palette);
  return chart;
}

QChart* NewConvergenceChart(const std::array<app::StepSeries, 4>& series,
                            const app::ConvergenceExtent& extent, const QPalette& palette,
                            const std::array<app::Outcome, 4>& outcomes) {
  auto* chart = new QChart();
  const bool any_errors = std::any_of(series.begin(), series.end(),
                                      [](const app::StepSeries& method) { return method.errors; });
  const bool all_errors = std::all_of(series.begin(), series.end(),
                                      [](const app::StepSeries& method) { return method.errors; });
  const QString quantity = all_errors ? QStringLiteral("погрешность |xₙ − x*|")
                           : any_errors ? QStringLiteral("погрешность |xₙ − x*| или шаг")
                                        : QStringLiteral("шаг |xₙ − xₙ₋₁|");
  chart->setTitle(QStringLiteral("Сходимость: ") + quantity + QStringLiteral(" по проходам"));
  const app::StepRange range = app::StepRangeOf(series);
  const double bottom = range.bottom;

  auto* x_axis = NewRoundAxis(QStringLiteral("проход n"), 0, extent.shown, 5);
  auto* y_axis = new QLogValueAxis();
  y_axis->setTitleText(quantity);
  y_axis->setBase(10);
  y_axis->setLabelFormat(QStringLiteral("%.0e"));
  y_axis->setRange(bottom, range.top);
  chart->addAxis(x_axis, Qt::AlignBottom);
  chart->addAxis(y_axis, Qt::AlignLeft);

  for (std::size_t i = 0; i < series.size(); ++i) {
    const core::MethodEntry& entry = core::kMethods[i];
    const QColor colour = MethodColour(entry.number, palette);
    const QString name = MethodShortName(entry.number) + QStringLiteral(" — ") +
                         FromUtf8(app::OutcomeWord(outcomes[i])) +
                         (series[i].errors ? QString() : QStringLiteral(", шаги"));
    auto* steps = NewLine(name, QPen(colour, 2, MethodDash(entry.number)));
    auto* points = NewMarkers(name, MethodMarker(entry.number), 9, colour, colour.darker(130));
    for (const app::PlotPoint& step : series[i].steps) {
      steps->append(ToQt(step));
      points->append(ToQt(step));
    }
    Attach(*chart, steps, x_axis, y_axis);
    Attach(*chart, points, x_axis, y_axis);
    if (series[i].zero_steps.empty()) continue;
    auto* zeros =
        NewMarkers(QString(), QScatterSeries::MarkerShapeRectangle, 8, Qt::transparent, colour);
    for (const std::int32_t n : series[i].zero_steps)
      if (n <= extent.shown) zeros->append(n, bottom);
    Attach(*chart, zeros, x_axis, y_axis);
    HideFromLegend(*chart, zeros);
  }
  Paint(*chart, palette);
  return chart;
}

}  // namespace ui
