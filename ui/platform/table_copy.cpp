// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/table_copy.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QGuiApplication>
#include <string>
#include <vector>

#include "app/pass_table.h"

namespace ui {

std::optional<QRect> SelectedCells(const QAbstractItemView& view) {
  const QModelIndexList selected = view.selectionModel() != nullptr
                                       ? view.selectionModel()->selectedIndexes()
                                       : QModelIndexList();
  if (selected.isEmpty()) return std::nullopt;
  QRect cells(selected.front().column(), selected.front().row(), 1, 1);
  for (const QModelIndex& index : selected) cells |= QRect(index.column(), index.row(), 1, 1);
  return cells;
}

QString SelectedCellsText(const QAbstractItemView& view) {
  const std::optional<QRect> cells = SelectedCells(view);
  if (!cells) return QString();
  std::vector<std::vector<std::string>> lines;
  for (int row = cells->top(); row <= cells->bottom(); ++row) {
    std::vector<std::string>& line = lines.emplace_back();
    for (int column = cells->left(); column <= cells->right(); ++column)
      line.push_back(view.model()->index(row, column).data().toString().toStdString());
  }
  return QString::fromStdString(app::TabSeparatedText(lines));
}

void CopyText(const QString& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(text);
  if (clipboard->supportsSelection()) clipboard->setText(text, QClipboard::Selection);
}

}  // namespace ui
