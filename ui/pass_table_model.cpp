// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pass_table_model.h"

namespace ui {

PassTableModel::PassTableModel(std::shared_ptr<const app::RunRecord> run, int method_index,
                               QObject* parent)
    : QAbstractTableModel(parent),
      run_(std::move(run)),
      table_(run_->methods.at(static_cast<std::size_t>(method_index))) {}

int PassTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.RowCount();
}

int PassTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.ColumnCount();
}

QVariant PassTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return QVariant();
  if (role == Qt::DisplayRole)
    return QString::fromStdString(table_.Cell(index.row(), index.column()));
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  return QVariant();
}

QVariant PassTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return QVariant();
  return QString::fromStdString(table_.Header(section));
}

}  // namespace ui
