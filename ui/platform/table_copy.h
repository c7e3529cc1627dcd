// SPDX-License-Identifier: GPL-3.0-or-later
// Copying the selected cells of a table view as tab-separated text, the way
// spreadsheets paste it: the bounding rectangle of the selection, row by row.
#pragma once

#include <QRect>
#include <QString>
#include <optional>

class QAbstractItemView;

namespace ui {

// The selection's bounding rectangle in (column, row) cells; empty when
// nothing is selected.
std::optional<QRect> SelectedCells(const QAbstractItemView& view);

// The display texts of those cells; empty when nothing is selected.
QString SelectedCellsText(const QAbstractItemView& view);

// Puts the text on the clipboard (and the X11 selection where there is one).
void CopyText(const QString& text);

}  // namespace ui
