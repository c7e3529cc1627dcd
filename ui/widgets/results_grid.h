// SPDX-License-Identifier: GPL-3.0-or-later
// The results table: a grid of text cells whose row 0 and column 0 are fixed
// header cells. Fixed cells are drawn in their own colour, can be neither
// selected nor entered; the user selects one normal cell or a rectangle of
// them. Cells are addressed as (column, row), both from 0, and never edited
// by the user, resized or moved; a text longer than its cell is clipped, and
// the cell's tool tip shows it whole.
//
// For screen readers the table is named "Результаты", and the texts of the
// header row and column are also its column and row headers; when the table
// takes the keyboard focus without a current cell, the first normal cell
// becomes current and selected, so the arrow keys have a place to start.
#pragma once

#include <QString>
#include <QTableWidget>

namespace ui {

class ResultsGrid : public QTableWidget {
  Q_OBJECT

 public:
  // Inner size of every cell; a grid line of kGridLineWidth follows each one.
  static constexpr int kCellWidth = 175;
  static constexpr int kCellHeight = 24;
  static constexpr int kGridLineWidth = 1;
  // Where a cell's text starts, from the cell's top-left corner.
  static constexpr int kTextOffset = 2;

  ResultsGrid(int columns, int rows, QWidget* parent = nullptr);

  // Grows or shrinks the grid to `rows` rows, header row included; new rows
  // get cells as the first ones have, emptied.
  void SetRows(int rows);

  QString CellText(int column, int row) const;
  void SetCellText(int column, int row, const QString& text);

  static bool IsFixedCell(int column, int row) { return column == 0 || row == 0; }

 protected:
  void focusInEvent(QFocusEvent* event) override;

 private:
  // Cells and header items for the rows from `first` on.
  void FillRows(int first);
};

}  // namespace ui
