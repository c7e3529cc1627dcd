#include "ui/results_grid.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

#include "ui/system_colours.h"

namespace ui {

namespace {

// Draws a cell as the results table shows it: its own background, navy bold
// text on one line from (2, 2), clipped to the cell. Selected normal cells
// take the selection colours so that the selection stays readable.
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
    painter->setPen(selected ? option.palette.color(QPalette::HighlightedText) : Navy());
    painter->setFont(DesignFont(11, true));
    const int offset = ResultsGrid::kTextOffset;
    painter->drawText(option.rect.adjusted(offset, offset, 0, 0),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
  }

 private:
  static QColor Background(bool fixed, bool selected, const QPalette& palette) {
    if (fixed) return SystemColour(kScrollBar);
    if (selected) return palette.color(QPalette::Highlight);
    return SystemColour(k3DLight);
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

  QPalette colours = palette();
  colours.setColor(QPalette::Base, SystemColour(k3DLight));
  setPalette(colours);

  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column)
      setItem(row, column, NewCell(IsFixedCell(column, row)));
}

QString ResultsGrid::CellText(int column, int row) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell != nullptr ? cell->text() : QString();
}

void ResultsGrid::SetCellText(int column, int row, const QString& text) {
  QTableWidgetItem* cell = item(row, column);
  if (cell != nullptr) cell->setText(text);
}

}  // namespace ui
