// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/context_menu.h"

#include <QAbstractScrollArea>
#include <QContextMenuEvent>
#include <QMenu>

namespace ui {

ActionsMenu::ActionsMenu(QWidget* view) : QObject(view), view_(view), menu_(new QMenu(view)) {
  view->setContextMenuPolicy(Qt::DefaultContextMenu);
  view->installEventFilter(this);
  // A scroll area's viewport gets the mouse's request and hands it on past
  // the area's event filters.
  if (auto* area = qobject_cast<QAbstractScrollArea*>(view))
    area->viewport()->installEventFilter(this);
}

bool ActionsMenu::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ContextMenu) return QObject::eventFilter(watched, event);
  if (view_->actions().isEmpty()) return false;
  menu_->clear();
  menu_->addActions(view_->actions());
  menu_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
  return true;
}

}  // namespace ui
