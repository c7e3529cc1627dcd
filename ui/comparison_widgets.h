// SPDX-License-Identifier: GPL-3.0-or-later
// The results table, the status line and the progress bar of a window as the
// comparison run (app/comparison_run.h) sees them. The main window and the
// typed-equation window both derive from it and hand it their widgets; each
// adds only its own inputs: the equation, the input boxes, the methods.
#pragma once

#include <string>

#include "app/comparison_run.h"

class QProgressBar;

namespace ui {

class ResultsGrid;
class StatusPanel;

class ComparisonWidgets : public app::ComparisonWindow {
 public:
  // Dispatches the pending events of the whole program and returns.
  void ProcessMessages() override;
  int ColumnCount() const override;
  int RowCount() const override;
  std::string Cell(int column, int row) const override;
  void SetCell(int column, int row, const std::string& text) override;
  void SetStatusText(const std::string& text) override;
  void SetProgressVisible(bool visible) override;
  int ProgressPosition() const override;
  void SetProgressPosition(int position) override;

 protected:
  // Called once by the window's constructor, before any run; the window
  // owns the widgets.
  void UseWidgets(ResultsGrid* grid, StatusPanel* status, QProgressBar* progress);

 private:
  ResultsGrid* grid_ = nullptr;
  StatusPanel* status_ = nullptr;
  QProgressBar* progress_ = nullptr;
};

}  // namespace ui
