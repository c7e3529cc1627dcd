// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/detail/pass_table_model.h"

#include <QGuiApplication>
#include <QPalette>

#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

// What each column holds, for the header's tooltip.
QString ColumnHelp(app::PassColumn column) {
  switch (column) {
    case app::PassColumn::kTested:
      return QStringLiteral(
          "Величина, которую проверка остановки сравнивает с точностью: "
          "метод останавливается, как только она не больше точности");
    case app::PassColumn::kError:
      return QStringLiteral(
          "Погрешность: расстояние до корня x*, уточнённого в расширенной точности");
    case app::PassColumn::kDigits:
      return QStringLiteral("Верные значащие цифры xₙ");
    case app::PassColumn::kQ:
      return QStringLiteral(
          "Порядок сходимости на этом проходе: ln(eₙ/eₙ₋₁) / ln(eₙ₋₁/eₙ₋₂); "
          "только где три значения подряд строго убывают");
    case app::PassColumn::kStep:
      return QStringLiteral("Шаг: насколько xₙ отошло от предыдущего приближения");
    default:
      return QString();
  }
}

}  // namespace

PassTableModel::PassTableModel(std::shared_ptr<const app::RunRecord> run,
                               std::shared_ptr<const app::RunAnalyses> analyses,
                               std::uint8_t method, QObject* parent)
    : QAbstractTableModel(parent),
      run_(std::move(run)),
      analyses_(std::move(analyses)),
      table_(run_->History(method), &core::ForMethod(*analyses_, method).measures) {}

int PassTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.RowCount();
}

int PassTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.ColumnCount();
}

QVariant PassTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return QVariant();
  if (role == Qt::DisplayRole) return FromUtf8(table_.ShortCell(index.row(), index.column()));
  if (role == Qt::ToolTipRole) return FromUtf8(table_.Cell(index.row(), index.column()));
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  if (current_ && index.row() == *current_) {
    if (role == Qt::BackgroundRole) {
      QColor tint = QGuiApplication::palette().color(QPalette::Highlight);
      tint.setAlpha(70);
      return tint;
    }
  }
  return QVariant();
}

void PassTableModel::SetCurrentRow(std::optional<int> row) {
  if (row && (*row < 0 || *row >= rowCount())) row.reset();
  const std::optional<int> before = current_;
  current_ = row;
  for (const std::optional<int> changed : {before, current_}) {
    if (changed) emit dataChanged(index(*changed, 0), index(*changed, columnCount() - 1));
  }
}

QVariant PassTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return QVariant();
  if (role == Qt::DisplayRole) return FromUtf8(table_.ScreenHeader(section));
  if (role == Qt::ToolTipRole) {
    const QString help = ColumnHelp(table_.Column(section));
    return help.isEmpty() ? QVariant() : QVariant(help);
  }
  return QVariant();
}

}  // namespace ui
