// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/comparison_widgets.h"

#include <QCoreApplication>
#include <QProgressBar>

#include "ui/widgets/results_grid.h"
#include "ui/widgets/status_panel.h"

namespace ui {

void ComparisonWidgets::UseWidgets(ResultsGrid* grid, StatusPanel* status, QProgressBar* progress) {
  grid_ = grid;
  status_ = status;
  progress_ = progress;
}

void ComparisonWidgets::ProcessMessages() {
  QCoreApplication::processEvents();
}

int ComparisonWidgets::ColumnCount() const {
  return grid_->columnCount();
}

int ComparisonWidgets::RowCount() const {
  return grid_->rowCount();
}

std::string ComparisonWidgets::Cell(int column, int row) const {
  return grid_->CellText(column, row).toStdString();
}

void ComparisonWidgets::SetCell(int column, int row, const std::string& text) {
  grid_->SetCellText(column, row, QString::fromStdString(text));
}

void ComparisonWidgets::SetStatusText(const std::string& text) {
  status_->ShowText(QString::fromStdString(text));
}

void ComparisonWidgets::SetProgressVisible(bool visible) {
  progress_->setVisible(visible);
}

int ComparisonWidgets::ProgressPosition() const {
  return progress_->value();
}

void ComparisonWidgets::SetProgressPosition(int position) {
  progress_->setValue(position);
}

}  // namespace ui
