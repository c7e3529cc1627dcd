// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/wrapping_label.h"

#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace ui {

namespace {

// The least width asked for, and the width beyond which the natural width
// of a long text is not asked for, in average characters.
constexpr int kLeastCharacters = 12;
constexpr int kWidestCharacters = 80;

}  // namespace

WrappingLabel::WrappingLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(false);  // the wrapping is this class's own
  QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
}

double WrappingLabel::LayOut(double width, QPainter* painter) const {
  QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  const double line_spacing = fontMetrics().lineSpacing();
  double y = 0;
  for (const QString& paragraph : text().split(QLatin1Char('\n'))) {
    QTextLayout layout(paragraph, font(), const_cast<WrappingLabel*>(this));
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(std::max(width, 1.0));
      line.setPosition(QPointF(0, y));
      y += std::max(line.height(), line_spacing);
    }
    layout.endLayout();
    if (painter != nullptr) layout.draw(painter, QPointF(0, 0));
  }
  return y;
}

int WrappingLabel::heightForWidth(int width) const {
  const QMargins margins = contentsMargins();
  const int inner = width - margins.left() - margins.right() - 2 * margin();
  return static_cast<int>(std::ceil(LayOut(inner, nullptr))) + margins.top() + margins.bottom() +
         2 * margin();
}

QSize WrappingLabel::sizeHint() const {
  const QFontMetrics metrics = fontMetrics();
  int widest = 0;
  for (const QString& paragraph : text().split(QLatin1Char('\n')))
    widest = std::max(widest, metrics.horizontalAdvance(paragraph));
  const QMargins margins = contentsMargins();
  const int width = std::clamp(widest, kLeastCharacters * metrics.averageCharWidth(),
                               kWidestCharacters * metrics.averageCharWidth()) +
                    margins.left() + margins.right() + 2 * margin();
  return {width, heightForWidth(width)};
}

QSize WrappingLabel::minimumSizeHint() const {
  const QMargins margins = contentsMargins();
  // As high as the text is at the present width: a window's least size
  // takes no account of a height for width, and would squeeze what lies
  // below the label under its other widgets.
  const int width = kLeastCharacters * fontMetrics().averageCharWidth() + margins.left() +
                    margins.right() + 2 * margin();
  return {width, heightForWidth(std::max(this->width(), width))};
}

void WrappingLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  if (heightForWidth(event->size().width()) != heightForWidth(event->oldSize().width()))
    updateGeometry();
}

void WrappingLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  drawFrame(&painter);
  const QRect inner = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  painter.translate(inner.topLeft());
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
  LayOut(inner.width(), &painter);
}

}  // namespace ui
