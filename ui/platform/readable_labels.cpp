// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/readable_labels.h"

#include <QLabel>

namespace ui {

void MakeLabelsReadable(QWidget& window) {
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (label->text().isEmpty() || label->textFormat() == Qt::RichText) continue;
    // Without a name of its own a label is named by its text.
    if (!label->accessibleName().isEmpty()) {
      if (label->accessibleDescription().isEmpty())
        label->setAccessibleDescription(label->accessibleName());
      label->setAccessibleName(QString());
    }
    if (label->textInteractionFlags() & Qt::TextSelectableByMouse) {
      label->setTextInteractionFlags(label->textInteractionFlags() | Qt::TextSelectableByKeyboard);
    }
  }
}

}  // namespace ui
