// SPDX-License-Identifier: GPL-3.0-or-later
// The table of passes as a model for a QTableView. The cells are written on
// demand from the history, so a history at the cap (5,001 passes) costs only
// the rows on the screen. A cell shows a short form of its number that fits
// the column; its tooltip, the copies and the files hold the whole number.
#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <memory>
#include <optional>

#include "app/comparison_run.h"
#include "app/method_analysis.h"
#include "app/pass_table.h"

namespace ui {

class PassTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // Holds the run and its analyses, so that both outlive any later run.
  PassTableModel(std::shared_ptr<const app::RunRecord> run,
                 std::shared_ptr<const app::RunAnalyses> analyses, std::uint8_t method,
                 QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  const app::PassTable& Table() const { return table_; }

  // The row of the replay's pass, drawn on a tinted ground; none
  // when empty.
  void SetCurrentRow(std::optional<int> row);
  std::optional<int> CurrentRow() const { return current_; }

 private:
  std::shared_ptr<const app::RunRecord> run_;
  std::shared_ptr<const app::RunAnalyses> analyses_;
  app::PassTable table_;
  std::optional<int> current_;
};

}  // namespace ui
