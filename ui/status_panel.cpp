#include "ui/status_panel.h"

#include <QAccessible>
#include <QPainter>

namespace ui {

StatusPanel::StatusPanel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void StatusPanel::ShowText(const QString& text) {
  if (text == this->text()) return;
  const QString old_text = this->text();
  setText(text);
  UpdateToolTip();
  update();
#if QT_CONFIG(accessibility)
  // A label's text is its accessible name; Qt reports the new name. The
  // text events are what screen readers follow in a status line, spoken as
  // the text that was inserted.
  QAccessibleTextUpdateEvent changed(this, 0, old_text, text);
  QAccessible::updateAccessibility(&changed);
#endif
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
