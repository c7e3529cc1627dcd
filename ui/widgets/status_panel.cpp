// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/status_panel.h"

#include <QPainter>
#include <algorithm>

namespace ui {

namespace {

// As high as the lines come out when drawn wrapped, leading included.
int LinesHeight(const QFontMetrics& metrics, int lines) {
  if (lines == 1) return metrics.height();
  QStringList rows;
  for (int i = 0; i < lines; ++i) rows << QStringLiteral("x");
  return metrics.boundingRect(QRect(0, 0, 0xFFFF, 0xFFFF), Qt::TextWordWrap, rows.join('\n'))
      .height();
}

}  // namespace

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

void StatusPanel::SetLines(int lines) {
  lines_ = std::max(lines, 1);
  updateGeometry();
  UpdateToolTip();
}

QString StatusPanel::ShownText() const {
  const QFontMetrics metrics = fontMetrics();
  const QRect area = TextArea();
  if (lines_ == 1) return metrics.elidedText(text(), Qt::ElideRight, area.width());
  const auto fits = [&metrics, &area, this](const QString& shown) {
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, area.width(), 0xFFFF), Qt::TextWordWrap, shown);
    return needed.height() <= LinesHeight(metrics, lines_);
  };
  if (fits(text())) return text();
  // The longest beginning that fits with "…" after it.
  qsizetype low = 0;
  qsizetype high = text().size();
  while (low < high) {
    const qsizetype middle = (low + high + 1) / 2;
    if (fits(text().left(middle) + QChar(0x2026))) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return text().left(low) + QChar(0x2026);
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
          frame + LinesHeight(metrics, lines_)};
}

void StatusPanel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  drawFrame(&painter);
  painter.setPen(palette().color(foregroundRole()));
  const int flags = lines_ == 1 ? Qt::TextSingleLine : Qt::TextWordWrap;
  painter.drawText(TextArea(), Qt::AlignLeft | Qt::AlignVCenter | flags, ShownText());
}

void StatusPanel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  UpdateToolTip();
}

}  // namespace ui
