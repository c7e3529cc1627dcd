// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/tool_bar.h"

#include <QPainter>

namespace ui {

ToolBar::ToolBar(QWidget* parent) : QWidget(parent) {
  setFixedHeight(kHeight);
  setFocusPolicy(Qt::NoFocus);
}

QToolButton* ToolBar::AddButton(int left, const QIcon& image, const QString& tooltip) {
  auto* button = new QToolButton(this);
  button->setGeometry(left, kButtonTop, kButtonWidth, kButtonHeight);
  button->setIcon(image);
  button->setIconSize(QSize(kIconSize, kIconSize));
  button->setToolButtonStyle(Qt::ToolButtonIconOnly);
  button->setAutoRaise(false);
  button->setToolTip(tooltip);
  // An image says nothing to a screen reader; the tooltip names the command.
  button->setAccessibleName(tooltip);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

QWidget* ToolBar::AddSeparator(int left) {
  auto* gap = new QWidget(this);
  gap->setGeometry(left, kButtonTop, kSeparatorWidth, kButtonHeight);
  gap->setFocusPolicy(Qt::NoFocus);
  return gap;
}

void ToolBar::paintEvent(QPaintEvent* /*event*/) {
  // An etched line: a shadow line with a highlight line under it.
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(0, 0, width() - 1, 0);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(0, 1, width() - 1, 1);
}

}  // namespace ui
