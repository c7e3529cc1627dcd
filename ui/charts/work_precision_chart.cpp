// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/work_precision_chart.h"

#include <QCategoryAxis>
#include <QLineSeries>
#include <QScatterSeries>
#include <QtCharts/QChart>
#include <algorithm>

#include "app/run_verdict.h"
#include "ui/charts/axes.h"
#include "ui/charts/method_look.h"
#include "ui/charts/series.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

QChart* NewWorkPrecisionChart(const core::PerMethod<std::vector<app::PlotPoint>>& series,
                              const QPalette& palette, const app::RunAnalyses& analyses,
                              const core::MethodSet& methods) {
  auto* chart = new QChart();
  chart->setTitle(QStringLiteral("Работа и точность: верные цифры по вычислениям f и f′"));
  double most_work = 1;
  double most_digits = 1;
  for (const core::Method method : methods) {
    for (const app::PlotPoint& point : core::ForMethod(series, method)) {
      most_work = std::max(most_work, point.x);
      most_digits = std::max(most_digits, point.y);
    }
  }
  auto* x_axis = NewRoundAxis(QStringLiteral("вычислений f и f′ заново"), 0, most_work, 5);
  auto* y_axis = NewRoundAxis(QStringLiteral("верных цифр"), 0, most_digits + 1, 5);
  chart->addAxis(x_axis, Qt::AlignBottom);
  chart->addAxis(y_axis, Qt::AlignLeft);
  for (const core::Method method : methods) {
    const std::vector<app::PlotPoint>& points = core::ForMethod(series, method);
    const app::Outcome outcome = core::ForMethod(analyses, method).verdict.outcome;
    const QColor colour = MethodColour(method, palette);
    const QString name = MethodShortName(method) + QStringLiteral(" — ") +
                         FromUtf8(app::OutcomeWord(outcome)) +
                         (points.empty() ? QStringLiteral(", погрешность не измерена") : QString());
    auto* line = NewLine(name, MethodPen(method, colour, 2));
    auto* markers = NewMarkers(name, MethodMarker(method), 9, colour, colour.darker(130));
    for (const app::PlotPoint& point : points) {
      line->append(ToQt(point));
      markers->append(ToQt(point));
    }
    Attach(*chart, line, x_axis, y_axis);
    Attach(*chart, markers, x_axis, y_axis);
  }
  Paint(*chart, palette);
  return chart;
}

}  // namespace ui
