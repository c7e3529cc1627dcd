// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/detail/verdict_line.h"

#include <QLabel>

#include "ui/widgets/utf8_text.h"

namespace ui {

void StyleAsNotice(QLabel& label) {
  label.setAutoFillBackground(true);
  label.setBackgroundRole(QPalette::ToolTipBase);
  label.setForegroundRole(QPalette::ToolTipText);
  label.setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
  label.setMargin(4);
}

QLabel* NewVerdictLine(const app::Verdict& verdict) {
  const bool found = app::FoundRoot(verdict.outcome);
  auto* line = new QLabel((found ? QStringLiteral("✓ ") : QStringLiteral("⚠ ")) +
                          FromUtf8(app::VerdictText(verdict)));
  line->setObjectName(QStringLiteral("verdict"));
  line->setTextFormat(Qt::PlainText);
  line->setWordWrap(true);
  line->setTextInteractionFlags(Qt::TextSelectableByMouse);
  line->setAccessibleName(QStringLiteral("Итог метода"));
  QFont font = line->font();
  font.setBold(true);
  line->setFont(font);
  const bool noted = verdict.notes.Contains(app::Note::kOutsideInterval) ||
                     verdict.notes.Contains(app::Note::kExactRootPassed) ||
                     verdict.notes.Contains(app::Note::kStoppedOnZeroQuantity);
  if (!found || noted) StyleAsNotice(*line);
  return line;
}

}  // namespace ui
