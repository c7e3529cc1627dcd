// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the detail windows from the results table: a double click on a
// method's row, Enter on a selected row, or "Подробнее…" in the table's
// context menu. Nothing opens before the first run, during a run, for the
// header row, or for a method that an earlier error kept from running. Also
// gives the table its tooltip and Ctrl+C, which copies the selected cells as
// tab-separated text. Open windows whose run a later run has replaced are
// marked out of date.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "app/comparison_run.h"

class QContextMenuEvent;
class QMenu;
namespace core {
struct MethodEntry;
}
class QTableWidget;

namespace ui {

class DetailWindow;

class DetailOpener : public QObject {
  Q_OBJECT

 public:
  using LastRun = std::function<std::shared_ptr<const app::RunRecord>()>;
  using Running = std::function<bool()>;

  // `table` shows the results of the runs that `last_run` gives, a method a
  // row from row 1 on, in the order of the run's rows; the opener is the
  // table's child.
  DetailOpener(QTableWidget* table, LastRun last_run, Running running);
  // Closes the detail windows still open: they go with the main window.
  ~DetailOpener() override;

  // Opens the window of the method in `row`; null when nothing opens.
  DetailWindow* OpenRow(int row);

  // The detail windows still open, oldest first.
  QList<DetailWindow*> OpenWindows() const;

  // Marks the windows whose run is no longer the latest.
  void MarkReplacedRuns();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The method of `row` when its window may open, else null.
  const core::MethodEntry* MethodToOpen(int row) const;
  void ShowContextMenu(QContextMenuEvent& event);
  int CurrentRow() const;

  QTableWidget* table_;
  LastRun last_run_;
  Running running_;
  QList<QPointer<DetailWindow>> windows_;
  QMenu* menu_ = nullptr;  // the table's context menu, made when first asked for
  int menu_row_ = -1;      // the row that the menu was opened on
};

}  // namespace ui
