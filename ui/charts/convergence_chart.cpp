// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/convergence_chart.h"

#include <QCategoryAxis>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QtCharts/QChart>
#include <algorithm>

#include "app/run_verdict.h"
#include "ui/charts/axes.h"
#include "ui/charts/method_look.h"
#include "ui/charts/series.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

QChart* NewConvergenceChart(const core::PerMethod<app::StepSeries>& series,
                            const app::ConvergenceExtent& extent, const QPalette& palette,
                            const app::RunAnalyses& analyses, const core::MethodSet& methods) {
  auto* chart = new QChart();
  const auto shows_errors = [&series](core::Method method) {
    return core::ForMethod(series, method).errors;
  };
  const bool any_errors = std::any_of(methods.begin(), methods.end(), shows_errors);
  const bool all_errors = std::all_of(methods.begin(), methods.end(), shows_errors);
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

  for (const core::Method method : methods) {
    const app::StepSeries& method_series = core::ForMethod(series, method);
    const app::Outcome outcome = core::ForMethod(analyses, method).verdict.outcome;
    const QColor colour = MethodColour(method, palette);
    const QString name = MethodShortName(method) + QStringLiteral(" — ") +
                         FromUtf8(app::OutcomeWord(outcome)) +
                         (method_series.errors ? QString() : QStringLiteral(", шаги"));
    auto* steps = NewLine(name, MethodPen(method, colour, 2));
    auto* points = NewMarkers(name, MethodMarker(method), 9, colour, colour.darker(130));
    for (const app::PlotPoint& step : method_series.steps) {
      steps->append(ToQt(step));
      points->append(ToQt(step));
    }
    Attach(*chart, steps, x_axis, y_axis);
    Attach(*chart, points, x_axis, y_axis);
    if (method_series.zero_steps.empty()) continue;
    auto* zeros =
        NewMarkers(QString(), QScatterSeries::MarkerShapeRectangle, 8, Qt::transparent, colour);
    for (const std::int32_t n : method_series.zero_steps)
      if (n <= extent.shown) zeros->append(n, bottom);
    Attach(*chart, zeros, x_axis, y_axis);
    HideFromLegend(*chart, zeros);
  }
  Paint(*chart, palette);
  return chart;
}

}  // namespace ui
