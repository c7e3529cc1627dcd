// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/results_grid.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

#include "ui/widgets/design_look.h"

namespace ui {

namespace {

// Draws a cell as the results table shows it: its own background, bold text
// on one line from (2, 2), clipped to the cell, and a dotted focus frame
// around the current cell while the table has the focus. The colours are the
// table's palette: normal cells on Base, fixed cells on Button, their text
// Text; selected normal cells take the selection colours.
class CellPainter : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool fixed = ResultsGrid::IsFixedCell(index.column(), index.row());
    const bool selected = !fixed && option.state.testFlag(QStyle::State_Selected);
    painter->save();
    painter->setClipRect(option.rect);
    painter->fillRect(option.rect, Background(fixed, selected, option.palette));
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(DesignFont(11, true));
    const int offset = ResultsGrid::kTextOffset;
    painter->drawText(option.rect.adjusted(offset, offset, 0, 0),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    if (option.state.testFlag(QStyle::State_HasFocus)) {
      // Inside the cell, clear of the grid line along its right and bottom.
      painter->setPen(QPen(painter->pen().color(), 1, Qt::DotLine));
      const int line = ResultsGrid::kGridLineWidth;
      painter->drawRect(option.rect.adjusted(0, 0, -1 - line, -1 - line));
    }
    painter->restore();
  }

 private:
  static QColor Background(bool fixed, bool selected, const QPalette& palette) {
    if (fixed) return palette.color(QPalette::Button);
    return palette.color(selected ? QPalette::Highlight : QPalette::Base);
  }
};

QTableWidgetItem* NewCell(bool fixed) {
  auto* cell = new QTableWidgetItem();
  // A fixed cell is not enabled, so neither the mouse nor the keyboard cursor
  // ever lands on it and a dragged rectangle never selects it.
  cell->setFlags(fixed ? Qt::NoItemFlags : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return cell;
}

void FixSections(QHeaderView& header, int size) {
  header.hide();
  header.setMinimumSectionSize(0);
  header.setDefaultSectionSize(size);
  header.setSectionResizeMode(QHeaderView::Fixed);
  header.setSectionsMovable(false);
}

}  // namespace

ResultsGrid::ResultsGrid(int columns, int rows, QWidget* parent)
    : QTableWidget(rows, columns, parent) {
  // The view draws a grid line along the right and bottom edge inside each
  // section, so a section is one line wider than the cell.
  FixSections(*horizontalHeader(), kCellWidth + kGridLineWidth);
  FixSections(*verticalHeader(), kCellHeight + kGridLineWidth);
  setCornerButtonEnabled(false);
  setShowGrid(true);
  setWordWrap(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setTabKeyNavigation(false);
  setDragEnabled(false);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setItemDelegate(new CellPainter(this));

  SetColours(*this, {{QPalette::Base, SystemColour(k3DLight)},
                     {QPalette::Button, SystemColour(kScrollBar)},
                     {QPalette::Text, Navy()},
                     {QPalette::ButtonText, Navy()}});
  setAccessibleName(QStringLiteral("Результаты"));

  // The hidden header views hold the header texts for screen readers;
  // without items of their own they would report the numbers 1, 2, 3.
  for (int column = 0; column < columns; ++column)
    setHorizontalHeaderItem(column, new QTableWidgetItem());
  FillRows(0);
}

void ResultsGrid::FillRows(int first) {
  for (int row = first; row < rowCount(); ++row) {
    for (int column = 0; column < columnCount(); ++column)
      setItem(row, column, NewCell(IsFixedCell(column, row)));
    setVerticalHeaderItem(row, new QTableWidgetItem());
  }
}

void ResultsGrid::SetRows(int rows) {
  const int before = rowCount();
  if (rows == before) return;
  setRowCount(rows);
  FillRows(before);
}

QString ResultsGrid::CellText(int column, int row) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell != nullptr ? cell->text() : QString();
}

void ResultsGrid::SetCellText(int column, int row, const QString& text) {
  QTableWidgetItem* cell = item(row, column);
  if (cell == nullptr) return;
  cell->setText(text);
  // The cells keep their design width and clip what is longer: the pointer
  // shows the whole text.
  const bool fits =
      QFontMetrics(DesignFont(11, true)).horizontalAdvance(text) <= kCellWidth - kTextOffset;
  cell->setToolTip(fits ? QString() : text);
  if (row == 0) horizontalHeaderItem(column)->setText(text);
  if (column == 0) verticalHeaderItem(row)->setText(text);
}

void ResultsGrid::focusInEvent(QFocusEvent* event) {
  // A click makes the clicked cell current by itself.
  if (!currentIndex().isValid() && event->reason() != Qt::MouseFocusReason && rowCount() > 1 &&
      columnCount() > 1) {
    setCurrentCell(1, 1);
  }
  QTableWidget::focusInEvent(event);
}

}  // namespace ui
