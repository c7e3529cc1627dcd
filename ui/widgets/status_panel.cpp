// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/status_panel.h"

#include <QPainter>

namespace ui {

StatusPanel::StatusPanel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void StatusPanel::ShowText(const QString& text) {
  // The label reports the new text as its new accessible name
  // (object:property-change:accessible-name on the accessibility bus). A
  // label has no text interface, so text-changed events would be dropped,
  // and Qt 6.4 has no announcement or live region; screen readers read the
  // status bar on request.
  setText(text);
  UpdateToolTip();
}

// The text starts half an "x" inside the frame, as a framed label's does.
QRect StatusPanel::TextArea() const {
  const int indent = fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2;
  return contentsRect().adjusted(indent, 0, -indent, 0);
}

QString StatusPanel::ShownText() const {
  return fontMetrics().elidedText(text(), Qt::ElideRight, TextArea().width());
}

void StatusPanel::UpdateToolTip() {
  setToolTip(ShownText() == text() ? QString() : text());
}

QSize StatusPanel::sizeHint() const {
  return minimumSizeHint();
}

// One line of the font, and room for "…" only: the bar gives the panel the
// window's width, whatever the text.
QSize StatusPanel::minimumSizeHint() const {
  const int frame = 2 * frameWidth();
  const QFontMetrics metrics = fontMetrics();
  return {frame + metrics.horizontalAdvance(QLatin1Char('x')) +
              metrics.horizontalAdvance(QChar(0x2026)),
          frame + metrics.height()};
}

void StatusPanel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  drawFrame(&painter);
  painter.setPen(palette().color(foregroundRole()));
  painter.drawText(TextArea(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, ShownText());
}

void StatusPanel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  UpdateToolTip();
}

}  // namespace ui
