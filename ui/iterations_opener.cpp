// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/iterations_opener.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>

#include "core/method_table.h"
#include "ui/detail_window_place.h"
#include "ui/error_boundary.h"
#include "ui/iterations_window.h"
#include "ui/table_copy.h"
#include "ui/widgets/placement.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

constexpr int kNameColumn = 0;

const core::MethodEntry* MethodNamed(const QString& name) {
  for (const core::MethodEntry& entry : core::kMethods)
    if (name == FromUtf8(entry.name)) return &entry;
  return nullptr;
}

QString CellText(const QTableWidget& table, int row, int column) {
  const QTableWidgetItem* item = table.item(row, column);
  return item != nullptr ? item->text() : QString();
}

}  // namespace

IterationsOpener::IterationsOpener(QTableWidget* table, LastRun last_run, Running running)
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

const core::MethodEntry* IterationsOpener::MethodToOpen(int row) const {
  const std::shared_ptr<const app::RunRecord> run = last_run_();
  if (run == nullptr || running_() || row < 1 || row >= table_->rowCount()) return nullptr;
  const core::MethodEntry* entry = MethodNamed(CellText(*table_, row, kNameColumn));
  if (entry == nullptr || !run->methods.at(entry->number - 1u).ran) return nullptr;
  return entry;
}

IterationsOpener::~IterationsOpener() {
  for (IterationsWindow* window : OpenWindows()) delete window;
}

IterationsWindow* IterationsOpener::OpenRow(int row) {
  const core::MethodEntry* entry = MethodToOpen(row);
  if (entry == nullptr) return nullptr;
  const std::shared_ptr<const app::RunRecord> run = last_run_();
  // One window per method and run: asking again brings the open one forward.
  for (IterationsWindow* open : OpenWindows()) {
    // A closed window is only waiting to be deleted.
    if (open->isVisible() && open->Run() == run && open->Method() == entry->number) {
      open->showNormal();
      open->raise();
      open->activateWindow();
      return open;
    }
  }
  auto* window = new IterationsWindow(run, entry->number);
  windows_.append(window);
  const QRect available = table_->screen()->availableGeometry();
  window->move(
      BesideMainWindow(table_->window()->frameGeometry(), OuterSize(window->size()), available));
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

QList<IterationsWindow*> IterationsOpener::OpenWindows() const {
  QList<IterationsWindow*> open;
  for (const QPointer<IterationsWindow>& window : windows_)
    if (!window.isNull()) open.append(window.data());
  return open;
}

void IterationsOpener::MarkReplacedRuns() {
  windows_.removeAll(nullptr);
  const std::shared_ptr<const app::RunRecord> latest = last_run_();
  for (IterationsWindow* window : OpenWindows())
    if (window->Run() != latest) window->MarkOutOfDate();
}

int IterationsOpener::CurrentRow() const {
  const QModelIndex current = table_->currentIndex();
  return current.isValid() && table_->selectionModel()->isSelected(current) ? current.row() : -1;
}

bool IterationsOpener::eventFilter(QObject* watched, QEvent* event) {
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
// row. A popup owned by the table (ui/context_menu.h says why not exec()).
void IterationsOpener::ShowContextMenu(QContextMenuEvent& event) {
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
