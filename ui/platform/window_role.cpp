// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/window_role.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace ui {

namespace {

constexpr char kRoleProperty[] = "nle_accessible_role";

QAccessibleInterface* WindowWithRole(const QString& /*class_name*/, QObject* object) {
  if (object == nullptr || !object->isWidgetType()) return nullptr;
  const QVariant role = object->property(kRoleProperty);
  if (!role.isValid()) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object),
                               static_cast<QAccessible::Role>(role.toInt()));
}

}  // namespace

void SetAccessibleRole(QWidget& window, QAccessible::Role role) {
  static const bool installed = [] {
    QAccessible::installFactory(WindowWithRole);
    return true;
  }();
  (void)installed;
  window.setProperty(kRoleProperty, static_cast<int>(role));
  // The toolkit may have made the window's accessible object already, as it
  // made the widget; it then makes it again with the role.
  QAccessibleInterface* existing = QAccessible::queryAccessibleInterface(&window);
  if (existing != nullptr && existing->role() != role)
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
}

}  // namespace ui
