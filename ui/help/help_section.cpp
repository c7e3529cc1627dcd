// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help/help_section.h"

#include <QScrollBar>
#include <QTextBlock>

#include "ui/Unit2.h"

namespace ui {

void ShowHelpSection(const QString& heading) {
  if (Form2 == nullptr) return;
  Form2->ShowNonModal();
  TextView& text = *Form2->Memo1;
  for (QTextBlock block = text.document()->begin(); block.isValid(); block = block.next()) {
    if (!block.text().startsWith(heading)) continue;
    QTextCursor cursor(block);
    text.setTextCursor(cursor);
    // The heading at the top: the scroll bar counts lines from the first.
    text.verticalScrollBar()->setValue(block.firstLineNumber());
    return;
  }
}

}  // namespace ui
