// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/detail/efficiency_tab.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/equal_accuracy.h"
#include "app/method_efficiency.h"
#include "app/number_text.h"
#include "ui/charts/method_look.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

QString Count(std::int64_t asked, std::int64_t computed) {
  return QStringLiteral("%1 / %2").arg(asked).arg(computed);
}

QString Optional(const std::optional<double>& value, int digits) {
  return value ? FromUtf8(app::FormatReal(*value, digits)) : QStringLiteral("—");
}

QTableWidget* NewTable(const std::vector<app::EfficiencyRow>& rows) {
  const QStringList headers = {QStringLiteral("Метод"),
                               QStringLiteral("Итог"),
                               QStringLiteral("Про-\nходов"),
                               QStringLiteral("f: всего /\nзаново"),
                               QStringLiteral("f′: всего /\nзаново"),
                               QStringLiteral("Верных\nцифр"),
                               QStringLiteral("Цифр на\nвычисление"),
                               QStringLiteral("Индекс эф-\nфективности")};
  auto* table = new QTableWidget(static_cast<int>(rows.size()), static_cast<int>(headers.size()));
  table->setHorizontalHeaderLabels(headers);
  table->setAccessibleName(QStringLiteral("Сравнение методов по работе"));
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setWordWrap(false);
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    const app::EfficiencyRow& method = rows[static_cast<std::size_t>(row)];
    const QStringList cells = {
        MethodShortName(method.method),
        FromUtf8(app::OutcomeWord(method.outcome)),
        method.ran ? QString::number(method.passes) : QStringLiteral("—"),
        Count(method.counts.f_asked, method.counts.f_computed),
        Count(method.counts.df_asked, method.counts.df_computed),
        method.digits ? QString::number(*method.digits) : QStringLiteral("—"),
        Optional(method.digits_per_evaluation, 3),
        Optional(method.efficiency_index, 4)};
    for (int column = 0; column < cells.size(); ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      if (column >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table->setItem(row, column, item);
    }
  }
  table->resizeColumnsToContents();
  return table;
}

QLabel* NewText(const QString& text, const QString& name) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setAccessibleName(name);
  return label;
}

}  // namespace

QWidget* NewEfficiencyTab(const app::RunRecord& run, const app::RunAnalyses& analyses,
                          QWidget* diagram) {
  const std::vector<app::EfficiencyRow> rows = app::CompareEfficiency(run, analyses);
  auto* page = new QWidget();
  auto* column = new QVBoxLayout(page);
  column->addWidget(NewTable(rows));
  column->addWidget(diagram, 1);
  column->addWidget(
      NewText(FromUtf8(app::FastestByPassesText(run)) + QLatin1Char('\n') +
                  FromUtf8(app::EqualAccuracyText(app::CompareAtEqualAccuracy(run, analyses))),
              QStringLiteral("Итог сравнения")));
  column->addWidget(NewText(FromUtf8(app::EfficiencyNote(run.method_set)),
                            QStringLiteral("Пояснение к сравнению")));
  return page;
}

}  // namespace ui
