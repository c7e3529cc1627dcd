// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/description.h"

#include <QAbstractAxis>
#include <QAreaSeries>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QtCharts/QChart>
#include <cmath>

#include <map>
#include "ui/charts/series.h"

#include "app/number_text.h"

namespace ui {

namespace {

QString Number(double value) {
  return QString::fromStdString(app::FormatReal(value));
}

// The series that the legend names, one per name: a line and a scatter
// series of the same name draw the same points.
struct Named {
  QString name;
  const QXYSeries* points;
  bool scatter;
};

QList<Named> NamedSeries(const QChart& chart) {
  QList<Named> named;
  QStringList names;
  for (QLegendMarker* marker : chart.legend()->markers()) {
    const QAbstractSeries& series = *marker->series();
    const QXYSeries* points = PointsOf(series);
    if (points == nullptr || series.property(kOutOfLegendProperty).toBool() ||
        series.name().isEmpty() || names.contains(series.name()))
      continue;
    names << series.name();
    named << Named{series.name(), points, qobject_cast<const QScatterSeries*>(&series) != nullptr};
  }
  return named;
}

QAbstractAxis* AxisOf(const QChart& chart, Qt::Orientation orientation) {
  const QList<QAbstractAxis*> axes = chart.axes(orientation);
  return axes.isEmpty() ? nullptr : axes.front();
}

// An axis end as a listener needs it: four significant digits.
QString Rounded(double value) {
  return QString::number(value, 'g', 4)
      .replace(QLatin1Char('.'), QString::fromStdString(app::DecimalSeparator()));
}

QString RangeText(const QAbstractAxis* axis) {
  if (const auto* value = qobject_cast<const QValueAxis*>(axis))
    return QStringLiteral("от %1 до %2").arg(Rounded(value->min()), Rounded(value->max()));
  if (const auto* log = qobject_cast<const QLogValueAxis*>(axis)) {
    return QStringLiteral("от %1 до %2, логарифмическая шкала")
        .arg(Rounded(log->min()), Rounded(log->max()));
  }
  return QString();
}

QString SeriesText(const Named& series) {
  const qsizetype count = series.points->count();
  if (series.scatter && count == 1) {
    return QStringLiteral("%1: x = %2, y = %3")
        .arg(series.name, Number(series.points->at(0).x()), Number(series.points->at(0).y()));
  }
  return QStringLiteral("%1: точек %2").arg(series.name).arg(count);
}

bool AllWhole(const QList<Named>& series) {
  for (const Named& one : series)
    for (const QPointF& point : one.points->points())
      if (point.x() != std::floor(point.x())) return false;
  return !series.isEmpty();
}

}  // namespace

const QXYSeries* PointsOf(const QAbstractSeries& series) {
  if (const auto* area = qobject_cast<const QAreaSeries*>(&series)) return area->upperSeries();
  return qobject_cast<const QXYSeries*>(&series);
}

QString DescribeChart(const QChart& chart) {
  QStringList parts{chart.title()};
  for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
    if (const QAbstractAxis* axis = AxisOf(chart, orientation))
      parts << QStringLiteral("Ось «%1» %2").arg(axis->titleText(), RangeText(axis));
  }
  for (const Named& series : NamedSeries(chart)) parts << SeriesText(series);
  parts << QStringLiteral("Данные — кнопкой «Данные графика…»");
  return parts.join(QStringLiteral(". ")) + QLatin1Char('.');
}

QAbstractItemModel* NewChartDataModel(const QChart& chart, QObject* parent) {
  const QList<Named> series = NamedSeries(chart);
  const QAbstractAxis* x_axis = AxisOf(chart, Qt::Horizontal);
  const QAbstractAxis* y_axis = AxisOf(chart, Qt::Vertical);
  const QString x_title = x_axis != nullptr ? x_axis->titleText() : QStringLiteral("x");
  const QString y_title = y_axis != nullptr ? y_axis->titleText() : QStringLiteral("y");
  auto* model = new QStandardItemModel(parent);
  if (AllWhole(series)) {
    std::map<double, QList<QString>> rows;
    for (qsizetype column = 0; column < series.size(); ++column) {
      for (const QPointF& point : series[column].points->points()) {
        QList<QString>& row = rows[point.x()];
        row.resize(series.size());
        row[column] = Number(point.y());
      }
    }
    QStringList headers{x_title};
    for (const Named& one : series) headers << one.name;
    model->setHorizontalHeaderLabels(headers);
    for (const auto& [x, cells] : rows) {
      QList<QStandardItem*> items{new QStandardItem(QString::number(static_cast<qint64>(x)))};
      for (const QString& cell : cells) items << new QStandardItem(cell);
      model->appendRow(items);
    }
    return model;
  }
  model->setHorizontalHeaderLabels({QStringLiteral("Ряд"), x_title, y_title});
  for (const Named& one : series) {
    for (const QPointF& point : one.points->points()) {
      model->appendRow({new QStandardItem(one.name), new QStandardItem(Number(point.x())),
                        new QStandardItem(Number(point.y()))});
    }
  }
  return model;
}

QWidget* ShowChartData(QWidget* parent, const QChart& chart, const QString& title,
                       QAbstractItemModel* more, const QString& more_caption) {
  auto* dialog = new QDialog(parent);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowTitle(title);
  const auto new_table = [dialog](QAbstractItemModel* model, const QString& name) {
    auto* table = new QTableView(dialog);
    model->setParent(table);
    table->setModel(model);
    table->setAccessibleName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->resizeColumnsToContents();
    return table;
  };
  QTableView* table = new_table(NewChartDataModel(chart, nullptr), title);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
  auto* column = new QVBoxLayout(dialog);
  column->addWidget(table, 1);
  if (more != nullptr) {
    auto* caption = new QLabel(more_caption, dialog);
    caption->setWordWrap(true);
    caption->setTextFormat(Qt::PlainText);
    caption->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    caption->setAccessibleDescription(more_caption);
    column->addWidget(caption);
    column->addWidget(new_table(more, more_caption), 1);
  }
  column->addWidget(buttons);
  const QFontMetrics metrics = dialog->fontMetrics();
  dialog->resize(40 * metrics.averageCharWidth() + table->horizontalHeader()->length(),
                 24 * metrics.height());
  dialog->show();
  table->setFocus();
  return dialog;
}

}  // namespace ui
