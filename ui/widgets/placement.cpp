// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace ui {

QPoint CentredIn(const QSize& area, const QSize& window, const QPoint& origin) {
  const int left = std::max(0, (area.width() - window.width()) / 2);
  const int top = std::max(0, (area.height() - window.height()) / 2);
  return origin + QPoint(left, top);
}

QPoint CentredOnDesktop(const QSize& outer_window_size) {
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary == nullptr) return QPoint(0, 0);
  // The desktop's size is that of the bounding rectangle of all monitors, but
  // the result counts from the primary screen's corner, as the design does.
  return CentredIn(primary->virtualGeometry().size(), outer_window_size,
                   primary->geometry().topLeft());
}

QPoint CentredOnPrimaryScreen(const QSize& outer_window_size) {
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary == nullptr) return QPoint(0, 0);
  return CentredIn(primary->geometry().size(), outer_window_size, primary->geometry().topLeft());
}

}  // namespace ui
