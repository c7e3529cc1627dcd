// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/scrolled_contents.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace ui {

void ScrollContents(QWidget* window, QWidget* contents) {
  auto* scroll = new QScrollArea(window);
  scroll->setWidget(contents);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* outer = new QVBoxLayout(window);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroll);
}

}  // namespace ui
