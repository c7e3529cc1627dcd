// SPDX-License-Identifier: GPL-3.0-or-later
// A view's context menu of its own actions, on a right click or the Menu key,
// shown as a popup that returns at once. Qt's own actions menu and
// QMenu::exec() run a nested event loop with the menu on the stack as the
// view's child: a window closed meanwhile (its window manager's close button,
// a pager, the end of the session) would be deleted inside that loop, and the
// menu with it, out from under its own frame. A popup menu owned by the view
// runs no loop and simply goes with the view.
#pragma once

#include <QObject>

class QMenu;
class QWidget;

namespace ui {

class ActionsMenu : public QObject {
 public:
  // Becomes the view's child; the menu shows the view's actions as they are
  // when it opens.
  explicit ActionsMenu(QWidget* view);

  QMenu* Menu() const { return menu_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* view_;
  QMenu* menu_;
};

}  // namespace ui
