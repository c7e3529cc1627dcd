// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/block_progress_bar.h"

#include <qdrawutil.h>
#include <QPainter>
#include <algorithm>

namespace ui {

BlockProgressBar::BlockProgressBar(QWidget* parent) : QProgressBar(parent) {
  setTextVisible(false);
  setFocusPolicy(Qt::NoFocus);
}

void BlockProgressBar::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QBrush background = palette().brush(QPalette::Window);
  qDrawShadePanel(&painter, rect(), palette(), true, 1, &background);

  // One pixel of edge and one of margin around the blocks.
  const QRect inside = rect().adjusted(2, 2, -2, -2);
  const int range = maximum() - minimum();
  if (range <= 0 || value() <= minimum() || inside.isEmpty()) return;
  const int filled = (value() - minimum()) * inside.width() / range;
  const int block = std::max(1, inside.height() * 2 / 3);
  painter.setClipRect(inside);
  for (int x = 0; x < filled; x += block + kBlockGap)
    painter.fillRect(inside.left() + x, inside.top(), block, inside.height(),
                     palette().color(QPalette::Highlight));
}

}  // namespace ui
