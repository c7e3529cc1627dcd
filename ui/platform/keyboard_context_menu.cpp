// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/keyboard_context_menu.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>

#include "ui/error_boundary.h"

namespace ui {

namespace {

class ContextMenuKeys : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    if (!IsContextMenuKey(static_cast<QKeyEvent&>(*event))) return false;
    // The first widget that the key reaches, the one with the focus, takes it.
    QWidget* target = static_cast<QWidget*>(watched);
    Guarded([target] { OpenAt(*target); });
    return true;
  }

 private:
  static void OpenAt(QWidget& target) {
    QWidget* receiver = &target;
    QPoint at = target.rect().center();
    if (auto* view = qobject_cast<QAbstractItemView*>(&target)) {
      const QModelIndex current = view->currentIndex();
      at = view->viewport()->rect().center();
      if (current.isValid()) at = view->visualRect(current).center();
      at = view->viewport()->mapTo(view, at);
    }
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, target.mapToGlobal(at),
                           QGuiApplication::keyboardModifiers());
    QCoreApplication::sendEvent(receiver, &menu);
  }
};

}  // namespace

bool IsContextMenuKey(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
  if (event.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier) return true;
  return event.key() == Qt::Key_Menu && modifiers == Qt::NoModifier &&
         QGuiApplication::platformName() != QStringLiteral("xcb");
}

void OpenContextMenusFromKeyboard(QApplication& application) {
  static ContextMenuKeys* installed = nullptr;
  if (installed != nullptr) return;
  installed = new ContextMenuKeys(&application);
  application.installEventFilter(installed);
}

}  // namespace ui
