// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/detail/detail_opener.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>

#include "core/method_table.h"
#include "ui/detail/detail_window.h"
#include "ui/detail/window_place.h"
#include "ui/error_boundary.h"
#include "ui/platform/table_copy.h"
#include "ui/widgets/placement.h"

namespace ui {

DetailOpener::DetailOpener(QTableWidget* table, LastRun last_run, Running running)
    : QObject(table), table_(table), last_run_(std::move(last_run)), running_(std::move(running)) {
  table_->setToolTip(QStringLiteral(
      "Двойной щелчок по строке метода (или Enter) показывает его итерации и графики"));
  // Screen readers do not read tooltips of a focused table; they read this.
  table_->setAccessibleDescription(table_->toolTip());
  table_->installEventFilter(this);
  table_->viewport()->installEventFilter(this);

  // A run rewrites the table; once the events of the moment are processed,
  // the run that the windows hold may no longer be the latest.
  connect(table_->model(), &QAbstractItemModel::dataChanged, this,
          [this] { QTimer::singleShot(0, this, [this] { MarkReplacedRuns(); }); });
}

// The run record knows which method each row of the table holds, sorted or
// not (an error leaves the table unsorted).
const core::MethodEntry* DetailOpener::MethodToOpen(int row) const {
  const std::shared_ptr<const app::RunRecord> run = last_run_();
  if (run == nullptr || running_() || row < 1 || row >= table_->rowCount()) return nullptr;
  const auto index = static_cast<std::size_t>(row - 1);
  if (index >= run->rows.size()) return nullptr;
  const core::MethodEntry& entry = core::EntryOf(run->rows[index]);
  if (!run->History(entry.number).ran) return nullptr;
  return &entry;
}

DetailOpener::~DetailOpener() {
  for (DetailWindow* window : OpenWindows()) delete window;
}

DetailWindow* DetailOpener::OpenRow(int row) {
  const core::MethodEntry* entry = MethodToOpen(row);
  if (entry == nullptr) return nullptr;
  const std::shared_ptr<const app::RunRecord> run = last_run_();
  // One window per method and run: asking again brings the open one forward.
  for (DetailWindow* open : OpenWindows()) {
    // A closed window is only waiting to be deleted.
    if (open->isVisible() && open->Run() == run && open->Method() == entry->number) {
      open->showNormal();
      open->raise();
      open->activateWindow();
      return open;
    }
  }
  auto* window = new DetailWindow(run, entry->number);
  windows_.append(window);
  const QRect available = table_->screen()->availableGeometry();
  window->move(
      BesideMainWindow(table_->window()->frameGeometry(), OuterSize(window->size()), available));
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

QList<DetailWindow*> DetailOpener::OpenWindows() const {
  QList<DetailWindow*> open;
  for (const QPointer<DetailWindow>& window : windows_)
    if (!window.isNull()) open.append(window.data());
  return open;
}

void DetailOpener::MarkReplacedRuns() {
  windows_.removeAll(nullptr);
  const std::shared_ptr<const app::RunRecord> latest = last_run_();
  for (DetailWindow* window : OpenWindows())
    if (window->Run() != latest) window->MarkOutOfDate();
}

int DetailOpener::CurrentRow() const {
  const QModelIndex current = table_->currentIndex();
  return current.isValid() && table_->selectionModel()->isSelected(current) ? current.row() : -1;
}

bool DetailOpener::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonDblClick: {
      if (watched != table_->viewport()) break;
      const auto& click = static_cast<QMouseEvent&>(*event);
      if (click.button() != Qt::LeftButton) break;
      const int row = table_->rowAt(click.position().toPoint().y());
      Guarded([this, row] { OpenRow(row); });
      return true;
    }
    case QEvent::KeyPress: {
      if (watched != table_) break;
      const auto& press = static_cast<QKeyEvent&>(*event);
      // The view itself would copy only the current cell.
      if (press.matches(QKeySequence::Copy)) {
        Guarded([this] { CopyText(SelectedCellsText(*table_)); });
        return true;
      }
      const bool enter = press.key() == Qt::Key_Return || press.key() == Qt::Key_Enter;
      if (!enter || (press.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) break;
      Guarded([this] { OpenRow(CurrentRow()); });
      return true;
    }
    case QEvent::ContextMenu:
      ShowContextMenu(static_cast<QContextMenuEvent&>(*event));
      return true;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

// By the mouse, the row under the pointer; from the keyboard, the selected
// row. A popup owned by the table (ui/platform/context_menu.h says why not exec()).
void DetailOpener::ShowContextMenu(QContextMenuEvent& event) {
  const bool by_mouse = event.reason() == QContextMenuEvent::Mouse;
  menu_row_ = by_mouse ? table_->rowAt(table_->viewport()->mapFromGlobal(event.globalPos()).y())
                       : CurrentRow();
  if (menu_ == nullptr) {
    menu_ = new QMenu(table_);
    QAction* details = menu_->addAction(QStringLiteral("Подробнее…"));
    connect(details, &QAction::triggered, this,
            [this] { Guarded([this] { OpenRow(menu_row_); }); });
  }
  menu_->actions().front()->setEnabled(MethodToOpen(menu_row_) != nullptr);
  const QPoint at =
      by_mouse
          ? event.globalPos()
          : table_->viewport()->mapToGlobal(table_->visualRect(table_->currentIndex()).center());
  menu_->popup(at);
}

}  // namespace ui
